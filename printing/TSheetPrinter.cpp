#include "TSheetPrinter.h"

#include "document/TGBusinessCardPanel32.h"
#include "platform/pictures/BackgroundArt.h"
#include "platform/report/Report.h"

namespace {
// The background art always fills this rectangle at the card's origin, whatever the card
// size of the layout.
constexpr double BackgroundWidth = 3.5;
constexpr double BackgroundHeight = 2.0;

} // namespace

TSheetPrinter::TSheetPrinter(TGBusinessCardPanel32& surface, platform::Report& report,
                             SheetPrintJob job)
    : surface_(surface), report_(report), job_(std::move(job)) {
    // A preview shows a single card on a single page.
    if (!job_.printing()) job_.sheets = 1;
}

bool TSheetPrinter::run() {
    stopped_ = false;
    pumpEvents();
    loadBackGround();
    report_.setOrientation(QPageLayout::Portrait);
    report_.onBeforePrint = [this](platform::Report& r) { beforePrintLabels(r); };
    report_.onPrint = [this](platform::Report& r) { printLabels(r); };
    const bool ok = report_.run();
    report_.onBeforePrint = nullptr;
    report_.onPrint = nullptr;

    pumpEvents();
    showExtra(QString());
    report_.status.format = finalStatus();
    report_.refreshStatus();
    return ok && !stopped_;
}

void TSheetPrinter::cancel() {
    report_.abort();
}

void TSheetPrinter::stop() {
    stopped_ = true;
    report_.abort();
    report_.status.format = QStringLiteral("\rCancelling...!");
    report_.refreshStatus();
    pumpEvents();
}

bool TSheetPrinter::aborted() const {
    return report_.aborted() || stopped_;
}

bool TSheetPrinter::failed() const {
    return !aborted() && !report_.errorString().isEmpty();
}

QString TSheetPrinter::finalStatus() const {
    if (aborted())
        return job_.printing() ? QStringLiteral("\rBusiness Card Print Canceled!")
                               : QStringLiteral("\rBusiness Card Preview Canceled!");
    // A run that could not be written must not read as a success.
    if (failed())
        return (job_.printing() ? QStringLiteral("\rBusiness Card Print Failed!\r\r")
                                : QStringLiteral("\rBusiness Card Preview Failed!\r\r")) +
               QString(report_.errorString()).replace(QLatin1Char('%'), QStringLiteral("%%"));
    if (job_.printing() && !job_.outputFile.isEmpty())
        return QStringLiteral("\rBusiness cards saved as\r") +
               QString(job_.outputFile).replace(QLatin1Char('%'), QStringLiteral("%%"));
    const bool complex = surface_.hasEffectObjects();
    if (job_.printing())
        return complex ? QStringLiteral("Print job completed and sent to printer!\r\rNote: this "
                                        "design contains complex shapes or text.\rPlease be "
                                        "patient while the printer produces its\routput...")
                       : QStringLiteral("Print job completed and sent to printer!");
    return complex ? QStringLiteral("Business Card preview ready to view!\r\rNote: To save time, "
                                    "only a single card is previewed\r\r** This design contains "
                                    "complex shapes or text.\rPlease be patient while the "
                                    "previewer prepares\rthe viewing page")
                   : QStringLiteral("\rBusiness Card preview ready!\r\rNote: To save time, only "
                                    "a single card is previewed");
}

void TSheetPrinter::beforePrintLabels(platform::Report& report) {
    // A driver that makes copies itself gets the count and one drawn sheet; one whose
    // maximum is too small for the count gets every sheet drawn instead, one copy each.
    const bool driverCopies = job_.printing() && job_.sheets > 1 && report.maxCopies() > 1 &&
                              job_.sheets <= report.maxCopies();
    report.setCopies(driverCopies ? job_.sheets : 1);
    if (driverCopies) job_.sheets = 1;
    // A preview draws one card; a print run every selected position of every sheet.
    report.setExpectedCards(
        job_.printing() ? job_.sheets * job_.selection.countSelected(job_.positions()) : 1);
    report.status.format = job_.printing() ? QStringLiteral("Printing Page %p\r%0\r%1")
                                           : QStringLiteral("Preparing Preview Page %p\r%0\r%1");
    report.status.text << QString() << QString();
}

void TSheetPrinter::printLabels(platform::Report& report) {
    const auto printing = surface_.printingScope();
    report.setLeftMargin(0);
    report.setTopMargin(0);
    int col = -1;
    int row = 0;
    while (!stopped_ && !report.aborted()) {
        col += 1;
        if (col + 1 > job_.layout.across) {
            col = 0;
            row += 1;
        }
        if (!job_.printing() && col > 0) break;
        if (row + 1 > job_.layout.down) { // the sheet is full
            col = 0;
            row = 0;
            if (report.currentPage() >= job_.sheets) break;
            if (!report.newPage()) break;
        }
        const int position = row * job_.layout.across + col;
        if (!job_.selection.isSelected(position)) continue;
        const QPointF corner = job_.cardCorner(col, row);
        showExtra(QStringLiteral("Card %1").arg(position + 1));
        pumpEvents();
        report.drawCard(corner.x(), corner.y(), [this, &report] { printCard(report); });
        pumpEvents();
    }
}

void TSheetPrinter::printCard(platform::Report& report) {
    const double width = job_.layout.width;
    const double height = job_.layout.height;
    if (job_.mode == SheetPrintJob::Mode::Outline) {
        report.rectangle(0, 0, width, height);
        return;
    }
    printBackGround();
    if (!job_.printing()) {
        report.brush = {TColor::clBlack, Gdi::bsClear, {}};
        report.pen = {TColor(0xC0C0C0), Gdi::psSolid, -1, Gdi::pmCopy};
        report.rectangle(0, 0, width, height);
    }
    surface_.printObjects(report, 0, 0);
}

void TSheetPrinter::loadBackGround() {
    backgroundKind_ = Background::None;
    backgroundBitmap_ = QImage();
    backgroundMetafile_ = platform::Graphic();
    backgroundProblem_.clear();
    if (job_.backgroundFile.isEmpty()) return;
    const std::optional<platform::Graphic> graphic =
        platform::BackgroundArt::load(job_.backgroundFile, backgroundProblem_);
    if (!graphic) {
        backgroundProblem_ += QStringLiteral("; the cards are printed without it.");
        return;
    }
    if (graphic->kind() == platform::Graphic::Kind::Metafile) {
        backgroundMetafile_ = *graphic;
        backgroundKind_ = Background::Metafile;
    } else {
        backgroundBitmap_ = graphic->image();
        backgroundKind_ = Background::Bitmap;
    }
}

void TSheetPrinter::printBackGround() {
    const QRectF inches(0, 0, BackgroundWidth, BackgroundHeight);
    // A picture that fails to draw leaves the card without its background.
    try {
        switch (backgroundKind_) {
        case Background::Bitmap:
            report_.stretchDraw(inches, backgroundBitmap_);
            break;
        case Background::Metafile:
            if (report_.running() && !report_.aborted()) {
                QPainter& painter = report_.painter();
                painter.save();
                backgroundMetafile_.draw(painter, QRectF(report_.toDevice(inches)));
                painter.restore();
            }
            break;
        case Background::None:
            break;
        }
    } catch (...) {
    }
}

void TSheetPrinter::pumpEvents() {
    if (processEvents) processEvents();
}

void TSheetPrinter::showExtra(const QString& text) {
    if (onExtraLabel) onExtraLabel(text);
}
