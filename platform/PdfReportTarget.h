#pragma once
// Report output into a PDF file. The file is written under a temporary name and moved into
// place only when the job finishes, so an aborted or failed job leaves no file (and an
// older file of that name untouched); a device or FIFO is written directly. Any failed write
// fails the job with the system's reason. A picture drawn many times is embedded once.
#include "ReportTarget.h"

#include <memory>

class QFile;
class QFileDevice;
class QPdfWriter;
class QSaveFile;

namespace platform {

class PdfReportTarget : public ReportTarget {
public:
    explicit PdfReportTarget(const QString& fileName, int resolution = 300);
    ~PdfReportTarget() override;

    bool begin(const Job& job, QPainter& painter, QString& error) override;
    bool newPage(QPainter& painter, QString& error) override;
    bool finish(QPainter& painter, QString& error) override;
    void abort(QPainter& painter) override;
    int resolution() const override { return resolution_; }

private:
    QString fileName_;
    int resolution_;
    void release();

    std::unique_ptr<QSaveFile> saved_;
    std::unique_ptr<QFile> direct_;
    QFileDevice* file_ = nullptr; // whichever of the two is in use
    std::unique_ptr<QPdfWriter> writer_;
};

} // namespace platform
