#pragma once
// A font as the drawing code asks for it: face, height in pixels as the platform's font
// mapper takes it (negative: character height, i.e. the em size; positive: cell height,
// ascent plus descent), style, pitch, colour and escapement (text angle in tenths of a
// degree, counter-clockwise). toQFont is the one place where such a font becomes a Qt
// font; TextMetrics and Canvas's text operations build on it, so every text object
// measures and draws with the same numbers.
#include "platform/drawing/Gdi.h"
#include "platform/drawing/TColor.h"

#include <QFont>
#include <QString>

namespace platform {

class GdiFont {
  public:
    QString name = QStringLiteral("Arial");
    int height = -13;
    Gdi::TFontStyles style;
    Gdi::TFontPitch pitch = Gdi::fpDefault;
    TColor color = TColor::clBlack;
    int escapement = 0;

    // The em size in pixels that Qt draws this font at: -height for a character height;
    // for a cell height the size whose ascent plus descent comes closest to it. Kept
    // between 1 and maxEmPixels, so a broken height from a file cannot ask for a glyph
    // cache of absurd size; 0 asks for the mapper's default size.
    int emPixels() const;
    static constexpr int maxEmPixels = 1000;
    static constexpr int defaultEmPixels = 13;

    QFont toQFont() const;

    // Height for a size in points at the screen's pixels per inch, and back, rounding as
    // the platform's mulDiv does; the sign of one follows from the other.
    static int heightForPoints(int points);
    static int pointsForHeight(int height);

    friend bool operator==(const GdiFont&, const GdiFont&) = default;
};

} // namespace platform
