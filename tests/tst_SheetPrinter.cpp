// The sheet printer's page loop and background art, on the stored report and on PDF read
// back with poppler: where cards land, which positions and sheets are drawn, what a preview
// and the outline test page hold, copies, and the final status texts.
#include "support/PdfReadBack.h"
#include "support/SurfaceFixture.h"

#include "document/TGGraphicControl.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/report/PdfReportTarget.h"
#include "platform/report/Report.h"
#include "platform/report/StoredReport.h"
#include "platform/report/StoredReportTarget.h"
#include "printing/TSheetPrinter.h"

#include <QBuffer>
#include <QPainter>
#include <QProcess>
#include <QtTest>

#include <stdexcept>

using platform::Report;
using Mode = SheetPrintJob::Mode;

namespace {
constexpr int Ppi = 96;

struct PrintedCard {
    int page;
    double x, y;
};

// A design object covering the card: it prints its outline and a 0.2 inch black square in
// its middle, and notes where and on which page it was printed.
class CardMark : public TGGraphicControl {
    Q_OBJECT
  public:
    using TGGraphicControl::TGGraphicControl;
    std::vector<PrintedCard>* log = nullptr;
    bool throwOnPrint = false;

    void paint(platform::Canvas&) override {}
    void print(Report& report, double x, double y) override {
        if (throwOnPrint) throw std::runtime_error("drawing failed");
        // A card draws from its own corner, which the report places on the sheet.
        const QTransform placed = report.painter().worldTransform();
        if (log)
            log->push_back({report.currentPage(), x + placed.dx() / report.resolution(),
                            y + placed.dy() / report.resolution()});
        const double l = x + left() / double(Ppi), t = y + top() / double(Ppi);
        const double r = l + width() / double(Ppi), b = t + height() / double(Ppi);
        report.pen = {TColor::clBlack, Gdi::psSolid, 1, Gdi::pmCopy};
        report.brush = {TColor::clWhite, Gdi::bsClear, {}};
        report.rectangle(l, t, r, b);
        report.brush = {TColor::clBlack, Gdi::bsSolid, {}};
        const double cx = (l + r) / 2, cy = (t + b) / 2;
        report.rectangle(cx - 0.1, cy - 0.1, cx + 0.1, cy + 0.1);
    }
};

// A stored report that claims the driver makes copies, and remembers how many it was asked.
class CopyingTarget : public platform::StoredReportTarget {
  public:
    using StoredReportTarget::StoredReportTarget;
    int maxCopies() const override { return 99; }
    bool begin(const Job& job, QPainter& painter, QString& error) override {
        copies = job.copies;
        return StoredReportTarget::begin(job, painter, error);
    }
    int copies = 0;
};

TCardSelection only(std::initializer_list<int> positionsFromOne) {
    TCardSelection s;
    s.setFirst(s.size(), false);
    for (int p : positionsFromOne)
        s.setSelected(p - 1, true);
    return s;
}

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& pdf) {
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Dark pixels, not counting the blue background art.
bool isInk(QRgb p) {
    return qGray(p) < 128 && qBlue(p) < qRed(p) + 100;
}

bool isArt(QRgb p) {
    return qBlue(p) > 200 && qRed(p) < 80;
}

// The share of ink along a line of pixels from `from`, `length` steps of `step`.
double inkShare(const QImage& image, QPoint from, QPoint step, int length) {
    int ink = 0;
    for (int i = 0; i < length; ++i)
        ink += isInk(image.pixel(from + step * i)) ? 1 : 0;
    return double(ink) / length;
}

// Checks that the one-pixel outline of a rectangle drawn over the device rectangle
// [left, right) x [top, bottom) lies within two pixels of where it should: a card's corner
// lies on the nearest device pixel and its objects on the nearest pixels from there (half a
// pixel each), and the mark, sized in screen pixels, may be up to a pixel larger than the
// card. Neighbouring cards may touch it from outside. Empty when it does, else what is wrong.
QString outlineProblem(const QImage& image, const QRectF& px) {
    const int l = qRound(px.left()), t = qRound(px.top());
    const int r = qRound(px.right()) - 1, b = qRound(px.bottom()) - 1; // last pixels inside
    const int w = r - l - 40, h = b - t - 40;
    struct Edge {
        const char* name;
        QPoint at, along, across;
        int length;
    };
    const Edge edges[] = {{"top", {l + 20, t}, {1, 0}, {0, 1}, w},
                          {"bottom", {l + 20, b}, {1, 0}, {0, 1}, w},
                          {"left", {l, t + 20}, {0, 1}, {1, 0}, h},
                          {"right", {r, t + 20}, {0, 1}, {1, 0}, h}};
    for (const Edge& e : edges) {
        double best = 0;
        for (int d = -2; d <= 2; ++d)
            best = std::max(best, inkShare(image, e.at + e.across * d, e.along, e.length));
        const double before = inkShare(image, e.at - e.across * 3, e.along, e.length);
        const double after = inkShare(image, e.at + e.across * 3, e.along, e.length);
        if (best < 0.95 || before > 0.05 || after > 0.05)
            return QStringLiteral("%1 edge near %2,%3: line %4, beside it %5 and %6")
                .arg(QLatin1String(e.name))
                .arg(e.at.x())
                .arg(e.at.y())
                .arg(best)
                .arg(before)
                .arg(after);
    }
    return QString();
}

// Expected card rectangles in inches for the positions printed.
QList<QRectF> cardRects(const TCardLayout& l, const TFineTuneOffsets& o, const TCardSelection& s) {
    QList<QRectF> rects;
    for (int r = 0; r < l.down; ++r)
        for (int c = 0; c < l.across; ++c)
            if (s.isSelected(r * l.across + c))
                rects << QRectF(l.leftMargin + o.leftMarginNudge / 32.0 +
                                    c * (l.hPitch + o.horizontalSpacing / 32.0),
                                l.topMargin + o.topMarginNudge / 32.0 +
                                    r * (l.vPitch + o.verticalSpacing / 32.0),
                                l.width, l.height);
    return rects;
}
} // namespace

class tst_SheetPrinter : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void pageLoop_data();
    void pageLoop();
    void copiesGoToTheDriver();
    void pdfGeometry_data();
    void pdfGeometry();
    void previewPage_data();
    void previewPage();
    void backgroundKind_data();
    void backgroundKind();
    void bitmapBackgroundEmbeddedOnce();
    void finalStatus_data();
    void finalStatus();
    void errorWhileDrawingRestoresSurface();
    void largeLayoutSelectsEveryPosition();

  private:
    CardMark* addMark();
    std::unique_ptr<SurfaceFixture> fx_;
    std::vector<PrintedCard> log_;
    QTemporaryDir dir_;
};

void tst_SheetPrinter::initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QFAIL("pdftoppm (poppler-utils) is needed to read the PDF back");
    platform::ScreenMetrics::setPixelsPerInch(Ppi);
}

void tst_SheetPrinter::init() {
    fx_ = std::make_unique<SurfaceFixture>(336, 192);
    fx_->surface->classes().add<CardMark>();
    log_.clear();
}

void tst_SheetPrinter::cleanup() {
    fx_.reset();
}

CardMark* tst_SheetPrinter::addMark() {
    auto* mark = new CardMark(fx_->surface->owner());
    fx_->surface->addObject(mark, QRect(0, 0, 336, 192));
    mark->log = &log_;
    return mark;
}

void tst_SheetPrinter::pageLoop_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("across");
    QTest::addColumn<TCardSelection>("selection");
    QTest::addColumn<int>("pages");
    // Cards as (page, column, row), in drawing order.
    QTest::addColumn<QList<QList<int>>>("cards");

    QList<QList<int>> all;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 2; ++c)
            all << QList<int>{1, c, r};
    QTest::newRow("all ten, row by row") << int(Mode::Print) << 2 << TCardSelection() << 1 << all;
    QTest::newRow("positions 2 and 8")
        << int(Mode::Print) << 2 << only({2, 8}) << 1 << QList<QList<int>>{{1, 1, 0}, {1, 1, 3}};
    QTest::newRow("three sheets without driver copies")
        << int(Mode::Print) << 2 << only({1, 10}) << 3
        << QList<QList<int>>{{1, 0, 0}, {1, 1, 4}, {2, 0, 0}, {2, 1, 4}, {3, 0, 0}, {3, 1, 4}};
    QTest::newRow("preview: first position only")
        << int(Mode::Preview) << 2 << TCardSelection() << 1 << QList<QList<int>>{{1, 0, 0}};
    QTest::newRow("preview: position 1 deselected")
        << int(Mode::Preview) << 2 << only({2, 3}) << 1 << QList<QList<int>>{};
    QTest::newRow("preview: one across, the whole column")
        << int(Mode::Preview) << 1 << only({1, 3, 5}) << 3
        << QList<QList<int>>{{1, 0, 0}, {1, 0, 2}, {1, 0, 4}};
}

void tst_SheetPrinter::pageLoop() {
    QFETCH(int, mode);
    QFETCH(int, across);
    QFETCH(TCardSelection, selection);
    QFETCH(int, pages);
    QFETCH(QList<QList<int>>, cards);
    addMark();
    TCardLayout layout;
    layout.across = across;
    QBuffer stream;
    stream.open(QIODevice::ReadWrite);
    platform::StoredReportTarget target(stream);
    Report report(target);
    TSheetPrinter printer(*fx_->surface, report,
                          SheetPrintJob::make(layout, {}, selection, Mode(mode), pages, {}));
    QStringList extra;
    printer.onExtraLabel = [&](const QString& t) { extra << t; };
    QVERIFY(printer.run());

    QCOMPARE(int(log_.size()), int(cards.size()));
    QStringList expectedExtra;
    for (size_t i = 0; i < log_.size(); ++i) {
        const QList<int>& want = cards.at(int(i));
        QCOMPARE(log_[i].page, want[0]);
        QCOMPARE(log_[i].x, 0.75 + want[1] * 3.5);
        QCOMPARE(log_[i].y, 0.5 + want[2] * 2.0);
        expectedExtra << QStringLiteral("Card %1").arg(want[2] * across + want[1] + 1);
    }
    expectedExtra << QString(); // cleared when the run ends
    QCOMPARE(extra, expectedExtra);

    stream.seek(0);
    platform::StoredReport stored;
    QString error;
    QVERIFY2(stored.load(stream, error), qPrintable(error));
    QCOMPARE(stored.pageCount(), cards.isEmpty() ? 1 : cards.constLast()[0]);
    QVERIFY(!fx_->surface->printing());
}

void tst_SheetPrinter::copiesGoToTheDriver() {
    addMark();
    QBuffer stream;
    stream.open(QIODevice::ReadWrite);
    CopyingTarget target(stream);
    Report report(target);
    TSheetPrinter printer(*fx_->surface, report,
                          SheetPrintJob::make({}, {}, only({4}), Mode::Print, 3, {}));
    QVERIFY(printer.run());
    QCOMPARE(target.copies, 3);
    QCOMPARE(int(log_.size()), 1); // one sheet drawn
}

void tst_SheetPrinter::pdfGeometry_data() {
    QTest::addColumn<TCardLayout>("layout");
    QTest::addColumn<TFineTuneOffsets>("offsets");
    QTest::addColumn<TCardSelection>("selection");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QSize>("pageSize"); // pixels at 300 dpi

    const QSize letter(2550, 3300);
    QTest::newRow("default layout, ten cards")
        << TCardLayout() << TFineTuneOffsets() << TCardSelection() << int(Mode::Print) << 1
        << letter;
    QTest::newRow("positions 2 and 8")
        << TCardLayout() << TFineTuneOffsets() << only({2, 8}) << int(Mode::Print) << 1 << letter;
    // Cards overlapping by 1/32 inch hide each other's edge: one card a row here.
    QTest::newRow("top nudge 2, horizontal spacing -1")
        << TCardLayout() << TFineTuneOffsets{2, 0, 0, -1} << only({1, 4, 5}) << int(Mode::Print)
        << 1 << letter;
    QTest::newRow("three sheets") << TCardLayout() << TFineTuneOffsets() << only({1, 5, 10})
                                  << int(Mode::Print) << 3 << letter;
    QTest::newRow("outline test page") << TCardLayout() << TFineTuneOffsets{0, 3, 0, 0}
                                       << only({1, 2, 7}) << int(Mode::Outline) << 1 << letter;
    TCardLayout a4;
    a4.loadPredefined(10); // L7414
    QTest::newRow("A4 stock L7414") << a4 << TFineTuneOffsets() << TCardSelection()
                                    << int(Mode::Print) << 1 << QSize(2480, 3508);
}

void tst_SheetPrinter::pdfGeometry() {
    QFETCH(TCardLayout, layout);
    QFETCH(TFineTuneOffsets, offsets);
    QFETCH(TCardSelection, selection);
    QFETCH(int, mode);
    QFETCH(int, pages);
    QFETCH(QSize, pageSize);

    // The mark covers the card of the layout at 96 pixels per inch.
    const QSize card = layout.cardPixelSize(Ppi);
    fx_->surface->setSize(card.width(), card.height());
    CardMark* mark = addMark();
    mark->setBounds(0, 0, card.width(), card.height());
    // Background art is printed under every card, but not on the outline test page.
    const QString background = dir_.filePath(QStringLiteral("art.bmp"));
    QImage art(70, 40, QImage::Format_RGB32);
    art.fill(QColor(0, 0, 255));
    QVERIFY(art.save(background, "BMP"));

    const QString file = dir_.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".pdf");
    platform::PdfReportTarget target(file);
    Report report(target);
    report.setPaperSize(layout.papersize);
    TSheetPrinter printer(
        *fx_->surface, report,
        SheetPrintJob::make(layout, offsets, selection, Mode(mode), pages, background));
    QVERIFY2(printer.run(), qPrintable(report.errorString()));
    QCOMPARE(pdfPages(file), pages);

    const int dpi = 300;
    const QList<QRectF> expected = cardRects(layout, offsets, selection);
    for (int page = 1; page <= pages; ++page) {
        const QImage image = PdfReadBack::render(file, dpi, {}, page);
        QVERIFY(qAbs(image.width() - pageSize.width()) <= 1);
        QVERIFY(qAbs(image.height() - pageSize.height()) <= 1);
        QList<QRect> cards;
        for (const QRectF& inches : expected) {
            const QRectF px(inches.topLeft() * dpi, inches.bottomRight() * dpi);
            const QString problem = outlineProblem(image, px);
            QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("page %1, card at %2,%3 in: %4")
                                                       .arg(page)
                                                       .arg(inches.left())
                                                       .arg(inches.top())
                                                       .arg(problem)));
            // The middle holds the object's square, and the background art lies under the
            // card, except on the outline test page.
            const bool outline = Mode(mode) == Mode::Outline;
            QCOMPARE(isInk(image.pixel(px.center().toPoint())), !outline);
            QCOMPARE(isArt(image.pixel((px.topLeft() + QPointF(60, 60)).toPoint())), !outline);
            cards << px.toAlignedRect().adjusted(-2, -2, 2, 2);
        }
        // Nothing is drawn outside the selected positions.
        int stray = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (isInk(image.pixel(x, y)) &&
                    std::none_of(cards.begin(), cards.end(),
                                 [&](const QRect& c) { return c.contains(x, y); }))
                    ++stray;
        QCOMPARE(stray, 0);
    }
}

void tst_SheetPrinter::previewPage_data() {
    QTest::addColumn<TCardSelection>("selection");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("first position") << TCardSelection() << true;
    QTest::newRow("position 1 deselected: an empty page") << only({2, 3, 4}) << false;
}

void tst_SheetPrinter::previewPage() {
    QFETCH(TCardSelection, selection);
    QFETCH(bool, drawn);
    addMark()->setBounds(40, 40, 100, 50); // leaves the card's edge to the silver outline
    QBuffer stream;
    stream.open(QIODevice::ReadWrite);
    platform::StoredReportTarget target(stream);
    Report report(target);
    TSheetPrinter printer(*fx_->surface, report,
                          SheetPrintJob::make({}, {}, selection, Mode::Preview, 1, {}));
    QVERIFY(printer.run());
    stream.seek(0);
    platform::StoredReport stored;
    QString error;
    QVERIFY2(stored.load(stream, error), qPrintable(error));
    QCOMPARE(stored.pageCount(), 1);

    const int ppi = 100;
    QImage page(850, 1100, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    stored.paintPage(0, painter, ppi);
    painter.end();
    // Silver outline at the card's top-left corner (0.75, 0.5) inches, and nothing at the
    // second position.
    const QColor corner = page.pixelColor(75 + 50, 50);
    QCOMPARE(corner == QColor(0xC0, 0xC0, 0xC0), drawn);
    QCOMPARE(PdfReadBack::inkBounds(page, isInk, QRect(425, 50, 350, 200)), QRect());
    QCOMPARE(PdfReadBack::inkBounds(page, isInk).isEmpty(), !drawn);
}

void tst_SheetPrinter::backgroundKind_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("problem");
    QTest::newRow("logo.bmp") << "logo.bmp"
                              << "rgb24.bmp" << int(TSheetPrinter::Background::Bitmap) << false;
    QTest::newRow("LOGO.WMF") << "LOGO.WMF"
                              << "clipart.wmf" << int(TSheetPrinter::Background::Metafile) << false;
    QTest::newRow("logo.txt") << "logo.txt"
                              << "rgb24.bmp" << int(TSheetPrinter::Background::None) << true;
    QTest::newRow("bitmap named gif")
        << "logo.gif"
        << "rgb24.bmp" << int(TSheetPrinter::Background::None) << true;
    QTest::newRow("flag.gif") << "flag.gif"
                              << "flag.gif" << int(TSheetPrinter::Background::Bitmap) << false;
    QTest::newRow("logo.svg") << "logo.svg"
                              << "logo.svg" << int(TSheetPrinter::Background::Metafile) << false;
    QTest::newRow("damaged bitmap")
        << "bad.bmp"
        << "clipart.wmf" << int(TSheetPrinter::Background::None) << true;
    QTest::newRow("missing file") << "gone.bmp"
                                  << "" << int(TSheetPrinter::Background::None) << true;
    QTest::newRow("none") << ""
                          << "" << int(TSheetPrinter::Background::None) << false;
}

void tst_SheetPrinter::backgroundKind() {
    QFETCH(QString, name);
    QFETCH(QString, fixture);
    QFETCH(int, kind);
    QFETCH(bool, problem);
    const QString file = name.isEmpty() ? QString() : dir_.filePath(name);
    if (!file.isEmpty()) QFile::remove(file);
    if (!fixture.isEmpty())
        QVERIFY(QFile::copy(QStringLiteral(ORLANTO_FIXTURES "/pictures/") + fixture, file));
    addMark();
    const QString pdf = dir_.filePath(QStringLiteral("bg.pdf"));
    platform::PdfReportTarget target(pdf);
    Report report(target);
    TSheetPrinter printer(*fx_->surface, report,
                          SheetPrintJob::make({}, {}, only({1}), Mode::Print, 1, file));
    // Art that cannot be used leaves the cards without it, and the run goes on.
    QVERIFY(printer.run());
    QCOMPARE(int(printer.backgroundKind()), kind);
    QCOMPARE(!printer.backgroundProblem().isEmpty(), problem);
    QCOMPARE(int(log_.size()), 1);
}

void tst_SheetPrinter::bitmapBackgroundEmbeddedOnce() {
    const QString art = dir_.filePath(QStringLiteral("noise.bmp"));
    QImage noise(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x ^ y) % 256));
    QVERIFY(noise.save(art, "BMP"));
    const QString pdf = dir_.filePath(QStringLiteral("once.pdf"));
    platform::PdfReportTarget target(pdf);
    Report report(target);
    TSheetPrinter printer(*fx_->surface, report,
                          SheetPrintJob::make({}, {}, TCardSelection(), Mode::Print, 3, art));
    QVERIFY(printer.run());
    QCOMPARE(pdfPages(pdf), 3);
    // 30 cards over three pages, one image object.
    const QStringList images =
        run(QStringLiteral("pdfimages"), {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
    QSet<QString> objects;
    for (const QString& line : images.mid(2))
        objects << line.simplified().section(' ', 10, 11); // object and generation
    QCOMPARE(images.size() - 2, 30);
    QCOMPARE(objects.size(), 1);
}

void tst_SheetPrinter::finalStatus_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("effects");
    QTest::addColumn<QString>("how"); // "", "cancel", "stop", "fail"
    QTest::addColumn<QString>("status");
    QTest::newRow("printed") << int(Mode::Print) << false << ""
                             << "Print job completed and sent to printer!";
    QTest::newRow("printed, effects")
        << int(Mode::Print) << true << ""
        << "Print job completed and sent to printer!\n\nNote: this design contains complex shapes "
           "or text.\nPlease be patient while the printer produces its\noutput...";
    QTest::newRow("previewed")
        << int(Mode::Preview) << false << ""
        << "\nBusiness Card preview ready!\n\nNote: To save time, only a single card is previewed";
    QTest::newRow("previewed, effects")
        << int(Mode::Preview) << true << ""
        << "Business Card preview ready to view!\n\nNote: To save time, only a single card is "
           "previewed\n\n** This design contains complex shapes or text.\nPlease be patient while "
           "the previewer prepares\nthe viewing page";
    QTest::newRow("print cancelled") << int(Mode::Print) << false << "cancel"
                                     << "\nBusiness Card Print Canceled!";
    QTest::newRow("preview stopped") << int(Mode::Preview) << false << "stop"
                                     << "\nBusiness Card Preview Canceled!";
    QTest::newRow("print failed") << int(Mode::Print) << false << "fail"
                                  << "\nBusiness Card Print Failed!\n\ndrawing failed";
}

class TSuperShape : public TGGraphicControl {
    Q_OBJECT
  public:
    using TGGraphicControl::TGGraphicControl;
    void paint(platform::Canvas&) override {}
};

void tst_SheetPrinter::finalStatus() {
    QFETCH(int, mode);
    QFETCH(bool, effects);
    QFETCH(QString, how);
    QFETCH(QString, status);
    CardMark* mark = addMark();
    mark->throwOnPrint = how == QLatin1String("fail");
    if (effects)
        fx_->surface->addObject(new TSuperShape(fx_->surface->owner()), QRect(0, 0, 20, 20));
    QBuffer stream;
    stream.open(QIODevice::ReadWrite);
    platform::StoredReportTarget target(stream);
    Report report(target);
    TSheetPrinter printer(*fx_->surface, report,
                          SheetPrintJob::make({}, {}, TCardSelection(), Mode(mode), 1, {}));
    QStringList shown;
    report.status.sink = [&](const QString& t) { shown << t; };
    printer.onExtraLabel = [&](const QString& t) {
        if (t != QLatin1String("Card 1")) return;
        if (how == QLatin1String("cancel")) printer.cancel();
        if (how == QLatin1String("stop")) printer.stop();
    };
    QCOMPARE(printer.run(), how.isEmpty());
    QVERIFY(!shown.isEmpty());
    QCOMPARE(shown.constLast(), status);
    if (how == QLatin1String("stop")) QVERIFY(shown.contains(QStringLiteral("\nCancelling...!")));
    if (how.isEmpty())
        QCOMPARE(shown.constFirst(), Mode(mode) == Mode::Print
                                         ? QStringLiteral("Printing Page 1\n\n")
                                         : QStringLiteral("Preparing Preview Page 1\n\n"));
    // Stopped or cancelled while the first card was announced: nothing after it was drawn.
    if (!how.isEmpty() && how != QLatin1String("fail")) QVERIFY(log_.size() <= 1);
}

void tst_SheetPrinter::errorWhileDrawingRestoresSurface() {
    fx_->surface->setZoom(1.5f);
    CardMark* mark = addMark();
    mark->throwOnPrint = true;
    const QString pdf = dir_.filePath(QStringLiteral("fails.pdf"));
    platform::PdfReportTarget target(pdf);
    Report report(target);
    bool printingSeen = false;
    TSheetPrinter printer(*fx_->surface, report,
                          SheetPrintJob::make({}, {}, TCardSelection(), Mode::Print, 1, {}));
    printer.onExtraLabel = [&](const QString& t) {
        if (!t.isEmpty()) printingSeen = fx_->surface->printing();
    };
    QVERIFY(!printer.run());
    QVERIFY(printer.failed());
    QVERIFY(printingSeen);
    QVERIFY(!fx_->surface->printing());
    QCOMPARE(fx_->surface->zoomFactor(), 1.5f);
    QVERIFY(!QFile::exists(pdf));
}

void tst_SheetPrinter::largeLayoutSelectsEveryPosition() {
    addMark();
    TCardLayout layout;
    layout.across = 3;
    layout.down = 6;
    layout.width = layout.hPitch = 2.5f;
    layout.height = layout.vPitch = 1.5f;
    QBuffer stream;
    stream.open(QIODevice::ReadWrite);
    platform::StoredReportTarget target(stream);
    Report report(target);
    TCardSelection selection;         // the ten entries of a fresh session
    selection.setSelected(17, false); // beyond the ten: has no effect before the table grows
    TSheetPrinter printer(*fx_->surface, report,
                          SheetPrintJob::make(layout, {}, selection, Mode::Print, 1, {}));
    QVERIFY(printer.run());
    QCOMPARE(int(log_.size()), 18);
    QCOMPARE(log_.back().x, 0.75 + 2 * 2.5);
    QCOMPARE(log_.back().y, 0.5 + 5 * 1.5);
}

QTEST_MAIN(tst_SheetPrinter)
#include "tst_SheetPrinter.moc"
