#include "DialogHost.h"

#include "CenterForm.h"
#include "PrintableText.h"
#include "WhatsThisHelp.h"
#include "WidgetDialogHost.h"

#include <QDialog>

namespace platform {

namespace {
DialogHost* installedHost = nullptr;
}

DialogHost& DialogHost::current()
{
    static WidgetDialogHost widgetHost;
    return installedHost ? *installedHost : widgetHost;
}

void DialogHost::install(DialogHost* host)
{
    installedHost = host;
}

int DialogHost::exec(QDialog& dialog)
{
    CenterForm(dialog);
    AddWhatsThisHelp(dialog);
    return run(dialog);
}

void ShowError(const QString& text)
{
    DialogHost::current().error(PrintableText::of(text), QStringLiteral("Error"));
}

void ShowInformation(const QString& text)
{
    DialogHost::current().information(PrintableText::of(text), QStringLiteral("Information"));
}

bool AskYesNo(const QString& text, const QString& caption)
{
    return DialogHost::current().askYesNo(PrintableText::of(text), caption);
}

DialogHost::Answer AskYesNoCancel(const QString& text, const QString& caption)
{
    return DialogHost::current().askYesNoCancel(text, caption);
}

} // namespace platform
