#include "platform/widgets/DialogHost.h"

#include "platform/widgets/CenterForm.h"
#include "platform/widgets/PrintableText.h"
#include "platform/widgets/WhatsThisHelp.h"
#include "platform/widgets/WidgetDialogHost.h"

#include <QDialog>
#include <QFontInfo>

namespace platform {

namespace {
DialogHost* installedHost = nullptr;
}

DialogHost& DialogHost::current() {
    static WidgetDialogHost widgetHost;
    return installedHost ? *installedHost : widgetHost;
}

void DialogHost::install(DialogHost* host) {
    installedHost = host;
}

std::optional<QFont> DialogHost::chooseFont(const QFont& initial) {
    const QString drawn = QFontInfo(initial).family();
    QFont shown = initial;
    shown.setFamily(drawn);
    std::optional<QFont> chosen = pickFont(shown);
    if (chosen && chosen->family() == drawn) chosen->setFamily(initial.family());
    return chosen;
}

int DialogHost::exec(QDialog& dialog) {
    centerForm(dialog);
    addWhatsThisHelp(dialog);
    return run(dialog);
}

void showError(const QString& text) {
    DialogHost::current().error(PrintableText::of(text), QStringLiteral("Error"));
}

void showInformation(const QString& text) {
    DialogHost::current().information(PrintableText::of(text), QStringLiteral("Information"));
}

bool askYesNo(const QString& text, const QString& caption) {
    return DialogHost::current().askYesNo(PrintableText::of(text), caption);
}

DialogHost::Answer askYesNoCancel(const QString& text, const QString& caption) {
    return DialogHost::current().askYesNoCancel(text, caption);
}

} // namespace platform
