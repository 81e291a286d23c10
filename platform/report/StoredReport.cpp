#include "platform/report/StoredReport.h"

#include "platform/drawing/Canvas.h"

#include <QDataStream>
#include <QIODevice>
#include <QImage>
#include <QPainter>
#include <QPicture>

namespace platform {

namespace {
// Loads a recorded page into the picture; false when its bytes are not a valid picture.
bool pictureFrom(const QByteArray& bytes, QPicture& picture) {
    picture.setData(bytes.constData(), uint(bytes.size()));
    // Playing checks the picture's header and checksum; a tiny image keeps it cheap.
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter p(&probe);
    return picture.play(&p);
}
} // namespace

bool StoredReport::load(QIODevice& device, QString& error) {
    pages_.clear();
    pageInches_ = QSizeF();
    resolution_ = 0;
    if (!device.isOpen()) device.open(QIODevice::ReadOnly);
    QDataStream in(&device);
    in.setVersion(QDataStream::Qt_6_0);

    quint32 readMagic = 0;
    quint16 readVersion = 0;
    double w = 0, h = 0;
    qint32 dpi = 0;
    in >> readMagic >> readVersion >> w >> h >> dpi;
    if (in.status() != QDataStream::Ok || readMagic != magic || readVersion != version ||
        !(w > 0) || !(h > 0) || w > 1000 || h > 1000 || dpi <= 0 || dpi > 10000) {
        error = QStringLiteral("This is not a stored report.");
        return false;
    }

    QList<QByteArray> pages;
    for (;;) {
        quint8 tag = 0;
        in >> tag;
        if (in.status() != QDataStream::Ok) break;
        if (tag == 0) {
            qint32 count = -1;
            in >> count;
            if (in.status() != QDataStream::Ok || count != pages.size()) break;
            pages_ = std::move(pages);
            pageInches_ = QSizeF(w, h);
            resolution_ = dpi;
            return true;
        }
        QByteArray bytes;
        in >> bytes; // QDataStream checks the length against the bytes it can read
        if (in.status() != QDataStream::Ok) break;
        QPicture check;
        if (tag != 1 || !pictureFrom(bytes, check)) {
            error = QStringLiteral("The stored report is damaged.");
            return false;
        }
        pages.append(bytes);
    }
    error = QStringLiteral("The stored report is incomplete.");
    return false;
}

void StoredReport::paintPage(int index, QPainter& painter, double pixelsPerInch) const {
    if (index < 0 || index >= pages_.size() || pixelsPerInch <= 0) return;
    QPicture picture; // checked by load()
    picture.setData(pages_[index].constData(), uint(pages_[index].size()));
    painter.save();
    Canvas::resetState(painter);
    painter.scale(pixelsPerInch / resolution_, pixelsPerInch / resolution_);
    painter.setClipRect(
        QRectF(0, 0, pageInches_.width() * resolution_, pageInches_.height() * resolution_),
        Qt::IntersectClip);
    painter.drawPicture(0, 0, picture);
    painter.restore();
}

} // namespace platform
