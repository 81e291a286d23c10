// The picture model: every raster format and variant decodes pixel for pixel like the
// reference decoding, the card file's picture and bitmap data blocks survive a round trip,
// and damaged or oversized pictures give an error instead of a crash or a huge allocation.
#include "platform/Graphic.h"
#include "platform/RasterDecoder.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using platform::Graphic;

namespace {
const QString dir = QStringLiteral(ORLANTO_FIXTURES "/pictures/");

QByteArray fixture(const QString& name)
{
    QFile f(dir + name);
    if (!f.open(QIODevice::ReadOnly)) qFatal("missing fixture %s", qPrintable(name));
    return f.readAll();
}

QByteArray u32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray shortString(const QByteArray& s)
{
    return char(s.size()) + s;
}

// A BMP header claiming a picture of w x h pixels at 24 bits, with only a few bytes of bits.
QByteArray hugeBmp(qint32 w, qint32 h)
{
    QByteArray info;
    info += u32(40) + u32(quint32(w)) + u32(quint32(h));
    info += QByteArray("\x01\x00\x18\x00", 4) + u32(0) + u32(0) + u32(0) + u32(0) + u32(0) + u32(0);
    QByteArray file = "BM" + u32(54 + 16) + u32(0) + u32(54) + info + QByteArray(16, '\x7f');
    return file;
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
};

void tst_Graphic::decodesLikeReference_data()
{
    QTest::addColumn<QString>("file");
    for (const char* name : {"rgb24.bmp", "rle8.bmp", "rle4.bmp", "noheader.dib", "logo.rle", "icon.ico",
                             "grey.jpg", "palette8.pcx", "truecolor.pcx", "mono.pcx", "ega.pcx",
                             "raw24.tga", "rle24.tga", "rlemapped.tga", "rlegrey.tga", "rle32alpha.tga",
                             "topdown.tga", "bottomup.tga"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_Graphic::decodesLikeReference()
{
    QFETCH(QString, file);
    Graphic g;
    QVERIFY(g.loadFromFile(dir + file));
    const QImage reference = QImage(dir + file + ".png").convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!reference.isNull());
    const QImage decoded = g.image().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(decoded.size(), reference.size());
    for (int y = 0; y < reference.height(); ++y)
        for (int x = 0; x < reference.width(); ++x)
            if (decoded.pixel(x, y) != reference.pixel(x, y))
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2): %3 instead of %4")
                                     .arg(x).arg(y).arg(decoded.pixel(x, y), 8, 16).arg(reference.pixel(x, y), 8, 16)));
}

void tst_Graphic::kindFollowsExtension_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("savedAs");
    QTest::addColumn<int>("kind");
    QTest::newRow("bmp") << "rgb24.bmp" << "x.BMP" << int(Graphic::Kind::Bitmap);
    QTest::newRow("lower-case extension") << "rgb24.bmp" << "x.bmp" << int(Graphic::Kind::Bitmap);
    QTest::newRow("dib with file header") << "rgb24.bmp" << "x.dib" << int(Graphic::Kind::Bitmap);
    QTest::newRow("jif") << "grey.jif" << "x.JIF" << int(Graphic::Kind::Bitmap);
    QTest::newRow("ico") << "icon.ico" << "x.ico" << int(Graphic::Kind::Icon);
    QTest::newRow("wmf") << "clipart.wmf" << "x.wmf" << int(Graphic::Kind::Metafile);
}

void tst_Graphic::kindFollowsExtension()
{
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

void tst_Graphic::pictureDataRoundTrip_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("className");
    QTest::newRow("bitmap from bmp") << "rle8.bmp" << QByteArray("TBitmap");
    QTest::newRow("bitmap from pcx") << "palette8.pcx" << QByteArray("TBitmap");
    QTest::newRow("bitmap from headerless dib") << "noheader.dib" << QByteArray("TBitmap");
    QTest::newRow("icon") << "icon.ico" << QByteArray("TIcon");
    QTest::newRow("placeable wmf") << "clipart.wmf" << QByteArray("TMetafile");
}

void tst_Graphic::pictureDataRoundTrip()
{
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
    QCOMPARE(back->image().convertToFormat(QImage::Format_ARGB32), g.image().convertToFormat(QImage::Format_ARGB32));
    QCOMPARE(back->metafileData(), g.metafileData());
    QCOMPARE(back->writeData(), block);
}

void tst_Graphic::unknownClassLeavesPictureEmpty()
{
    const std::optional<Graphic> g = Graphic::readData(shortString("TJPEGImage") + fixture("grey.jpg"));
    QVERIFY(g);
    QVERIFY(g->isEmpty());
    QVERIFY(Graphic().writeData().isEmpty());
}

void tst_Graphic::bitmapDataRoundTrip()
{
    QCOMPARE(Graphic::writeBitmapData(QImage()), u32(0));
    QVERIFY(Graphic::readBitmapData(u32(0)).value().isNull());
    Graphic g;
    QVERIFY(g.loadFromFile(dir + "truecolor.pcx"));
    const QByteArray block = Graphic::writeBitmapData(g.image());
    QCOMPARE(qFromLittleEndian<quint32>(block.constData()), quint32(block.size() - 4));
    const std::optional<QImage> back = Graphic::readBitmapData(block);
    QVERIFY(back);
    QCOMPARE(back->convertToFormat(QImage::Format_RGB32), g.image().convertToFormat(QImage::Format_RGB32));
}

void tst_Graphic::damagedDataIsRefused_data()
{
    QTest::addColumn<QByteArray>("block");
    const QByteArray bmp = fixture("rgb24.bmp");
    const QByteArray wmf = fixture("clipart.wmf");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("name longer than the block") << QByteArray("\x20TBit", 5);
    QTest::newRow("bitmap length past the end") << shortString("TBitmap") + u32(bmp.size() + 1) + bmp;
    QTest::newRow("bitmap bytes not a bmp") << shortString("TBitmap") + u32(8) + QByteArray("BMxxxxxx");
    QTest::newRow("bitmap of 100000 x 100000") << shortString("TBitmap") + u32(hugeBmp(100000, 100000).size()) + hugeBmp(100000, 100000);
    QTest::newRow("metafile length below 4") << shortString("TMetafile") + u32(3) + wmf;
    QTest::newRow("metafile length past the end") << shortString("TMetafile") + u32(wmf.size() + 5) + wmf;
    QTest::newRow("metafile without key") << shortString("TMetafile") + u32(12) + QByteArray(8, 'x');
    QTest::newRow("icon truncated") << shortString("TIcon") + fixture("icon.ico").left(30);
}

void tst_Graphic::damagedDataIsRefused()
{
    QFETCH(QByteArray, block);
    QVERIFY(!Graphic::readData(block));
}

void tst_Graphic::badFilesDoNotLoad_data()
{
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
    QTest::newRow("unknown extension") << "a.gif" << fixture("rgb24.bmp");
    QTest::newRow("empty ico") << "a.ico" << QByteArray();
}

void tst_Graphic::badFilesDoNotLoad()
{
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

void tst_Graphic::drawsStretchedIntoRect()
{
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

QTEST_MAIN(tst_Graphic)
#include "tst_Graphic.moc"
