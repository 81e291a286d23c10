#include "platform/drawing/Cp1252.h"

#include <algorithm>

namespace platform {

namespace {
// The characters of 0x80..0x9F; the five unassigned codes map to themselves.
constexpr char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                               0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
} // namespace

QString Cp1252::decode(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char ch : bytes) {
        const quint8 b = quint8(ch);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char16_t(b));
    }
    return text;
}

std::optional<QByteArray> Cp1252::encode(const QString& text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            *out++ = char(u);
            continue;
        }
        const auto it = std::find(std::begin(high), std::end(high), u);
        if (it == std::end(high)) return std::nullopt;
        *out++ = char(0x80 + (it - std::begin(high)));
    }
    return bytes;
}

} // namespace platform
