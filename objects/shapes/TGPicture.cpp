#include "TGPicture.h"

void TGPicture::setGraphic(const platform::Graphic& g) {
    if (g == graphic_) return;
    graphic_ = g;
    emit changed();
}

std::vector<TGExtraData::Item> TGPicture::writeExtra() const {
    if (graphic_.isEmpty()) return {};
    return {{QByteArrayLiteral("Data"), TGValue::fromData(graphic_.writeData())}};
}

bool TGPicture::readExtra(QByteArrayView name, const TGValue& value) {
    if (name != "Data") return false;
    const std::optional<platform::Graphic> g = platform::Graphic::readData(value.toData());
    if (!g) TGValue::invalid();
    setGraphic(*g);
    return true;
}
