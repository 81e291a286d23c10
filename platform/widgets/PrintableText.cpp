#include "platform/widgets/PrintableText.h"

#include "platform/system/FileName.h"

namespace platform {

QString PrintableText::of(const QString& raw) {
    const QString text = FileName::display(raw);
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') continue;
        if (c == u'\n' || c == u'\t' || c.category() != QChar::Other_Control) {
            out += c;
            continue;
        }
        const ushort u = c.unicode();
        const QString hex = QString::number(u, 16).toUpper();
        out += u <= 0xFF ? QStringLiteral("\\x") + hex.rightJustified(2, u'0')
                         : QStringLiteral("\\u") + hex.rightJustified(4, u'0');
    }
    return out;
}

} // namespace platform
