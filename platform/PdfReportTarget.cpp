#include "PdfReportTarget.h"

#include "FileName.h"

#include <QFile>
#include <QFileInfo>
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
    if (info.exists() && !info.isFile() && !info.isDir()) {
        direct_ = std::make_unique<QFile>(fileName_);
        file_ = direct_.get();
    } else {
        saved_ = std::make_unique<QSaveFile>(fileName_);
        file_ = saved_.get();
    }
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = QStringLiteral("Cannot write the file %1: %2").arg(fileName_, file_->errorString());
        abort(painter);
        return false;
    }
    writer_ = std::make_unique<QPdfWriter>(file_);
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
    // The first failed write is kept by the file: the PDF writer does not look at results.
    bool ok = file_->error() == QFileDevice::NoError;
    QString reason = file_->errorString();
    if (saved_) {
        if (!ok) saved_->cancelWriting();
        else if (!(ok = saved_->commit())) reason = saved_->errorString();
    } else {
        direct_->close();
        if (ok && direct_->error() != QFileDevice::NoError) {
            ok = false;
            reason = direct_->errorString();
        }
    }
    if (!ok) error = QStringLiteral("Cannot write the file %1: %2").arg(fileName_, reason);
    release();
    return ok;
}

void PdfReportTarget::abort(QPainter& painter)
{
    if (painter.isActive()) painter.end();
    writer_.reset();
    if (saved_) saved_->cancelWriting();
    release(); // removes the temporary file
}

void PdfReportTarget::release()
{
    file_ = nullptr;
    saved_.reset();
    direct_.reset();
}

} // namespace platform
