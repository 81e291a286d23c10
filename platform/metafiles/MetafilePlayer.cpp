#include "platform/metafiles/MetafilePlayer.h"

#include "platform/metafiles/EmfPlayer.h"
#include "platform/metafiles/MetafileDc.h"
#include "platform/metafiles/WmfPlayer.h"

namespace platform {

MetafilePlayer::Format MetafilePlayer::formatOf(QByteArrayView data) {
    QRectF bounds;
    int inch = 0;
    if (WmfPlayer::readHeader(data, &bounds, &inch)) return Format::Wmf;
    EmfPlayer::Header header;
    if (EmfPlayer::readHeader(data, &header)) return Format::Emf;
    return Format::None;
}

QSizeF MetafilePlayer::sizeHundredthsMm(QByteArrayView data) {
    QRectF bounds;
    int inch = 0;
    if (WmfPlayer::readHeader(data, &bounds, &inch))
        return QSizeF(bounds.width() * 2540 / inch, bounds.height() * 2540 / inch);
    EmfPlayer::Header header;
    if (EmfPlayer::readHeader(data, &header)) return header.frame.size();
    return {};
}

bool MetafilePlayer::play(QPainter& painter, const QRectF& target, QByteArrayView data) {
    const Format format = formatOf(data);
    if (format == Format::None || !painter.isActive()) return false;
    MetafileDc dc(painter, target);
    return format == Format::Wmf ? WmfPlayer::play(dc, data) : EmfPlayer::play(dc, data);
}

} // namespace platform
