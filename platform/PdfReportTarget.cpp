#include "PdfReportTarget.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace platform {

PdfReportTarget::PdfReportTarget(const QString& fileName, int resolution)
    : fileName_(fileName), resolution_(std::max(resolution, 72))
{
}

PdfReportTarget::~PdfReportTarget() = default;

bool PdfReportTarget::begin(const Job& job, QPainter& painter, QString& error)
{
    file_ = std::make_unique<QSaveFile>(fileName_);
    if (!file_->open(QIODevice::WriteOnly)) {
        error = QStringLiteral("Cannot write the file %1: %2").arg(fileName_, file_->errorString());
        file_.reset();
        return false;
    }
    writer_ = std::make_unique<QPdfWriter>(file_.get());
    writer_->setResolution(resolution_);
    writer_->setTitle(job.title);
    writer_->setCreator(QStringLiteral("Orlanto"));
    // No margins: the painter's origin is the sheet's top-left corner.
    writer_->setPageLayout(QPageLayout(job.pageSize, job.orientation, QMarginsF()));
    if (!painter.begin(writer_.get())) {
        error = QStringLiteral("Cannot write the file %1.").arg(fileName_);
        abort(painter);
        return false;
    }
    return true;
}

bool PdfReportTarget::newPage(QPainter&, QString& error)
{
    if (writer_->newPage()) return true;
    error = QStringLiteral("Cannot write the file %1.").arg(fileName_);
    return false;
}

bool PdfReportTarget::finish(QPainter& painter, QString& error)
{
    painter.end(); // writes the rest of the PDF into the temporary file
    writer_.reset();
    const bool ok = file_->commit();
    if (!ok)
        error = QStringLiteral("Cannot write the file %1: %2").arg(fileName_, file_->errorString());
    file_.reset();
    return ok;
}

void PdfReportTarget::abort(QPainter& painter)
{
    if (painter.isActive()) painter.end();
    writer_.reset();
    if (file_) file_->cancelWriting();
    file_.reset(); // removes the temporary file
}

} // namespace platform
