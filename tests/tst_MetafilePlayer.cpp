// The metafile player: clip art in both metafile formats looks like an independent
// renderer's picture of it, stays vector (with real text) in a PDF, maps its window onto
// any rectangle, and survives damaged or hostile records.
#include "platform/metafiles/MetafilePlayer.h"
#include "platform/pictures/Graphic.h"
#include "support/PdfReadBack.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using platform::MetafilePlayer;

namespace {
const QString dir = QStringLiteral(ORLANTO_FIXTURES "/pictures/");

QByteArray fixture(const QString& name) {
    QFile f(dir + name);
    if (!f.open(QIODevice::ReadOnly)) qFatal("missing fixture %s", qPrintable(name));
    return f.readAll();
}

QImage render(const QByteArray& data, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    MetafilePlayer::play(p, QRectF(QPointF(0, 0), size), data);
    return image;
}

// Whether a pixel is ink rather than paper, the faintest antialiased fringe counting as paper.
bool notPaper(QRgb pixel) {
    return qGray(pixel) < 235;
}

// A placeable WMF of 100 x 100 units holding the given records (each already framed).
QByteArray wmf(const QList<QByteArray>& records) {
    QByteArray body;
    for (const QByteArray& r : records)
        body += r;
    body += QByteArray("\x03\x00\x00\x00\x00\x00", 6);
    QByteArray out(22 + 18, '\0');
    qToLittleEndian<quint32>(0x9AC6CDD7, out.data());
    qToLittleEndian<qint16>(100, out.data() + 10);
    qToLittleEndian<qint16>(100, out.data() + 12);
    qToLittleEndian<quint16>(100, out.data() + 14);
    qToLittleEndian<quint16>(1, out.data() + 22);
    qToLittleEndian<quint16>(9, out.data() + 24);
    qToLittleEndian<quint32>(quint32((18 + body.size()) / 2), out.data() + 28);
    return out + body;
}

QByteArray record(quint16 function, const QList<qint16>& words, const QByteArray& extra = {}) {
    QByteArray params;
    for (qint16 w : words)
        params.append(reinterpret_cast<const char*>(&w), 2);
    params += extra;
    if (params.size() % 2) params += '\0';
    QByteArray r(6, '\0');
    qToLittleEndian<quint32>(quint32(3 + params.size() / 2), r.data());
    qToLittleEndian<quint16>(function, r.data() + 4);
    return r + params;
}

QByteArray brush(quint32 colorRef) {
    QByteArray extra(6, '\0');
    qToLittleEndian<quint32>(colorRef, extra.data());
    return record(0x02FC, {0}, extra.left(4) + QByteArray(2, '\0'));
}
} // namespace

class tst_MetafilePlayer : public QObject {
    Q_OBJECT
  private slots:
    void looksLikeReference_data();
    void looksLikeReference();
    void windowMapsOntoTarget();
    void clipAndSavedStates();
    void printsAsVectorsWithText();
    void damagedRecordsDoNotCrash_data();
    void damagedRecordsDoNotCrash();
};

void tst_MetafilePlayer::looksLikeReference_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size"); // the picture at 300 pixels per inch
    QTest::newRow("placeable wmf") << "clipart.wmf" << QSize(600, 300);
    QTest::newRow("emf") << "drawing.emf" << QSize(1181, 591);
}

void tst_MetafilePlayer::looksLikeReference() {
    // The reference is LibreOffice's rendering of the same file, trimmed to its ink. Both
    // renderers antialias differently and LibreOffice draws hatched brushes solid, so the
    // comparison allows a small share of differing pixels (the hatched ellipses alone make
    // about 5% of each picture).
    QFETCH(QString, file);
    QFETCH(QSize, size);
    const QImage reference = QImage(dir + file + ".lo.png").convertToFormat(QImage::Format_RGB32);
    const QImage mine = render(fixture(file), size);
    const QImage ink =
        mine.copy(PdfReadBack::inkBounds(mine, notPaper))
            .scaled(reference.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int differing = 0;
    for (int y = 0; y < reference.height(); ++y)
        for (int x = 0; x < reference.width(); ++x) {
            const QColor a = ink.pixelColor(x, y), b = reference.pixelColor(x, y);
            if (qMax(qMax(qAbs(a.red() - b.red()), qAbs(a.green() - b.green())),
                     qAbs(a.blue() - b.blue())) > 96)
                ++differing;
        }
    const double share = double(differing) / (reference.width() * reference.height());
    qInfo("%s: %.2f%% of pixels differ", qPrintable(file), share * 100);
    if (share > 0.10 || qEnvironmentVariableIsSet("ORLANTO_SAVE_RENDERINGS")) {
        ink.save(QDir::temp().filePath(file + ".mine.png"));
        QFAIL(qPrintable(QStringLiteral("%1% of pixels differ").arg(share * 100)));
    }
}

void tst_MetafilePlayer::windowMapsOntoTarget() {
    // SetWindowOrg(50, 50), SetWindowExt(50, 50): the window's lower-right quarter of the
    // picture fills the whole target; a red rectangle over (50,50)-(75,100) fills its left half.
    const QByteArray data =
        wmf({record(0x020B, {50, 50}), record(0x020C, {50, 50}), brush(0x0000FF),
             record(0x012D, {0}), record(0x041B, {100, 75, 50, 50})});
    const QImage image = render(data, QSize(200, 100));
    QCOMPARE(image.pixel(50, 50), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(150, 50), qRgb(255, 255, 255));
    const QImage offset = [&] {
        QImage img(300, 200, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        p.translate(100, 100); // the caller's own transform is kept
        MetafilePlayer::play(p, QRectF(0, 0, 200, 100), data);
        return img;
    }();
    QCOMPARE(offset.pixel(150, 150), qRgb(255, 0, 0));
    QCOMPARE(offset.pixel(50, 50), qRgb(255, 255, 255));
}

void tst_MetafilePlayer::clipAndSavedStates() {
    // SaveDC, IntersectClipRect(0, 0, 50, 100), fill all, RestoreDC, then an exclusion:
    // the restored state has no clip, so the second rectangle fills its whole area.
    const QByteArray data = wmf({brush(0x0000FF), record(0x012D, {0}), record(0x001E, {}),
                                 record(0x0416, {100, 50, 0, 0}), record(0x041B, {50, 100, 0, 0}),
                                 record(0x0127, {-1}), record(0x041B, {100, 100, 50, 0})});
    const QImage image = render(data, QSize(100, 100));
    QCOMPARE(image.pixel(25, 25), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(75, 25), qRgb(255, 255, 255)); // clipped away
    QCOMPARE(image.pixel(75, 75), qRgb(255, 0, 0));     // drawn after RestoreDC
}

void tst_MetafilePlayer::printsAsVectorsWithText() {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir tmp;
    for (const QString& file : {QStringLiteral("clipart.wmf"), QStringLiteral("drawing.emf")}) {
        const QString pdf = tmp.filePath(file + ".pdf");
        {
            QPdfWriter writer(pdf);
            writer.setResolution(1200);
            QPainter p(&writer);
            const std::optional<platform::Graphic> g =
                platform::Graphic::fromMetafileData(fixture(file));
            QVERIFY(g);
            g->draw(p, QRectF(600, 600, 4200, 2400)); // 3.5 x 2 inches
        }
        QProcess text;
        text.start(pdftotext, {pdf, "-"});
        QVERIFY(text.waitForFinished(30000));
        // Glyphs placed one by one (an ExtTextOut with spacing) may come back with the
        // extractor's guessed spaces, so the words are compared without white space.
        const QString out =
            QString::fromUtf8(text.readAllStandardOutput()).remove(QRegularExpression("\\s"));
        QVERIFY2(out.contains(file.endsWith("wmf") ? "OrlantoLogo" : "VectorText"),
                 qPrintable(out));
    }
}

void tst_MetafilePlayer::damagedRecordsDoNotCrash_data() {
    QTest::addColumn<QByteArray>("data");
    const QByteArray clip = fixture("clipart.wmf");
    const QByteArray emf = fixture("drawing.emf");
    QByteArray hugeCount = wmf({record(0x0324, {32767, 1, 2})});
    QByteArray badSize = clip;
    qToLittleEndian<quint32>(0xFFFFFFF0, badSize.data() + 40); // first record claims 8 GB
    QByteArray emfBadRecord = emf;
    qToLittleEndian<quint32>(0x7FFFFFFF, emfBadRecord.data() + 108 + 4);
    QByteArray hugeFont =
        wmf({record(0x02FB, {32767, 0, 0, 0, 400}, QByteArray(40, 'A')), record(0x012D, {0}),
             record(0x0521, {3}, "abc\0" + QByteArray("\0\0\0\0", 4))});
    QTest::newRow("truncated wmf") << clip.left(clip.size() / 2);
    QTest::newRow("truncated emf") << emf.left(emf.size() / 2);
    QTest::newRow("point count past the record") << hugeCount;
    QTest::newRow("record size past the end") << badSize;
    QTest::newRow("emf record size past the end") << emfBadRecord;
    QTest::newRow("unknown records") << wmf({record(0x7777, {1, 2, 3}), record(0x1234, {})});
    QTest::newRow("restore without save") << wmf({record(0x0127, {-5}), record(0x0127, {3})});
    QTest::newRow("huge font") << hugeFont;
    QTest::newRow("header only") << clip.left(40);
}

void tst_MetafilePlayer::damagedRecordsDoNotCrash() {
    QFETCH(QByteArray, data);
    const QImage image = render(data, QSize(50, 50));
    QCOMPARE(image.size(), QSize(50, 50));
}

QTEST_MAIN(tst_MetafilePlayer)
#include "tst_MetafilePlayer.moc"
