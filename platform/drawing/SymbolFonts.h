#pragma once
// Windows symbol fonts on a desktop that has none. Cards name faces such as "WingDings" or
// "Symbol" whose character codes 32 to 255 stand for pictograms and Greek letters; a text
// font in their place would show plain letters. When such a face is not installed, its
// codes are drawn as the Unicode characters they stand for, in a font that has them, so the
// screen, the chooser, the metrics and the printed page all show the same pictogram. The
// stored text never changes. Installed faces are used as they are.
#include <QStringList>

namespace platform {

class SymbolFonts {
  public:
    // The face that draws mapped codes: Debian's fonts-symbola, which has a glyph for every
    // character the tables map to (DejaVu Sans has about a third of them, mostly the
    // Greek and mathematical signs of Symbol, and few of the pictographs Unicode 7.0
    // encoded for the other faces).
    static QString drawingFamily() { return QStringLiteral("Symbola"); }
    // The symbol faces this mapping knows, installed or not, as cards name them.
    static QStringList faces();
    // Whether text in the face is mapped: a known symbol face that is not installed.
    static bool isMapped(const QString& face);
    // The text to draw for text stored in the face: each code mapped to its Unicode
    // character when the face is mapped, otherwise the text unchanged. A code without a
    // character becomes a private-use code point that no drawing font has, so it shows
    // the font's missing-glyph box and never a wrong letter.
    static QString displayText(const QString& face, const QString& text);
};

} // namespace platform
