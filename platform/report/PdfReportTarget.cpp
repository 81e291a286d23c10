#include "platform/report/PdfReportTarget.h"

#include "platform/report/PdfFontText.h"
#include "platform/system/FileName.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

namespace platform {

PdfReportTarget::PdfReportTarget(const QString& fileName, int resolution)
    : fileName_(fileName), resolution_(std::max(resolution, 72)) {}

PdfReportTarget::~PdfReportTarget() = default;

bool PdfReportTarget::begin(const Job& job, QPainter& painter, QString& error) {
    // A device or FIFO (/dev/stdout into a pipe) is written as it is; a temporary file
    // renamed over it would replace the device node. Unbuffered either way, so that every
    // failed write is seen and not lost in a buffer flushed at the end.
    // The toolkit's files take a name only as UTF-8: any other would be written under a
    // name other than the one given.
    if (FileName::toBytes(fileName_) != QFile::encodeName(fileName_)) {
        error = QStringLiteral("Cannot write the file %1: a PDF file name must be valid UTF-8.")
                    .arg(fileName_);
        abort(painter);
        return false;
    }
    const QFileInfo info(fileName_);
    QString reason;
    if (info.exists() && !info.isFile() && !info.isDir()) {
        direct_ = std::make_unique<QFile>(fileName_);
        if (!direct_->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            reason = direct_->errorString();
    } else {
        saved_ = std::make_unique<AtomicFile>(fileName_);
        if (!saved_->open()) reason = saved_->errorString();
    }
    if (!reason.isEmpty()) {
        error = QStringLiteral("Cannot write the file %1: %2").arg(fileName_, reason);
        abort(painter);
        return false;
    }
    job_ = job;
    page_ = 0;
    drawnOn_.assign(1, false);
    placements_.clear();
    pages_.setData(QByteArray());
    pages_.open(QIODevice::WriteOnly);
    // No margins: the painter's origin is the sheet's top-left corner.
    writer_ = newWriter(pages_, QPageLayout(job.pageSize, job.orientation, QMarginsF()));
    if (!painter.begin(writer_.get())) {
        error = QStringLiteral("Cannot write the file %1.").arg(fileName_);
        abort(painter);
        return false;
    }
    return true;
}

std::unique_ptr<QPdfWriter> PdfReportTarget::newWriter(QIODevice& device,
                                                       const QPageLayout& layout) const {
    auto writer = std::make_unique<QPdfWriter>(&device);
    writer->setResolution(resolution_);
    writer->setTitle(job_.title);
    writer->setCreator(QStringLiteral("Orlanto"));
    writer->setPageLayout(layout);
    return writer;
}

QPainter* PdfReportTarget::beginCard(QPoint& origin, QString& error) {
    // A card drawn once pays as soon as it is placed twice: a heavy card (a texture of tiny
    // tiles, many pictures) costs far more to draw again than the module costs to load. A
    // job of one card draws it on its page. Without the module, every card is drawn there.
    if (job_.expectedCards < 2 || !PdfCardPlacer::available()) return nullptr;
    // Three sheets each way with the card's corner at the middle sheet's corner: whatever of
    // a card could show on a sheet, wherever it is placed, lies on this page.
    const QSizeF sheet =
        QPageLayout(job_.pageSize, job_.orientation, QMarginsF()).fullRectPoints().size();
    const QPageLayout layout(QPageSize(sheet * 3, QPageSize::Point), QPageLayout::Portrait,
                             QMarginsF());
    card_.setData(QByteArray());
    card_.open(QIODevice::WriteOnly);
    cardWriter_ = newWriter(card_, layout);
    if (!cardPainter_.begin(cardWriter_.get())) {
        error = QStringLiteral("Cannot write the file %1.").arg(fileName_);
        cardWriter_.reset();
        return nullptr;
    }
    cardCorner_ = QPoint(qRound(sheet.width() * resolution_ / 72.0),
                         qRound(sheet.height() * resolution_ / 72.0));
    origin = cardCorner_;
    return &cardPainter_;
}

bool PdfReportTarget::endCard(QString& error) {
    const bool ok = cardPainter_.end();
    cardWriter_.reset();
    card_.close();
    if (!ok) error = QStringLiteral("Cannot write the file %1.").arg(fileName_);
    return ok;
}

void PdfReportTarget::drawingOnPage() {
    drawnOn_[size_t(page_)] = true;
}

void PdfReportTarget::placeCard(QPoint origin) {
    placements_.push_back({page_, origin});
}

bool PdfReportTarget::newPage(QPainter&, QString& error) {
    if (writer_->newPage()) {
        ++page_;
        drawnOn_.push_back(false);
        return true;
    }
    error = QStringLiteral("Cannot write the file %1.").arg(fileName_);
    return false;
}

bool PdfReportTarget::finish(QPainter& painter, QString& error) {
    painter.end(); // writes the rest of the pages into memory
    writer_.reset();
    QByteArray pdf;
    QString reason;
    const bool ok = assemble(pdf, error) && write(pdf, reason);
    if (!reason.isEmpty())
        error = QStringLiteral("Cannot write the file %1: %2").arg(fileName_, reason);
    release();
    return ok;
}

bool PdfReportTarget::write(const QByteArray& pdf, QString& reason) {
    if (saved_) {
        const bool ok = saved_->append(pdf) && saved_->commit();
        if (!ok) reason = saved_->errorString();
        return ok;
    }
    // The first failed write is kept by the file.
    bool ok = direct_->write(pdf) == pdf.size() && direct_->error() == QFileDevice::NoError;
    if (ok) direct_->close();
    if (ok && direct_->error() != QFileDevice::NoError) ok = false;
    if (!ok) reason = direct_->errorString();
    return ok;
}

bool PdfReportTarget::assemble(QByteArray& pdf, QString& error) const {
    // Both documents come from the toolkit's writer: the text of their fonts is completed
    // before the card is placed on the pages.
    QByteArray pages = pages_.data();
    PdfFontText::complete(pages);
    if (placements_.empty()) {
        pdf = pages;
        return true;
    }
    QByteArray card = card_.data();
    PdfFontText::complete(card);
    QString reason;
    if (PdfCardPlacer::place(pages, drawnOn_, card, cardCorner_, placements_, resolution_, pdf,
                             reason))
        return true;
    error = QStringLiteral("Cannot write the file %1: %2").arg(fileName_, reason);
    return false;
}

void PdfReportTarget::abort(QPainter& painter) {
    if (painter.isActive()) painter.end();
    if (cardPainter_.isActive()) cardPainter_.end();
    writer_.reset();
    cardWriter_.reset();
    release(); // removes the temporary file
}

void PdfReportTarget::release() {
    pages_.close();
    pages_.setData(QByteArray());
    card_.close();
    card_.setData(QByteArray());
    placements_.clear();
    drawnOn_.clear();
    saved_.reset(); // an uncommitted file is removed
    direct_.reset();
}

} // namespace platform
