#include "platform/report/ReportStatus.h"

namespace platform {

QString ReportStatus::expand(const QString& format, int page, const QStringList& lines) {
    QString out;
    out.reserve(format.size() + 16);
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c != u'%' || i + 1 == format.size()) {
            out += c;
            continue;
        }
        const QChar m = format[i + 1];
        if (m == u'%') {
            out += u'%';
        } else if (m == u'p' || m == u'P') {
            out += QString::number(page);
        } else if (m >= u'0' && m <= u'9') {
            const int k = m.unicode() - u'0';
            if (k < lines.size()) out += lines[k];
        } else {
            out += c; // not a macro: keep the percent sign and let the next character follow
            continue;
        }
        ++i;
    }
    // Line breaks may come from the format or from a quoted line alike.
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(u'\r', u'\n');
    return out;
}

void ReportStatus::refresh(int page) const {
    if (sink) sink(expand(format, page, text));
}

} // namespace platform
