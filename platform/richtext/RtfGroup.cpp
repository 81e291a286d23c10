#include "platform/richtext/RtfGroup.h"

#include <algorithm>
#include <climits>

namespace platform {

int RtfGroup::parameter(QByteArrayView in, qsizetype& pos, bool* hasParam) {
    bool negative = false;
    if (pos + 1 < in.size() && in[pos] == '-' && isDigit(in[pos + 1])) {
        negative = true;
        ++pos;
    }
    qint64 value = 0;
    bool any = false;
    for (; pos < in.size() && isDigit(in[pos]); ++pos) {
        any = true;
        if (value < 10'000'000'000) value = value * 10 + (in[pos] - '0');
    }
    if (pos < in.size() && in[pos] == ' ') ++pos;
    if (hasParam) *hasParam = any;
    return int(std::clamp<qint64>(negative ? -value : value, INT_MIN, INT_MAX));
}

qsizetype RtfGroup::end(QByteArrayView in, qsizetype pos) {
    int depth = 1;
    while (pos < in.size()) {
        const char c = in[pos++];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0) return pos;
        } else if (c == '\\' && pos < in.size()) {
            if (!isLetter(in[pos])) {
                ++pos;
                continue;
            }
            const qsizetype start = pos;
            while (pos < in.size() && isLetter(in[pos]))
                ++pos;
            const bool bin = QByteArrayView(in.data() + start, pos - start) == "bin";
            const int n = parameter(in, pos);
            if (bin && n > 0) pos += std::min<qsizetype>(n, in.size() - pos);
        }
    }
    return -1;
}

} // namespace platform
