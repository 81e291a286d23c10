#include "TextMetrics.h"

#include <algorithm>

namespace platform {

TextMetrics::TextMetrics(const GdiFont& font) : font_(font.toQFont()), fm_(font_) {
    tmAscent = fm_.ascent();
    tmDescent = fm_.descent();
    tmHeight = tmAscent + tmDescent;
    tmInternalLeading = tmHeight - font_.pixelSize();
    tmExternalLeading = std::max(0, fm_.leading());
}

int TextMetrics::textWidth(const QString& text) const {
    return fm_.horizontalAdvance(text);
}

} // namespace platform
