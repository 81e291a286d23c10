// The picture model: every raster format and variant decodes pixel for pixel like the
// reference decoding, the card file's picture and bitmap data blocks survive a round trip,
// and damaged or oversized pictures give an error instead of a crash or a huge allocation.
#include "platform/metafiles/MetafilePlayer.h"
#include "platform/pictures/Graphic.h"
#include "platform/pictures/RasterDecoder.h"
#include "platform/pictures/SvgImport.h"

#include <QBuffer>
#include <QSvgRenderer>

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using platform::Graphic;
using platform::MetafilePlayer;
using platform::SvgImport;

namespace {
const QString dir = QStringLiteral(ORLANTO_FIXTURES "/pictures/");

QByteArray fixture(const QString& name) {
    QFile f(dir + name);
    if (!f.open(QIODevice::ReadOnly)) qFatal("missing fixture %s", qPrintable(name));
    return f.readAll();
}

QByteArray u32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray shortString(const QByteArray& s) {
    return char(s.size()) + s;
}

// A BMP header claiming a picture of w x h pixels at 24 bits, with only a few bytes of bits.
QByteArray hugeBmp(qint32 w, qint32 h) {
    QByteArray info;
    info += u32(40) + u32(quint32(w)) + u32(quint32(h));
    info += QByteArray("\x01\x00\x18\x00", 4) + u32(0) + u32(0) + u32(0) + u32(0) + u32(0) + u32(0);
    QByteArray file = "BM" + u32(54 + 16) + u32(0) + u32(54) + info + QByteArray(16, '\x7f');
    return file;
}
// A 40 x 30 picture with fully transparent corners, a half-transparent band and an opaque
// red middle.
QImage alphaLogo() {
    QImage image(40, 30, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0));
    p.drawEllipse(QRect(0, 0, 40, 30));
    p.fillRect(QRect(0, 26, 40, 4), QColor(0, 0, 255, 128));
    return image;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format)) qFatal("cannot write %s", format);
    return bytes;
}

QString written(const QTemporaryDir& tmp, const QString& name, const QByteArray& bytes) {
    QFile f(tmp.filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("cannot write");
    return f.fileName();
}

// The types of an EMF's records, in order.
QList<quint32> emfRecords(QByteArrayView emf) {
    QList<quint32> types;
    for (qsizetype at = 0; at + 8 <= emf.size();) {
        types << qFromLittleEndian<quint32>(emf.constData() + at);
        const quint32 size = qFromLittleEndian<quint32>(emf.constData() + at + 4);
        if (size < 8) break;
        at += size;
    }
    return types;
}
constexpr quint32 emrStretchDiBits = 81, emrFillPath = 62, emrStrokePath = 64, emrExtCreatePen = 95;

// An SVG document of w x h pixels with the given elements.
QByteArray svgWith(const QByteArray& elements, int w = 40, int h = 20) {
    return "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
           "width='" +
           QByteArray::number(w) + "' height='" + QByteArray::number(h) + "'>" + elements +
           "</svg>";
}

// An image element showing the data inline, as a "data:" address of the media type.
QByteArray inlineImage(const QByteArray& mediaType, const QByteArray& data) {
    return "<image width='40' height='20' xlink:href='data:" + mediaType + ";base64," +
           data.toBase64() + "'/>";
}
} // namespace

class tst_Graphic : public QObject {
    Q_OBJECT
  private slots:
    void decodesLikeReference_data();
    void decodesLikeReference();
    void kindFollowsExtension_data();
    void kindFollowsExtension();
    void pictureDataRoundTrip_data();
    void pictureDataRoundTrip();
    void unknownClassLeavesPictureEmpty();
    void bitmapDataRoundTrip();
    void damagedDataIsRefused_data();
    void damagedDataIsRefused();
    void badFilesDoNotLoad_data();
    void badFilesDoNotLoad();
    void drawsStretchedIntoRect();
    void todaysRasterFormats_data();
    void todaysRasterFormats();
    void alphaSurvivesTheCardFile();
    void svgBecomesVectorMetafile();
    void svgReadsNothingOutsideItself();
    void nestedSvgUsesStayBounded();
    void damagedSvgKeepsWhatWasRead();
    void svgInsideSvgIsRefused_data();
    void svgInsideSvgIsRefused();
    void svgImportIsBounded_data();
    void svgImportIsBounded();
    void svgDashesStayDashedPens();
    void svgPaintsLikeAnSvgRenderer_data();
    void svgPaintsLikeAnSvgRenderer();
    void textIsFilledGlyphs();
    void hugePictureIsRefusedWithReason();
};

void tst_Graphic::decodesLikeReference_data() {
    QTest::addColumn<QString>("file");
    for (const char* name :
         {"rgb24.bmp", "rle8.bmp", "rle4.bmp", "noheader.dib", "logo.rle", "icon.ico", "grey.jpg",
          "palette8.pcx", "truecolor.pcx", "mono.pcx", "ega.pcx", "raw24.tga", "rle24.tga",
          "rlemapped.tga", "rlegrey.tga", "rle32alpha.tga", "topdown.tga", "bottomup.tga"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_Graphic::decodesLikeReference() {
    QFETCH(QString, file);
    Graphic g;
    QVERIFY(g.loadFromFile(dir + file));
    // Premultiplied, every fully transparent pixel compares equal whatever colour it stores.
    const QImage reference =
        QImage(dir + file + ".png").convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QVERIFY(!reference.isNull());
    const QImage decoded = g.image().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(decoded.size(), reference.size());
    for (int y = 0; y < reference.height(); ++y)
        for (int x = 0; x < reference.width(); ++x)
            if (decoded.pixel(x, y) != reference.pixel(x, y))
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2): %3 instead of %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(decoded.pixel(x, y), 8, 16)
                                     .arg(reference.pixel(x, y), 8, 16)));
}

void tst_Graphic::kindFollowsExtension_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("savedAs");
    QTest::addColumn<int>("kind");
    QTest::newRow("bmp") << "rgb24.bmp"
                         << "x.BMP" << int(Graphic::Kind::Bitmap);
    QTest::newRow("lower-case extension") << "rgb24.bmp"
                                          << "x.bmp" << int(Graphic::Kind::Bitmap);
    QTest::newRow("dib with file header") << "rgb24.bmp"
                                          << "x.dib" << int(Graphic::Kind::Bitmap);
    QTest::newRow("jif") << "grey.jif"
                         << "x.JIF" << int(Graphic::Kind::Bitmap);
    QTest::newRow("ico") << "icon.ico"
                         << "x.ico" << int(Graphic::Kind::Icon);
    QTest::newRow("wmf") << "clipart.wmf"
                         << "x.wmf" << int(Graphic::Kind::Metafile);
}

void tst_Graphic::kindFollowsExtension() {
    QFETCH(QString, source);
    QFETCH(QString, savedAs);
    QFETCH(int, kind);
    QTemporaryDir tmp;
    QVERIFY(QFile::copy(dir + source, tmp.filePath(savedAs)));
    Graphic g;
    QVERIFY(g.loadFromFile(tmp.filePath(savedAs)));
    QCOMPARE(int(g.kind()), kind);
    QVERIFY(g.width() > 0 && g.height() > 0);
}

void tst_Graphic::pictureDataRoundTrip_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("className");
    QTest::newRow("bitmap from bmp") << "rle8.bmp" << QByteArray("TBitmap");
    QTest::newRow("bitmap from pcx") << "palette8.pcx" << QByteArray("TBitmap");
    QTest::newRow("bitmap from headerless dib") << "noheader.dib" << QByteArray("TBitmap");
    QTest::newRow("icon") << "icon.ico" << QByteArray("TIcon");
    QTest::newRow("placeable wmf") << "clipart.wmf" << QByteArray("TMetafile");
}

void tst_Graphic::pictureDataRoundTrip() {
    QFETCH(QString, file);
    QFETCH(QByteArray, className);
    Graphic g;
    QVERIFY(g.loadFromFile(dir + file));
    const QByteArray block = g.writeData();
    QVERIFY(block.startsWith(shortString(className)));
    const QByteArray payload = block.mid(1 + className.size());
    if (className == "TBitmap") {
        // A 32-bit length, then a complete .BMP file of exactly that length.
        QCOMPARE(qFromLittleEndian<quint32>(payload.constData()), quint32(payload.size() - 4));
        QVERIFY(payload.mid(4).startsWith("BM"));
    } else if (className == "TMetafile") {
        // The length counts itself; the placeable key follows.
        QCOMPARE(qFromLittleEndian<quint32>(payload.constData()), quint32(payload.size()));
        QCOMPARE(qFromLittleEndian<quint32>(payload.constData() + 4), 0x9AC6CDD7u);
        QCOMPARE(payload.mid(4), fixture(file));
    } else {
        QCOMPARE(payload, fixture(file)); // the .ICO file to the end of the block
    }
    const std::optional<Graphic> back = Graphic::readData(block);
    QVERIFY(back);
    QCOMPARE(int(back->kind()), int(g.kind()));
    QCOMPARE(back->image().convertToFormat(QImage::Format_ARGB32),
             g.image().convertToFormat(QImage::Format_ARGB32));
    QCOMPARE(back->metafileData().toByteArray(), g.metafileData().toByteArray());
    QCOMPARE(back->writeData(), block);
}

void tst_Graphic::unknownClassLeavesPictureEmpty() {
    const std::optional<Graphic> g =
        Graphic::readData(shortString("TJPEGImage") + fixture("grey.jpg"));
    QVERIFY(g);
    QVERIFY(g->isEmpty());
    QVERIFY(Graphic().writeData().isEmpty());
}

void tst_Graphic::bitmapDataRoundTrip() {
    QCOMPARE(Graphic::writeBitmapData(QImage()), u32(0));
    QVERIFY(Graphic::readBitmapData(u32(0)).value().isNull());
    Graphic g;
    QVERIFY(g.loadFromFile(dir + "truecolor.pcx"));
    const QByteArray block = Graphic::writeBitmapData(g.image());
    QCOMPARE(qFromLittleEndian<quint32>(block.constData()), quint32(block.size() - 4));
    const std::optional<QImage> back = Graphic::readBitmapData(block);
    QVERIFY(back);
    QCOMPARE(back->convertToFormat(QImage::Format_RGB32),
             g.image().convertToFormat(QImage::Format_RGB32));
}

void tst_Graphic::damagedDataIsRefused_data() {
    QTest::addColumn<QByteArray>("block");
    const QByteArray bmp = fixture("rgb24.bmp");
    const QByteArray wmf = fixture("clipart.wmf");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("name longer than the block") << QByteArray("\x20TBit", 5);
    QTest::newRow("bitmap length past the end")
        << shortString("TBitmap") + u32(bmp.size() + 1) + bmp;
    QTest::newRow("bitmap bytes not a bmp")
        << shortString("TBitmap") + u32(8) + QByteArray("BMxxxxxx");
    QTest::newRow("bitmap of 100000 x 100000")
        << shortString("TBitmap") + u32(hugeBmp(100000, 100000).size()) + hugeBmp(100000, 100000);
    QTest::newRow("metafile length below 4") << shortString("TMetafile") + u32(3) + wmf;
    QTest::newRow("metafile length past the end")
        << shortString("TMetafile") + u32(wmf.size() + 5) + wmf;
    QTest::newRow("metafile without key")
        << shortString("TMetafile") + u32(12) + QByteArray(8, 'x');
    QTest::newRow("icon truncated") << shortString("TIcon") + fixture("icon.ico").left(30);
}

void tst_Graphic::damagedDataIsRefused() {
    QFETCH(QByteArray, block);
    QVERIFY(!Graphic::readData(block));
}

void tst_Graphic::badFilesDoNotLoad_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray pcx = fixture("palette8.pcx");
    const QByteArray tga = fixture("rle24.tga");
    QByteArray hugePcx = pcx;
    qToLittleEndian<quint16>(65535, hugePcx.data() + 8);
    qToLittleEndian<quint16>(65535, hugePcx.data() + 10);
    qToLittleEndian<quint16>(65535, hugePcx.data() + 66);
    // A narrow picture whose line length is padded to 65535 bytes: small header, gigabytes
    // asked for.
    QByteArray paddedPcx = pcx;
    qToLittleEndian<quint16>(15, paddedPcx.data() + 8);
    qToLittleEndian<quint16>(40000, paddedPcx.data() + 10);
    qToLittleEndian<quint16>(65535, paddedPcx.data() + 66);
    QByteArray hugeTga = tga;
    qToLittleEndian<quint16>(65535, hugeTga.data() + 12);
    qToLittleEndian<quint16>(65535, hugeTga.data() + 14);
    QTest::newRow("truncated bmp") << "a.bmp" << fixture("rle8.bmp").left(100);
    QTest::newRow("oversized bmp") << "a.bmp" << hugeBmp(100000, 100000);
    QTest::newRow("oversized dib") << "a.dib" << hugeBmp(100000, 100000).mid(14);
    QTest::newRow("truncated pcx") << "a.pcx" << pcx.left(140);
    QTest::newRow("oversized pcx") << "a.pcx" << hugePcx;
    QTest::newRow("padded pcx lines") << "a.pcx" << paddedPcx;
    QTest::newRow("truncated rle tga") << "a.tga" << tga.left(40);
    QTest::newRow("oversized tga") << "a.tga" << hugeTga;
    QTest::newRow("tga larger than its data") << "a.tga" << tga.left(18) + QByteArray(64, 0);
    QTest::newRow("truncated jpeg") << "a.jpg" << fixture("grey.jpg").left(20);
    QTest::newRow("text as wmf") << "a.wmf" << QByteArray("not a metafile");
    QTest::newRow("unknown extension") << "a.xyz" << fixture("rgb24.bmp");
    QTest::newRow("bitmap named gif") << "a.gif" << fixture("rgb24.bmp");
    QTest::newRow("truncated png") << "a.png" << encoded(alphaLogo(), "png").left(60);
    QTest::newRow("truncated gif") << "a.gif" << fixture("flag.gif").left(20);
    QTest::newRow("truncated webp") << "a.webp" << encoded(alphaLogo(), "webp").left(30);
    QTest::newRow("text as svg") << "a.svg" << QByteArray("<svg width='10' height='10'>\x01\x02");
    QTest::newRow("svg drawing nothing")
        << "a.svg"
        << QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'><rect "
                      "width='0' height='5'/></svg>");
    QTest::newRow("svg without size")
        << "a.svg" << QByteArray("<svg xmlns='http://www.w3.org/2000/svg'/>");
    QTest::newRow("html as svg") << "a.svg" << QByteArray("<html><body>no</body></html>");
    QTest::newRow("empty ico") << "a.ico" << QByteArray();
}

void tst_Graphic::badFilesDoNotLoad() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QTemporaryDir tmp;
    QFile f(tmp.filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    Graphic g;
    QVERIFY(g.loadFromFile(dir + "rgb24.bmp"));
    QVERIFY(!g.loadFromFile(f.fileName()));
    QCOMPARE(g.width(), 16); // a failed load leaves the picture as it was
    QCOMPARE(QString(Graphic::loadErrorMessage), QStringLiteral("Error loading file!"));
}

void tst_Graphic::drawsStretchedIntoRect() {
    Graphic g;
    QVERIFY(g.loadFromFile(dir + "rgb24.bmp"));
    QImage canvas(64, 48, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    g.draw(p, QRectF(40, 30, 16, 12)); // at its own size
    g.draw(p, QRectF(0, 0, 32, 24));   // twice its size
    p.end();
    const QImage source = g.image().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(canvas.copy(40, 30, 16, 12), source);
    QCOMPARE(canvas.pixel(0, 0), source.pixel(0, 0));
    QVERIFY(canvas.pixel(31, 23) != qRgb(255, 255, 255));
    QCOMPARE(canvas.pixel(32, 24), qRgb(255, 255, 255));
}

void tst_Graphic::todaysRasterFormats_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("alpha");
    const QImage logo = alphaLogo();
    QTest::newRow("png with alpha") << "logo.PNG" << encoded(logo, "png") << true;
    QTest::newRow(".jpeg") << "photo.jpeg" << encoded(logo, "jpeg") << false;
    QTest::newRow("gif") << "flag.gif" << fixture("flag.gif") << false;
    QTest::newRow("webp") << "logo.webp" << encoded(logo, "webp") << true;
    QTest::newRow("tiff") << "logo.tif" << encoded(logo, "tiff") << true;
}

void tst_Graphic::todaysRasterFormats() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, alpha);
    QTemporaryDir tmp;
    Graphic g;
    QVERIFY(g.loadFromFile(written(tmp, name, bytes)));
    QCOMPARE(g.kind(), Graphic::Kind::Bitmap);
    const QImage reference = QImage::fromData(bytes);
    QCOMPARE(QSize(g.width(), g.height()), reference.size());
    QCOMPARE(g.image().hasAlphaChannel(), alpha);
    QCOMPARE(g.image().pixelColor(20, 15).rgb(), reference.pixelColor(20, 15).rgb());
    QVERIFY(Graphic::readsExtension("." + QFileInfo(name).suffix().toUpper()));
    QVERIFY(Graphic::filePatterns().contains("*." + QFileInfo(name).suffix().toLower()));
}

void tst_Graphic::alphaSurvivesTheCardFile() {
    QTemporaryDir tmp;
    Graphic g;
    QVERIFY(g.loadFromFile(written(tmp, "logo.png", encoded(alphaLogo(), "png"))));
    const std::optional<Graphic> back = Graphic::readData(g.writeData());
    QVERIFY(back);
    QCOMPARE(back->className(), QStringLiteral("TBitmap"));
    QVERIFY(*back == g);
    const QImage& image = back->image();
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(image.pixel(20, 12), qRgb(255, 0, 0));
    QCOMPARE(qAlpha(image.pixel(2, 28)), 128);
    // A reader that ignores the alpha sees white in the transparent corners.
    QCOMPARE(image.pixel(0, 0) | 0xFF000000, qRgb(255, 255, 255));
    // Drawn with its alpha: the corners show what is beneath.
    QImage canvas(40, 30, QImage::Format_RGB32);
    canvas.fill(Qt::green);
    QPainter p(&canvas);
    back->draw(p, QRectF(0, 0, 40, 30));
    p.end();
    QCOMPARE(canvas.pixel(0, 0), qRgb(0, 255, 0));
    QCOMPARE(canvas.pixel(20, 12), qRgb(255, 0, 0));
    // Bitmap data blocks (background art, textures) keep it too.
    const std::optional<QImage> block = Graphic::readBitmapData(Graphic::writeBitmapData(image));
    QVERIFY(block && *block == image);
}

void tst_Graphic::svgBecomesVectorMetafile() {
    Graphic g;
    QVERIFY(g.loadFromFile(dir + "logo.svg"));
    QCOMPARE(g.kind(), Graphic::Kind::Metafile);
    QCOMPARE(g.className(), QStringLiteral("TMetafile"));
    // 192 x 96 pixels at 96 per inch: 2 x 1 inches.
    QCOMPARE(MetafilePlayer::sizeHundredthsMm(g.metafileData()), QSizeF(5080, 2540));
    const QList<quint32> records = emfRecords(g.metafileData());
    QVERIFY(!records.contains(emrStretchDiBits));
    QVERIFY(records.contains(emrFillPath) || records.contains(emrStrokePath));
    QVERIFY(Graphic::readData(g.writeData()) == g);

    // Played back, it looks as Qt SVG draws the file (gradients in their average colour).
    QImage played(384, 192, QImage::Format_RGB32), reference = played;
    played.fill(Qt::white);
    reference.fill(Qt::white);
    QPainter p(&played);
    p.setRenderHint(QPainter::Antialiasing);
    g.draw(p, QRectF(0, 0, 384, 192));
    p.end();
    QSvgRenderer svg(dir + "logo.svg");
    QPainter r(&reference);
    svg.render(&r, QRectF(0, 0, 384, 192));
    r.end();
    for (const QPoint at : {QPoint(96, 96), QPoint(20, 10), QPoint(380, 150), QPoint(370, 10)})
        QCOMPARE(played.pixel(at), reference.pixel(at));
    QVERIFY(qBlue(played.pixel(288, 120)) > 200 && qRed(played.pixel(288, 120)) < 50);
}

void tst_Graphic::svgReadsNothingOutsideItself() {
    QTemporaryDir tmp;
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QString secret = written(tmp, "secret.png", encoded(red, "png"));
    written(tmp, "other.svg", "<svg xmlns='http://www.w3.org/2000/svg' id='x'/>");
    const QByteArray inline_ = "data:image/png;base64," + encoded(red, "png").toBase64();
    const QByteArray svg =
        "<?xml-stylesheet href='style.css' type='text/css'?>"
        "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
        "width='40' height='20'>"
        "<script>alert(1)</script>"
        "<image x='0' y='0' width='10' height='10' xlink:href='secret.png'/>"
        "<image x='10' y='0' width='10' height='10' href='file://" +
        secret.toUtf8() +
        "'/>"
        "<image x='20' y='0' width='10' height='10' xlink:href='http://example.com/a.png'/>"
        "<use xlink:href='other.svg#x'/>"
        "<image x='30' y='0' width='10' height='10' xlink:href='" +
        inline_ +
        "'/>"
        "<rect x='0' y='10' width='40' height='10' fill='blue'/></svg>";
    const QString kept = QString::fromUtf8(SvgImport::selfContained(svg));
    for (const char* gone : {"secret", "example.com", "other.svg", "script", "style.css"})
        QVERIFY2(!kept.contains(QLatin1String(gone)), gone);
    QVERIFY(kept.contains(QLatin1String("data:image/png;base64,")));

    Graphic g;
    QVERIFY(g.loadFromFile(written(tmp, "refs.svg", svg)));
    // Only the inline picture is drawn.
    QCOMPARE(emfRecords(g.metafileData()).count(emrStretchDiBits), 1);
}

void tst_Graphic::nestedSvgUsesStayBounded() {
    // Each level uses the one before twice: drawn in full, 2^40 rectangles.
    QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' "
                     "xmlns:xlink='http://www.w3.org/1999/xlink' width='10' height='10'><defs>"
                     "<g id='l0'><rect width='1' height='1'/></g>";
    for (int i = 1; i <= 40; ++i)
        svg += QStringLiteral("<g id='l%1'><use xlink:href='#l%2'/><use xlink:href='#l%2'/></g>")
                   .arg(i)
                   .arg(i - 1)
                   .toUtf8();
    // A chain of uses is cut at its second link.
    svg += "</defs><use xlink:href='#l40'/><use id='u1' xlink:href='#l0' x='5'/>"
           "<use id='u2' xlink:href='#u1' y='5'/><use xlink:href='#u2' x='2'/></svg>";
    const std::optional<Graphic> g = Graphic::fromFileData(svg, ".SVG");
    QVERIFY(g);
    QCOMPARE(emfRecords(g->metafileData()).count(emrFillPath), 1);
}

void tst_Graphic::damagedSvgKeepsWhatWasRead() {
    const QByteArray logo = fixture("logo.svg");
    const qsizetype cut = logo.indexOf("<path");
    const std::optional<Graphic> g = Graphic::fromFileData(logo.left(cut + 12), ".SVG");
    QVERIFY(g);
    QCOMPARE(g->kind(), Graphic::Kind::Metafile);
    QImage played(192, 96, QImage::Format_RGB32);
    played.fill(Qt::white);
    QPainter p(&played);
    g->draw(p, QRectF(0, 0, 192, 96));
    p.end();
    QCOMPARE(played.pixel(48, 48), qRgb(0xc0, 0, 0)); // the circle, read before the damage
}

void tst_Graphic::svgInsideSvgIsRefused_data() {
    QTest::addColumn<QByteArray>("mediaType");
    QTest::addColumn<QByteArray>("inner"); // %FILE% is replaced by a picture file's name
    const QByteArray reads = svgWith("<image width='40' height='20' xlink:href='%FILE%'/>");
    QTest::newRow("svg naming a file") << QByteArray("image/svg+xml") << reads;
    QTest::newRow("svg named as png") << QByteArray("image/png") << reads;
    QTest::newRow("svg in svg in svg")
        << QByteArray("image/svg+xml") << svgWith(inlineImage("image/svg+xml", reads));
}

void tst_Graphic::svgInsideSvgIsRefused() {
    // Qt SVG would read an SVG picture inside the document as a second document, whose own
    // references to files it loads: no SVG inside SVG is drawn, at any depth.
    QFETCH(QByteArray, mediaType);
    QFETCH(QByteArray, inner);
    QTemporaryDir tmp;
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QString secret = written(tmp, "secret.png", encoded(red, "png"));
    inner.replace("%FILE%", secret.toUtf8());
    const QByteArray svg =
        svgWith("<rect width='40' height='20' fill='blue'/>" + inlineImage(mediaType, inner));
    QVERIFY(!SvgImport::selfContained(svg).contains("<image"));
    const std::optional<Graphic> g = Graphic::fromFileData(svg, ".SVG");
    QVERIFY(g);
    QVERIFY(!emfRecords(g->metafileData()).contains(emrStretchDiBits));
}

void tst_Graphic::svgImportIsBounded_data() {
    QTest::addColumn<QByteArray>("svg");
    QTest::addColumn<QString>("refusal"); // empty: imported
    QTest::addColumn<qsizetype>("maxBytes");
    // Each dash was an outline of its own: hundreds of megabytes.
    QTest::newRow("dashed lines") << fixture("dashes.svg") << QString() << qsizetype(8 << 20);
    // A raster far larger than any card prints is reduced to 2100 pixels on its longer side.
    QImage big(4000, 3000, QImage::Format_RGB32);
    big.fill(Qt::darkGreen);
    QTest::newRow("huge inline raster") << svgWith(inlineImage("image/png", encoded(big, "png")))
                                        << QString() << qsizetype(2100 * 1575 * 4 + 4096);
    QTest::newRow("too many elements")
        << svgWith(QByteArray("<rect width='1' height='1'/>").repeated(SvgImport::maxElements + 1))
        << QStringLiteral("The drawing has more than 100000 elements: too many to import.")
        << qsizetype(0);
}

void tst_Graphic::svgImportIsBounded() {
    QFETCH(QByteArray, svg);
    QFETCH(QString, refusal);
    QFETCH(qsizetype, maxBytes);
    QTemporaryDir tmp;
    Graphic g;
    QString error;
    const bool loaded = g.loadFromFile(written(tmp, "drawing.svg", svg), &error);
    QCOMPARE(error, refusal);
    QCOMPARE(loaded, refusal.isEmpty());
    if (loaded)
        QVERIFY2(g.metafileData().size() <= maxBytes,
                 qPrintable(QString::number(g.metafileData().size())));
}

void tst_Graphic::svgDashesStayDashedPens() {
    const QByteArray svg =
        svgWith("<path d='M0 10 H40' fill='none' stroke='black' stroke-width='4' "
                "stroke-dasharray='5 5'/>");
    const std::optional<Graphic> g = Graphic::fromFileData(svg, ".SVG");
    QVERIFY(g);
    const QList<quint32> records = emfRecords(g->metafileData());
    QCOMPARE(records.count(emrExtCreatePen), 1);
    QCOMPARE(records.count(emrFillPath), 0);
    // Played back as Qt SVG draws it: dash, gap, dash.
    QImage played(40, 20, QImage::Format_RGB32);
    played.fill(Qt::white);
    QPainter p(&played);
    g->draw(p, QRectF(0, 0, 40, 20));
    p.end();
    for (int x : {2, 12, 22, 32})
        QCOMPARE(played.pixel(x, 10), qRgb(0, 0, 0));
    for (int x : {7, 17, 27, 37})
        QCOMPARE(played.pixel(x, 10), qRgb(255, 255, 255));
}

void tst_Graphic::svgPaintsLikeAnSvgRenderer_data() {
    // Points of paints.svg (200 x 100), drawn at twice its size.
    QTest::addColumn<QPoint>("at");
    QTest::newRow("linear gradient, near red") << QPoint(10, 40);
    QTest::newRow("linear gradient, middle") << QPoint(100, 40);
    QTest::newRow("linear gradient, near blue") << QPoint(190, 40);
    QTest::newRow("radial gradient, centre") << QPoint(300, 40);
    QTest::newRow("radial gradient, edge") << QPoint(300, 74);
    QTest::newRow("half-opaque red over blue") << QPoint(90, 150);
    QTest::newRow("half-opaque red over white") << QPoint(150, 150);
    QTest::newRow("quarter-opaque stroke") << QPoint(300, 140);
    QTest::newRow("beside the text") << QPoint(230, 150);
}

void tst_Graphic::svgPaintsLikeAnSvgRenderer() {
    // The imported drawing, played on white, against rsvg-convert's picture of the file.
    QFETCH(QPoint, at);
    const QString svg = dir + "paints.svg";
    QTemporaryDir tmp;
    const QString png = tmp.filePath("reference.png");
    QProcess rsvg;
    rsvg.start("rsvg-convert", {"-w", "400", "-h", "200", "-b", "white", svg, "-o", png});
    if (!rsvg.waitForFinished(30000) || rsvg.exitCode() != 0)
        QSKIP("rsvg-convert (librsvg2-bin) is not installed");
    const QImage reference(png);
    Graphic g;
    QVERIFY(g.loadFromFile(svg));
    QImage played(400, 200, QImage::Format_RGB32);
    played.fill(Qt::white);
    QPainter p(&played);
    p.setRenderHint(QPainter::Antialiasing);
    g.draw(p, QRectF(0, 0, 400, 200));
    p.end();
    const QColor want = reference.pixelColor(at), got = played.pixelColor(at);
    const int off =
        std::max({std::abs(want.red() - got.red()), std::abs(want.green() - got.green()),
                  std::abs(want.blue() - got.blue())});
    QVERIFY2(off <= 24,
             qPrintable(QStringLiteral("%1 drawn, %2 expected").arg(got.name(), want.name())));
}

void tst_Graphic::textIsFilledGlyphs() {
    // Text is recorded as filled glyphs only: no outline stroke around them.
    const std::optional<Graphic> g = Graphic::fromFileData(
        svgWith(
            "<text x='2' y='16' font-family='DejaVu Sans' font-size='16' fill='green'>Ag</text>"),
        ".SVG");
    QVERIFY(g);
    const QList<quint32> records = emfRecords(g->metafileData());
    QVERIFY(records.contains(emrFillPath));
    QVERIFY(!records.contains(emrStrokePath));
    QVERIFY(!records.contains(63)); // stroke and fill
    // Played back, the figures stay apart: between the letters' tops nothing is drawn
    // (a figure joined to the one before drew a sliver across).
    QImage played(160, 80, QImage::Format_RGB32);
    played.fill(Qt::white);
    QPainter p(&played);
    g->draw(p, QRectF(0, 0, 160, 80));
    p.end();
    QImage reference = played;
    reference.fill(Qt::white);
    QPainter r(&reference);
    QSvgRenderer(
        svgWith(
            "<text x='2' y='16' font-family='DejaVu Sans' font-size='16' fill='green'>Ag</text>"))
        .render(&r, QRectF(0, 0, 160, 80));
    r.end();
    int differing = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 160; ++x) {
            const QRgb a = played.pixel(x, y), b = reference.pixel(x, y);
            differing += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) > 96;
        }
    QVERIFY2(differing < 20, qPrintable(QString::number(differing)));
}

void tst_Graphic::hugePictureIsRefusedWithReason() {
    Graphic g;
    QString error;
    QVERIFY(!g.loadFromFile(dir + "huge20000.png", &error));
    QVERIFY(g.isEmpty());
    QVERIFY2(error.contains(QStringLiteral("20000 × 20000 pixels")), qPrintable(error));
    QVERIFY(!Graphic::fromFileData(fixture("huge20000.png"), ".PNG"));
    QVERIFY(!g.loadFromFile(dir + "missing.png", &error));
    QCOMPARE(error, QStringLiteral("Error loading file!"));
}

QTEST_MAIN(tst_Graphic)
#include "tst_Graphic.moc"
