#pragma once
// Completes the text of the fonts of a PDF written by the toolkit, so that what is copied or
// searched in it is what was printed. The toolkit's writer maps each embedded glyph to its
// character (the font's ToUnicode map) only for characters up to U+FFFF; glyphs drawn for
// characters above, such as the pictographs of the symbol faces, are read back as nothing.
// Their characters are found by GlyphCharacters and added to the map. The work on the PDF
// is done by the PDF module; without it, or when it cannot read the PDF, the PDF stays as
// written, with the text the toolkit gave it.
#include <QByteArray>

namespace platform {

class PdfFontText {
  public:
    // Adds the missing characters to the fonts of `pdf`; leaves it unchanged when none is
    // missing or none can be found.
    static void complete(QByteArray& pdf);

  private:
    // The font's ToUnicode map `cmap` with the characters of the glyphs it lacks, found for
    // its TrueType font `fontFile`; empty when it lacks none or none is found.
    static QByteArray completedMap(const QByteArray& cmap, const QByteArray& fontFile);
};

} // namespace platform
