#pragma once
// Writes a QTextDocument as plain RTF 1.x that word processors open: a font table with the
// fonts' families, a colour table, the list tables of the document's lists, one \pard
// group of paragraph formatting per paragraph (tab stops, line spacing, shading and list
// membership included) and \plain character formatting per run; fields around their result
// text; pictures and whatever RtfReader kept unshown (RtfKept) as the RTF they came from.
// Text is ASCII in the output: code page 1252 characters as \'hh, all others as \uN with a
// "?" fallback. Document units are taken as pixels at the screen's pixels per inch, as
// RtfReader makes them.
#include <QByteArray>

class QString;
class QTextDocument;

namespace platform {

class RtfWriter {
  public:
    static QByteArray write(const QTextDocument& document);
    // Appends text as RTF: escaped braces and backslashes, control words for tabs, line
    // breaks and special spaces, 8-bit and Unicode escapes for what is not ASCII.
    static void escape(const QString& text, QByteArray& out);
};

} // namespace platform
