#include "DialogHost.h"

#include "CenterForm.h"
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
    DialogHost::current().error(text, QStringLiteral("Error"));
}

void ShowInformation(const QString& text)
{
    DialogHost::current().information(text, QStringLiteral("Information"));
}

bool AskYesNo(const QString& text, const QString& caption)
{
    return DialogHost::current().askYesNo(text, caption);
}

} // namespace platform
