#include "TGRichText.h"

void TGRichText::setRtf(const QByteArray& rtf) {
    if (rtf == document_.rtf()) return;
    document_.setRtf(rtf);
    emit changed();
}

void TGRichText::setDocument(const QTextDocument& document) {
    const QByteArray before = rtf();
    document_.setDocument(document);
    if (rtf() != before) emit changed();
}

std::vector<TGExtraData::Item> TGRichText::writeExtra() const {
    if (document_.isEmpty()) return {};
    return {{QByteArrayLiteral("Data"), TGValue::fromData(rtf() + QByteArray(4, '\0'))}};
}

bool TGRichText::readExtra(QByteArrayView name, const TGValue& value) {
    if (name != "Data") return false;
    QByteArray rtf = value.toData();
    // The block ends in zero bytes after the text.
    while (rtf.endsWith('\0'))
        rtf.chop(1);
    setRtf(rtf);
    return true;
}
