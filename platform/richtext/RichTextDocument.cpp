#include "platform/richtext/RichTextDocument.h"

#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"

#include <QTextDocument>

namespace platform {

RichTextDocument::RichTextDocument() = default;
RichTextDocument::~RichTextDocument() = default;

void RichTextDocument::setRtf(const QByteArray& rtf) {
    if (rtf == rtf_) return;
    rtf_ = rtf;
    document_.reset();
}

void RichTextDocument::setDocument(const QTextDocument& document) {
    setRtf(document.isEmpty() ? QByteArray() : RtfWriter::write(document));
}

QTextDocument& RichTextDocument::document() const {
    if (!document_) {
        document_ = std::make_unique<QTextDocument>();
        // Unhinted advances: the line breaks do not depend on the device drawn on, so the
        // card prints as it shows.
        document_->setUseDesignMetrics(true);
        document_->setUndoRedoEnabled(false);
        // Labels draw their text without a margin. Set while the document is empty: on a
        // long document the change costs a pass over every block.
        document_->setDocumentMargin(0);
        RtfReader::read(rtf_, *document_);
    }
    return *document_;
}

} // namespace platform
