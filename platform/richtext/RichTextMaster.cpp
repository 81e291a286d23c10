#include "platform/richtext/RichTextMaster.h"

#include "platform/drawing/ScreenMetrics.h"
#include "platform/richtext/RichTextDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>
#include <QTextOption>

namespace platform {

RichTextMaster::RichTextMaster(QObject* parent) : QObject(parent) {
    setObjectName(QLatin1String(masterName));
}

RichTextMaster* RichTextMaster::find(const QObject* holder) {
    if (!holder) return nullptr;
    for (QObject* child : holder->children()) {
        auto* master = qobject_cast<RichTextMaster*>(child);
        if (master && master->objectName().toUpper() == QLatin1String(masterName)) return master;
    }
    return nullptr;
}

void RichTextMaster::paint(QPainter& painter, const QRect& target) {
    if (!document_ || document_->isEmpty() || page_.width() <= 0 || page_.height() <= 0 ||
        zoom_ <= 0)
        return;
    QTextDocument& doc = document_->document();
    // The page in document units (pixels at the screen's pixels per inch at zoom 1).
    const double ppi = ScreenMetrics::pixelsPerInch();
    const QSizeF page(page_.width() * ppi / 1440.0, page_.height() * ppi / 1440.0);
    QTextOption option = doc.defaultTextOption();
    const QTextOption::WrapMode wrap =
        wordWrap_ ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap;
    if (option.wrapMode() != wrap) {
        option.setWrapMode(wrap);
        doc.setDefaultTextOption(option);
    }
    if (doc.textWidth() != page.width()) doc.setTextWidth(page.width());

    const double scale = zoom_ / 100.0;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(QPointF(0, 0), page);
    context.palette.setColor(QPalette::Text, Qt::black);
    doc.documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace platform
