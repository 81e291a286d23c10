#pragma once
// What an RTF document holds that the text engine reads but does not show (hidden text,
// bookmarks, "\*" destinations, object data, headers, footers, footnotes, fields without a
// result) stays in the QTextDocument where it stood, as one object character of zero size
// that carries the RTF bytes; RtfWriter writes them back unchanged. Other RTF facts that
// QTextFormat has no property for travel in user properties of the formats.
#include <QByteArray>
#include <QTextFormat>

class QTextDocument;
class QTextCharFormat;

namespace platform {

class RtfKept {
  public:
    // The object type of a character that stands for kept RTF.
    static constexpr int objectType = QTextFormat::UserObject + 1;
    enum Property {
        Bytes = QTextFormat::UserProperty + 1, // the kept RTF of an object or a picture
        FieldInstruction,                      // "{\*\fldinst ...}" of a field's result text
        FontFamily,                            // "swiss", "roman"... of the run's font
        DocumentHeader,                        // on the root frame: groups before the text
    };

    // Lets the document lay out kept characters with no size and draw nothing for them.
    static void prepare(QTextDocument& document);
    // The format of a character that stands for `rtf`, with the run's formatting.
    static QTextCharFormat format(const QTextCharFormat& run, const QByteArray& rtf);
    // The kept RTF of a character format, empty when it stands for none.
    static QByteArray bytes(const QTextFormat& format);
};

} // namespace platform
