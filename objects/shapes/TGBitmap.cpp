#include "TGBitmap.h"

#include "platform/pictures/Graphic.h"

void TGBitmap::setImage(const QImage& image) {
    if (image.isNull() && image_.isNull()) return;
    if (!image.isNull() && image.cacheKey() == image_.cacheKey()) return;
    // Textures are drawn as opaque bitmaps, as the card file stores them.
    image_ = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
    emit changed();
}

std::vector<TGExtraData::Item> TGBitmap::writeExtra() const {
    if (isEmpty()) return {};
    return {
        {QByteArrayLiteral("Data"), TGValue::fromData(platform::Graphic::writeBitmapData(image_))}};
}

bool TGBitmap::readExtra(QByteArrayView name, const TGValue& value) {
    if (name != "Data") return false;
    const std::optional<QImage> image = platform::Graphic::readBitmapData(value.toData());
    if (!image) TGValue::invalid();
    setImage(*image);
    return true;
}
