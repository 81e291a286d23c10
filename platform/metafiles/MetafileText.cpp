#include "platform/metafiles/MetafileText.h"

namespace platform {

QString MetafileText::ansi(QByteArrayView bytes) {
    // Code page 1252 differs from Latin-1 only in 0x80..0x9F.
    static constexpr char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text;
    text.reserve(bytes.size());
    for (char ch : bytes) {
        const quint8 b = quint8(ch);
        if (b == 0) break;
        text += QChar(b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char16_t(b));
    }
    return text;
}

QString MetafileText::utf16(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t c = char16_t(quint8(bytes[i]) | (quint8(bytes[i + 1]) << 8));
        if (c == 0) break;
        text += QChar(c);
    }
    return text;
}

} // namespace platform
