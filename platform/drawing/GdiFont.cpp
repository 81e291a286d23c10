#include "platform/drawing/GdiFont.h"

#include "platform/drawing/ScreenMetrics.h"
#include "platform/drawing/SymbolFonts.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
// mulDiv: a × b / c rounded to the nearest, halves away from zero.
int mulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const double v = double(a) * b / c;
    return int(v < 0 ? std::ceil(v - 0.5) : std::floor(v + 0.5));
}

QFont baseFont(const GdiFont& f) {
    QFont q(SymbolFonts::isMapped(f.name) ? SymbolFonts::drawingFamily() : f.name);
    q.setBold(f.style.testFlag(Gdi::fsBold));
    q.setItalic(f.style.testFlag(Gdi::fsItalic));
    q.setUnderline(f.style.testFlag(Gdi::fsUnderline));
    q.setStrikeOut(f.style.testFlag(Gdi::fsStrikeOut));
    if (f.pitch == Gdi::fpFixed) {
        q.setFixedPitch(true);
        q.setStyleHint(QFont::TypeWriter);
    }
    return q;
}
} // namespace

int GdiFont::emPixels() const {
    if (height == 0) return defaultEmPixels;
    if (height < 0) return int(std::clamp<qint64>(-qint64(height), 1, maxEmPixels));
    // A cell height: scale by the face's cell-to-em ratio, read at a large size where
    // rounding does not matter.
    QFont probe = baseFont(*this);
    constexpr int probeSize = 2048;
    probe.setPixelSize(probeSize);
    const QFontMetricsF fm(probe);
    const qreal cell = fm.ascent() + fm.descent();
    const qreal em = cell > 0 ? qreal(height) * probeSize / cell : qreal(height);
    return int(std::clamp<qint64>(std::llround(em), 1, maxEmPixels));
}

QFont GdiFont::toQFont() const {
    QFont q = baseFont(*this);
    q.setPixelSize(emPixels());
    return q;
}

int GdiFont::heightForPoints(int points) {
    return -mulDiv(points, ScreenMetrics::pixelsPerInch(), 72);
}

int GdiFont::pointsForHeight(int height) {
    return -mulDiv(height, 72, ScreenMetrics::pixelsPerInch());
}

} // namespace platform
