#pragma once
// The status line of a report job: a format with page macros, the lines it may quote, and
// the sink (usually a label) that shows the expanded text whenever the job refreshes it.
#include <QString>
#include <QStringList>

#include <functional>

namespace platform {

class ReportStatus {
  public:
    // The format: %p is the current page number, %0 to %9 the lines of text (empty when
    // missing), %% one percent sign; any other % sequence is shown as written. A "\r" (or
    // "\r\n") is a line break.
    QString format;
    QStringList text;
    // Receives the expanded text, with "\n" for every line break.
    std::function<void(const QString&)> sink;

    static QString expand(const QString& format, int page, const QStringList& lines);
    // Expands the format for the page and hands it to the sink, if there is one.
    void refresh(int page) const;
};

} // namespace platform
