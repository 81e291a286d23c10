#pragma once
// A formatted text document as a design object keeps it: its RTF text, which is what card
// files store, and the QTextDocument read from it, kept with its layout until the text
// changes so that painting does not read or lay out the text again.
#include <QByteArray>

#include <memory>

class QTextDocument;

namespace platform {

class RichTextDocument {
  public:
    RichTextDocument();
    ~RichTextDocument();

    const QByteArray& rtf() const { return rtf_; }
    // Takes RTF text as it is, so that a document made elsewhere is stored unchanged.
    void setRtf(const QByteArray& rtf);
    // Takes the content of an edited document; one without any text is empty.
    void setDocument(const QTextDocument& document);
    bool isEmpty() const { return rtf_.isEmpty(); }

    // The document read from the RTF text.
    QTextDocument& document() const;

  private:
    QByteArray rtf_;
    mutable std::unique_ptr<QTextDocument> document_;
};

} // namespace platform
