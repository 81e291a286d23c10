#pragma once
// The text metrics of a GdiFont, in the platform's terms, taken from Qt's font metrics of
// GdiFont::toQFont():
//   tmAscent = ascent, tmDescent = descent, tmHeight = ascent + descent (the cell),
//   tmInternalLeading = tmHeight - em size, tmExternalLeading = max(0, Qt's leading),
//   tmAveCharWidth = the face's average character width;
//   a text's width is Qt's horizontal advance, its extent (width, tmHeight).
// For Liberation Sans (the face "Arial" resolves to) these equal the platform's own
// numbers, e.g. height -13: ascent 12, descent 3, internal leading 2, external 0.
// The metrics do not depend on the escapement: rotated text measures as horizontal text.
// Text in a symbol face that is not installed is measured as it is drawn (SymbolFonts).
#include "platform/drawing/GdiFont.h"

#include <QFontMetrics>
#include <QSize>
#include <QStringList>

namespace platform {

class TextMetrics {
  public:
    explicit TextMetrics(const GdiFont& font);

    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;

    int textWidth(const QString& text) const;
    // How many characters from the start of the text reach no further than the length,
    // with some to spare; only that part of the text is laid out.
    qsizetype charactersWithin(const QString& text, qint64 length) const;
    QSize textExtent(const QString& text) const { return {textWidth(text), tmHeight}; }
    // The characters drawn for the text (symbol faces mapped), and their width.
    QString shown(const QString& text) const;
    int shownWidth(const QString& shown) const;
    // Qt lays out a string in one piece, with room on the stack for all of it; a very long
    // string is measured and drawn in pieces of at most this many characters (a surrogate
    // pair is never split).
    static constexpr qsizetype maxPiece = 1024;
    static QStringList pieces(const QString& text);
    // The one word-wrap rule: the line broken at spaces into pieces no wider than width,
    // each piece keeping the spaces after its last word; a word wider than width alone is
    // broken between characters. An empty line stays one empty line.
    QStringList wrapLine(const QString& line, int width) const;
    // The Qt font the metrics describe.
    const QFont& qfont() const { return font_; }

  private:
    // The end of the piece of the text that starts at from.
    static qsizetype pieceEnd(const QString& text, qsizetype from);
    QString face_;
    QFont font_;
    QFontMetrics fm_;
};

} // namespace platform
