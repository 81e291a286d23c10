#include "TGStringList.h"

void TGStringList::setLines(const QStringList& lines) {
    if (lines == lines_) return;
    lines_ = lines;
    emit changed();
}

std::vector<TGExtraData::Item> TGStringList::writeExtra() const {
    if (lines_.isEmpty()) return {};
    return {{QByteArrayLiteral("Strings"), TGValue::fromStrings(lines_)}};
}

bool TGStringList::readExtra(QByteArrayView name, const TGValue& value) {
    if (name != "Strings") return false;
    setLines(value.toStrings());
    return true;
}
