#pragma once
// Report output into a stored report: every page is recorded as a picture and written to a
// caller-supplied stream as soon as the next page starts, for the preview window to replay
// with StoredReport. A job that is aborted or fails leaves a stream that StoredReport
// refuses as incomplete.
#include "platform/report/ReportTarget.h"

#include <QPicture>
#include <QSizeF>

class QIODevice;

namespace platform {

class StoredReportTarget : public ReportTarget {
  public:
    // The stream is opened for writing if it is not open yet; it must outlive the job.
    explicit StoredReportTarget(QIODevice& stream, int resolution = 300);

    bool begin(const Job& job, QPainter& painter, QString& error) override;
    bool newPage(QPainter& painter, QString& error) override;
    bool finish(QPainter& painter, QString& error) override;
    void abort(QPainter& painter) override;
    int resolution() const override { return resolution_; }

  private:
    // Ends the current page's recording and appends it to the stream.
    bool writePage(QPainter& painter, QString& error);
    // Sets the write error message; always false.
    bool failed(QString& error) const;

    QIODevice& stream_;
    int resolution_;
    QSizeF pageInches_;
    QPicture page_;
    int pages_ = 0;
};

} // namespace platform
