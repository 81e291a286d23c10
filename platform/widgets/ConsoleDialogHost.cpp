#include "platform/widgets/ConsoleDialogHost.h"

#include <QDialog>
#include <QTextStream>

namespace platform {

int ConsoleDialogHost::run(QDialog&) {
    return QDialog::Rejected;
}

void ConsoleDialogHost::information(const QString& text, const QString&) {
    QTextStream(stderr) << text << Qt::endl;
}

bool ConsoleDialogHost::askYesNo(const QString& text, const QString&) {
    QTextStream(stderr) << text << QStringLiteral(" (answered No)") << Qt::endl;
    return false;
}

DialogHost::Answer ConsoleDialogHost::askYesNoCancel(const QString& text, const QString&) {
    // Cancel leaves everything as it was, the one safe answer when nobody can be asked.
    QTextStream(stderr) << text << QStringLiteral(" (answered Cancel)") << Qt::endl;
    return Answer::Cancel;
}

} // namespace platform
