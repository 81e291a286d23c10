#pragma once
// The formatted text embedded in the rich text label as its "RTFText" property. The card
// file stores it as the extra item "Data", a data block holding the RTF text and four zero
// bytes, only when the document is not empty.
#include "document/TGExtraData.h"
#include "platform/richtext/RichTextDocument.h"

#include <QObject>

class TGRichText : public QObject, public TGExtraData {
    Q_OBJECT
  public:
    explicit TGRichText(QObject* parent = nullptr) : QObject(parent) {}

    const platform::RichTextDocument& document() const { return document_; }
    const QByteArray& rtf() const { return document_.rtf(); }
    void setRtf(const QByteArray& rtf);
    // Takes an edited document's content (none when it holds no text).
    void setDocument(const QTextDocument& document);

    std::optional<TGValue::Kinds> itemKinds(QByteArrayView name) const override {
        return name == "Data" ? std::optional(TGValue::dataBlock()) : std::nullopt;
    }
    std::vector<Item> writeExtra() const override;
    // Any bytes are taken: the reader shows whatever text a damaged block still holds.
    bool readExtra(QByteArrayView name, const TGValue& value) override;

  signals:
    void changed();

  private:
    platform::RichTextDocument document_;
};
