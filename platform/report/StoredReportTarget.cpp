#include "platform/report/StoredReportTarget.h"

#include "platform/report/StoredReport.h"

#include <QDataStream>
#include <QIODevice>
#include <QPainter>

namespace platform {

namespace {
constexpr QDataStream::Version streamVersion = QDataStream::Qt_6_0;
constexpr quint8 pageTag = 1;
constexpr quint8 endTag = 0;
} // namespace

StoredReportTarget::StoredReportTarget(QIODevice& stream, int resolution)
    : stream_(stream), resolution_(std::max(resolution, 1)) {}

bool StoredReportTarget::failed(QString& error) const {
    error = QStringLiteral("Cannot write the stored report: %1").arg(stream_.errorString());
    return false;
}

bool StoredReportTarget::begin(const Job& job, QPainter& painter, QString& error) {
    if (!stream_.isOpen()) stream_.open(QIODevice::WriteOnly);
    if (!stream_.isOpen() || !stream_.isWritable()) return failed(error);
    const QSizeF s = job.pageSize.size(QPageSize::Inch);
    pageInches_ = job.orientation == QPageLayout::Portrait ? s : s.transposed();
    pages_ = 0;
    QDataStream out(&stream_);
    out.setVersion(streamVersion);
    out << StoredReport::magic << StoredReport::version << pageInches_.width()
        << pageInches_.height() << qint32(resolution_);
    if (out.status() != QDataStream::Ok) return failed(error);
    page_ = QPicture();
    return painter.begin(&page_);
}

bool StoredReportTarget::writePage(QPainter& painter, QString& error) {
    painter.end();
    page_.setBoundingRect(QRect(0, 0, qRound(pageInches_.width() * resolution_),
                                qRound(pageInches_.height() * resolution_)));
    QDataStream out(&stream_);
    out.setVersion(streamVersion);
    out << pageTag << QByteArray(page_.data(), page_.size());
    page_ = QPicture(); // the page is in the stream now; keep nothing of it
    ++pages_;
    return out.status() == QDataStream::Ok || failed(error);
}

bool StoredReportTarget::newPage(QPainter& painter, QString& error) {
    if (!writePage(painter, error)) return false;
    return painter.begin(&page_);
}

bool StoredReportTarget::finish(QPainter& painter, QString& error) {
    if (!writePage(painter, error)) return false;
    QDataStream out(&stream_);
    out.setVersion(streamVersion);
    out << endTag << qint32(pages_);
    return out.status() == QDataStream::Ok || failed(error);
}

void StoredReportTarget::abort(QPainter& painter) {
    // Without the end record the stream is refused as incomplete.
    if (painter.isActive()) painter.end();
    page_ = QPicture();
}

} // namespace platform
