// The stored report: pages recorded into a byte stream and replayed by the preview, plus
// the report's page model and pen rules, which the stored report shows pixel by pixel.
#include "platform/report/Report.h"
#include "platform/report/StoredReport.h"
#include "platform/report/StoredReportTarget.h"

#include <QBuffer>
#include <QPicture>
#include <QtTest>

using platform::Report;
using platform::StoredReport;
using platform::StoredReportTarget;

namespace {
// Runs one report into a byte array; draw is the page-drawing function.
QByteArray record(const std::function<void(Report&)>& draw, int resolution = 300,
                  int paper = Report::paperLetter, bool* ok = nullptr) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    StoredReportTarget target(buffer, resolution);
    Report report(target);
    report.setPaperSize(paper);
    report.onPrint = draw;
    const bool done = report.run();
    if (ok) *ok = done;
    return bytes;
}

StoredReport load(QByteArray bytes) {
    QBuffer buffer(&bytes);
    StoredReport stored;
    QString error;
    if (!stored.load(buffer, error)) qWarning() << error;
    return stored;
}

// Page index replayed onto a white image at the given pixels per inch.
QImage replay(const StoredReport& stored, int index, double ppi) {
    const QSizeF inches = stored.pageSizeInches();
    QImage image(qCeil(inches.width() * ppi), qCeil(inches.height() * ppi), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    stored.paintPage(index, p, ppi);
    return image;
}

// Number of non-white pixels in column x between rows y0 and y1.
int inkInColumn(const QImage& image, int x, int y0, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        n += image.pixel(x, y) != qRgb(255, 255, 255);
    return n;
}
} // namespace

class tst_ReportStored : public QObject {
    Q_OBJECT
  private slots:
    void roundTrip();
    void pageSize_data();
    void pageSize();
    void penWidth_data();
    void penWidth();
    void runStartsWithOutlinePenAndClearBrush();
    void pagesAndStatus();
    void abortRefusedByReader();
    void damagedStreamRefused_data();
    void damagedStreamRefused();
    void pictureAndTextLandInTheirRectangle();
    void bitmapBrushAndPolygon();
};

void tst_ReportStored::roundTrip() {
    const QByteArray bytes = record([](Report& r) {
        r.brush = {TColor::clRed, Gdi::bsSolid, {}};
        r.rectangle(1.0, 1.0, 2.0, 2.0);
        QVERIFY(r.newPage());
        r.brush = {TColor(0xFF0000), Gdi::bsSolid, {}}; // blue
        r.ellipse(3.0, 3.0, 4.0, 5.0);
    });
    const StoredReport stored = load(bytes);
    QCOMPARE(stored.pageCount(), 2);
    QCOMPARE(stored.resolution(), 300);

    const QImage one = replay(stored, 0, 100);
    QCOMPARE(one.size(), QSize(850, 1100));
    QCOMPARE(one.pixel(150, 150), qRgb(255, 0, 0));
    QCOMPARE(one.pixel(95, 150), qRgb(255, 255, 255));
    QCOMPARE(one.pixel(350, 400), qRgb(255, 255, 255)); // page 2's ellipse is not here

    const QImage two = replay(stored, 1, 50);
    QCOMPARE(two.pixel(175, 200), qRgb(0, 0, 255));
    QCOMPARE(two.pixel(151, 151), qRgb(255, 255, 255)); // outside the ellipse's curve
    QCOMPARE(two.pixel(75, 75), qRgb(255, 255, 255));   // page 1's rectangle is not here
}

void tst_ReportStored::pageSize_data() {
    QTest::addColumn<int>("paper");
    QTest::addColumn<QSizeF>("inches");
    QTest::newRow("letter") << 1 << QSizeF(8.5, 11.0);
    QTest::newRow("A4") << 9 << QSizeF(210 / 25.4, 297 / 25.4);
    QTest::newRow("other codes are A4") << 2 << QSizeF(210 / 25.4, 297 / 25.4);
}

void tst_ReportStored::pageSize() {
    QFETCH(int, paper);
    QFETCH(QSizeF, inches);
    const StoredReport stored = load(record([](Report&) {}, 300, paper));
    QCOMPARE(stored.pageCount(), 1); // an empty run still has its one (empty) page
    QVERIFY(qAbs(stored.pageSizeInches().width() - inches.width()) < 0.01);
    QVERIFY(qAbs(stored.pageSizeInches().height() - inches.height()) < 0.01);
}

void tst_ReportStored::penWidth_data() {
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("pixels");
    QTest::newRow("-10 at 300 dpi is a tenth of an inch") << 300 << -10 << 30;
    QTest::newRow("-1 at 300 dpi") << 300 << -1 << 3;
    QTest::newRow("-1 at 600 dpi") << 600 << -1 << 6;
    QTest::newRow("-1 at 40 dpi is still one pixel") << 40 << -1 << 1;
    QTest::newRow("-2 at 40 dpi rounds to one pixel") << 40 << -2 << 1;
    QTest::newRow("positive width is device pixels") << 300 << 5 << 5;
    QTest::newRow("zero is one pixel") << 300 << 0 << 1;
}

void tst_ReportStored::penWidth() {
    QFETCH(int, resolution);
    QFETCH(int, width);
    QFETCH(int, pixels);
    const StoredReport stored = load(record(
        [width](Report& r) {
            r.pen = {TColor::clBlack, Gdi::psSolid, width, Gdi::pmCopy};
            r.moveTo(1.0, 2.0);
            r.lineTo(4.0, 2.0);
        },
        resolution));
    const QImage page = replay(stored, 0, resolution);
    const int y = 2 * resolution;
    QCOMPARE(inkInColumn(page, 2 * resolution, y - 40, y + 40), pixels);
}

void tst_ReportStored::runStartsWithOutlinePenAndClearBrush() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    StoredReportTarget target(buffer);
    Report report(target);
    // A previous run leaves a wide red pen and a solid brush behind.
    report.onPrint = [](Report& r) {
        r.pen = {TColor::clRed, Gdi::psSolid, -10, Gdi::pmCopy};
        r.brush = {TColor::clGreen, Gdi::bsSolid, {}};
    };
    QVERIFY(report.run());
    bytes.clear();
    buffer.close();
    report.onPrint = [](Report& r) { r.rectangle(1.0, 1.0, 2.0, 2.0); };
    QVERIFY(report.run());

    const QImage page = replay(load(bytes), 0, 300);
    QCOMPARE(page.pixel(300, 450), qRgb(0, 0, 0));
    QCOMPARE(page.pixel(301, 450), qRgb(255, 255, 255)); // one pixel wide, not filled
    QCOMPARE(page.pixel(599, 450), qRgb(0, 0, 0));       // right edge is exclusive
    QCOMPARE(page.pixel(600, 450), qRgb(255, 255, 255));
}

void tst_ReportStored::pagesAndStatus() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    StoredReportTarget target(buffer);
    Report report(target);
    QStringList shown;
    QList<int> pagesSeen;
    report.status.sink = [&shown](const QString& t) { shown << t; };
    report.onBeforePrint = [](Report& r) {
        QCOMPARE(r.maxCopies(), 1);
        r.status.format = QStringLiteral("Preparing Preview Page %p\r%0\r%1");
        r.status.text << QString() << QString();
    };
    report.onPrint = [&pagesSeen](Report& r) {
        while (true) {
            pagesSeen << r.currentPage();
            if (r.currentPage() == 3) break;
            QVERIFY(r.newPage());
        }
    };
    QVERIFY(report.run());
    QCOMPARE(pagesSeen, (QList<int>{1, 2, 3}));
    QCOMPARE(shown, (QStringList{"Preparing Preview Page 1\n\n", "Preparing Preview Page 2\n\n",
                                 "Preparing Preview Page 3\n\n"}));
    QCOMPARE(load(bytes).pageCount(), 3);
    QVERIFY(!report.newPage()); // no pages outside a run
}

void tst_ReportStored::abortRefusedByReader() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    StoredReportTarget target(buffer);
    Report report(target);
    report.onPrint = [](Report& r) {
        r.rectangle(1, 1, 2, 2);
        QVERIFY(r.newPage());
        r.abort();
        QVERIFY(!r.newPage());
    };
    QVERIFY(!report.run());
    QVERIFY(report.aborted());
    QVERIFY(report.errorString().isEmpty());

    QBuffer in(&bytes);
    StoredReport stored;
    QString error;
    QVERIFY(!stored.load(in, error));
    QCOMPARE(error, QStringLiteral("The stored report is incomplete."));
    QCOMPARE(stored.pageCount(), 0);

    // The next run starts afresh.
    bytes.clear();
    buffer.close();
    report.onPrint = [](Report&) {};
    QVERIFY(report.run());
    QVERIFY(!report.aborted());
}

void tst_ReportStored::damagedStreamRefused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    const QByteArray good = record([](Report& r) {
        r.brush = {TColor::clRed, Gdi::bsSolid, {}};
        r.rectangle(1, 1, 2, 2);
    });
    // Magic, version, width, height and resolution; then the first page's tag and length.
    const int header = 4 + 2 + 8 + 8 + 4;
    QTest::newRow("empty") << QByteArray() << "This is not a stored report.";
    QTest::newRow("other data") << QByteArray("%PDF-1.4 something else")
                                << "This is not a stored report.";
    QTest::newRow("header only") << good.left(header) << "The stored report is incomplete.";
    QTest::newRow("cut in a page")
        << good.left(good.size() / 2) << "The stored report is incomplete.";
    QTest::newRow("without its end")
        << good.left(good.size() - 5) << "The stored report is incomplete.";
    QByteArray flipped = good;
    flipped[good.size() / 2] = char(flipped[good.size() / 2] ^ 0x5A);
    QTest::newRow("a changed byte in a page") << flipped << "The stored report is damaged.";
    QByteArray huge = good;
    huge.replace(header + 1, 4, QByteArray::fromHex("7ffffff0")); // claims 2 GB
    QTest::newRow("page length beyond the end") << huge << "The stored report is incomplete.";
    QByteArray wrongCount = good;
    wrongCount[good.size() - 1] = 2;
    QTest::newRow("page count disagrees") << wrongCount << "The stored report is incomplete.";
}

void tst_ReportStored::damagedStreamRefused() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QBuffer buffer(&bytes);
    StoredReport stored;
    QString message;
    QVERIFY(!stored.load(buffer, message));
    QCOMPARE(message, error);
    QCOMPARE(stored.pageCount(), 0);
}

void tst_ReportStored::pictureAndTextLandInTheirRectangle() {
    // A design object records itself in its own pixels and is stretched into inches.
    QPicture label;
    {
        QPainter p(&label);
        p.fillRect(QRect(0, 0, 96, 48), Qt::blue);
    }
    label.setBoundingRect(QRect(0, 0, 96, 48));
    QImage logo(10, 10, QImage::Format_RGB32);
    logo.fill(Qt::green);

    const StoredReport stored = load(record([&](Report& r) {
        r.stretchDraw(QRectF(QPointF(1.0, 1.0), QPointF(2.0, 1.5)), label);
        r.stretchDraw(QRectF(QPointF(3.0, 1.0), QPointF(3.5, 2.0)), logo);
        r.font = QFont(QStringLiteral("Arial"), 36);
        r.textOut(1.0, 3.0, QStringLiteral("HH"));
    }));
    const QImage page = replay(stored, 0, 100);
    QCOMPARE(page.pixel(101, 101), qRgb(0, 0, 255));
    QCOMPARE(page.pixel(198, 148), qRgb(0, 0, 255));
    QCOMPARE(page.pixel(201, 120), qRgb(255, 255, 255));
    QCOMPARE(page.pixel(120, 151), qRgb(255, 255, 255));
    QCOMPARE(page.pixel(301, 101), qRgb(0, 255, 0));
    QCOMPARE(page.pixel(348, 198), qRgb(0, 255, 0));
    QCOMPARE(page.pixel(352, 150), qRgb(255, 255, 255));

    // 36 pt text: cell top at 3 inches, capital H about 0.36 x 0.5 in tall cell.
    QRect ink;
    for (int y = 280; y < 380; ++y)
        for (int x = 90; x < 250; ++x)
            if (qGray(page.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
    QVERIFY2(ink.left() >= 100 && ink.left() <= 106, qPrintable(QString::number(ink.left())));
    QVERIFY2(ink.top() > 300 && ink.top() < 315, qPrintable(QString::number(ink.top())));
    const double heightInches = ink.height() / 100.0;
    QVERIFY2(heightInches > 0.30 && heightInches < 0.40, qPrintable(QString::number(heightInches)));
}

void tst_ReportStored::bitmapBrushAndPolygon() {
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(Qt::green);
    const StoredReport stored = load(record([&](Report& r) {
        r.pen = {TColor::clBlack, Gdi::psClear, 1, Gdi::pmCopy};
        r.brush = {TColor::clRed, Gdi::bsSolid, tile}; // the bitmap wins over the colour
        r.rectangle(1.0, 1.0, 2.0, 2.0);
        r.brush = {TColor::clRed, Gdi::bsSolid, {}};
        r.polygon(QPolygonF{QPointF(3, 1), QPointF(4, 1), QPointF(3, 2)});
    }));
    const QImage page = replay(stored, 0, 100);
    QCOMPARE(page.pixel(150, 150), qRgb(0, 255, 0));
    QCOMPARE(page.pixel(210, 150), qRgb(255, 255, 255));
    QCOMPARE(page.pixel(310, 110), qRgb(255, 0, 0));
    QCOMPARE(page.pixel(390, 190), qRgb(255, 255, 255)); // beyond the diagonal
}

QTEST_MAIN(tst_ReportStored)
#include "tst_ReportStored.moc"
