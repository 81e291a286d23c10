#include "platform/richtext/RtfKept.h"

#include <QAbstractTextDocumentLayout>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextObjectInterface>

namespace platform {

namespace {

// Kept RTF takes no room on the line and draws nothing.
class KeptHandler : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
  public:
    using QObject::QObject;
    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat&) override { return {}; }
    void drawObject(QPainter*, const QRectF&, QTextDocument*, int, const QTextFormat&) override {}
};

} // namespace

void RtfKept::prepare(QTextDocument& document) {
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    if (!layout->handlerForObject(objectType))
        layout->registerHandler(objectType, new KeptHandler(&document));
}

QTextCharFormat RtfKept::format(const QTextCharFormat& run, const QByteArray& rtf) {
    QTextCharFormat f = run;
    f.setObjectType(objectType);
    f.setProperty(Bytes, rtf);
    return f;
}

QByteArray RtfKept::bytes(const QTextFormat& format) {
    return format.property(Bytes).toByteArray();
}

} // namespace platform

#include "RtfKept.moc"
