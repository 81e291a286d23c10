#pragma once
// The text metrics of a GdiFont, in the platform's terms, taken from Qt's font metrics of
// GdiFont::toQFont():
//   tmAscent = ascent, tmDescent = descent, tmHeight = ascent + descent (the cell),
//   tmInternalLeading = tmHeight - em size, tmExternalLeading = max(0, Qt's leading);
//   a text's width is Qt's horizontal advance, its extent (width, tmHeight).
// For Liberation Sans (the face "Arial" resolves to) these equal the platform's own
// numbers, e.g. height -13: ascent 12, descent 3, internal leading 2, external 0.
// The metrics do not depend on the escapement: rotated text measures as horizontal text.
#include "GdiFont.h"

#include <QFontMetrics>
#include <QSize>

namespace platform {

class TextMetrics {
public:
    explicit TextMetrics(const GdiFont& font);

    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;

    int textWidth(const QString& text) const;
    // How many characters from the start of the text reach no further than the length,
    // with some to spare; only that part of the text is laid out.
    qsizetype charactersWithin(const QString& text, qint64 length) const;
    QSize textExtent(const QString& text) const { return {textWidth(text), tmHeight}; }
    // The Qt font the metrics describe.
    const QFont& qfont() const { return font_; }

private:
    QFont font_;
    QFontMetrics fm_;
};

} // namespace platform
