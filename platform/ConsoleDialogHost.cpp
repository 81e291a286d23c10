#include "ConsoleDialogHost.h"

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

} // namespace platform
