#pragma once
// Writes a QTextDocument as plain RTF 1.x that word processors open: a font table, a colour
// table, one \pard group of paragraph formatting per paragraph and \plain character
// formatting per run. Text is ASCII in the output: code page 1252 characters as \'hh, all
// others as \uN with a "?" fallback. Document units are taken as pixels at the screen's
// pixels per inch, as RtfReader makes them.
#include <QByteArray>

class QTextDocument;

namespace platform {

class RtfWriter {
  public:
    static QByteArray write(const QTextDocument& document);
};

} // namespace platform
