#include "TextMetrics.h"

#include <algorithm>
#include <limits>

namespace platform {

TextMetrics::TextMetrics(const GdiFont& font) : font_(font.toQFont()), fm_(font_) {
    tmAscent = fm_.ascent();
    tmDescent = fm_.descent();
    tmHeight = tmAscent + tmDescent;
    tmInternalLeading = tmHeight - font_.pixelSize();
    tmExternalLeading = std::max(0, fm_.leading());
}

namespace {
// Text longer than this is measured piece by piece: laying out a whole line at once costs
// some hundred bytes per character, and a card may hold a caption of millions.
constexpr qsizetype pieceLength = 4096;

// The end of the piece that starts at `from`, not splitting a surrogate pair.
qsizetype pieceEnd(const QString& text, qsizetype from) {
    qsizetype end = std::min(text.size(), from + pieceLength);
    if (end < text.size() && text.at(end - 1).isHighSurrogate()) ++end;
    return end;
}
} // namespace

int TextMetrics::textWidth(const QString& text) const {
    if (text.size() <= pieceLength) return fm_.horizontalAdvance(text);
    qint64 width = 0;
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype end = pieceEnd(text, at);
        width += fm_.horizontalAdvance(text.mid(at, end - at));
        at = end;
    }
    return int(std::min<qint64>(width, std::numeric_limits<int>::max()));
}

qsizetype TextMetrics::charactersWithin(const QString& text, qint64 length) const {
    qint64 width = 0;
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype end = pieceEnd(text, at);
        width += fm_.horizontalAdvance(text.mid(at, end - at));
        // The piece after the one that reaches the length, for the kerning and any
        // overhang of its first characters.
        if (width > length) return pieceEnd(text, end);
        at = end;
    }
    return text.size();
}

} // namespace platform
