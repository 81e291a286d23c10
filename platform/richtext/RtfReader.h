#pragma once
// Reads rich text format into a QTextDocument: groups, control words and symbols, the font
// and colour tables, 8-bit text in the document's code page, Unicode characters with their
// fallbacks skipped, character formatting (font, size, bold, italic, underline, strike-out,
// colours) and paragraph formatting (alignment, indents, spacing). Destinations it does not
// show (pictures, style sheets, document information, "\*" groups) are skipped. It never
// fails: whatever it does not know is ignored, and broken input (unbalanced braces, cut-off
// data, huge numbers) yields the text read so far. Its cost is linear in the input and the
// depth of nested groups it follows is bounded.
//
// Lengths in twips become document units (pixels at the screen's pixels per inch), as the
// document is laid out and edited on screen; RtfWriter converts them back.
#include <QByteArrayView>
#include <QString>

class QTextDocument;

namespace platform {

class RtfReader {
  public:
    // Replaces the document's content with the RTF text.
    static void read(QByteArrayView rtf, QTextDocument& document);
    // Groups nested deeper than this are read with the formatting of the deepest one.
    static constexpr int maxDepth = 256;
    // The font of text whose font the font table does not name.
    static QString fallbackFont() { return QStringLiteral("Arial"); }
};

} // namespace platform
