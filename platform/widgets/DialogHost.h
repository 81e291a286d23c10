#pragma once
// The one door through which the program shows anything modal: its own dialogs, message
// boxes, the platform's colour, font and file dialogs, and popup menus; and the door to the
// desktop's viewers. The default host shows real widgets; tests install a scripted host that
// answers without an event loop and opens no viewer.
#include "platform/drawing/TColor.h"
#include "platform/widgets/MenuModel.h"

#include <QFont>
#include <QPoint>
#include <QString>

#include <optional>

class QDialog;

namespace platform {

class DialogHost {
  public:
    virtual ~DialogHost() = default;

    // Runs a modal dialog; returns QDialog::Accepted or QDialog::Rejected. Every dialog
    // is first centred over the main window and given its what's-this help.
    int exec(QDialog& dialog);
    // A message box with one OK button.
    virtual void information(const QString& text, const QString& caption) = 0;
    // A message box with the error icon and one OK button.
    virtual void error(const QString& text, const QString& caption) = 0;
    // A message box with Yes and No; true for Yes.
    virtual bool askYesNo(const QString& text, const QString& caption) = 0;
    // A message box with Yes, No and Cancel; closing it (Escape) is Cancel.
    enum class Answer { Yes, No, Cancel };
    virtual Answer askYesNoCancel(const QString& text, const QString& caption) = 0;
    virtual std::optional<TColor> chooseColor(TColor initial) = 0;
    // The font dialog. A face the font system resolves to another (Arial drawn by
    // Liberation Sans) opens on the face that draws it, whose styles the dialog lists; a
    // choice left on that face keeps the name the caller gave.
    std::optional<QFont> chooseFont(const QFont& initial);
    // Empty when cancelled.
    virtual QString openFileName(const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    virtual QString saveFileName(const QString& caption, const QString& proposed,
                                 const QString& filter) = 0;
    // Opens the menu at a screen position (runs its on-popup handler first).
    virtual void popup(MenuModel& menu, QPoint globalPos) = 0;
    virtual void beep() = 0;
    // Hands a file to the desktop's viewer for its type (the "open" shell action).
    virtual void openExternally(const QString& fileName) = 0;

    // The host in use; the widget host unless a test installed another.
    static DialogHost& current();
    // Installs a host (not owned); nullptr restores the widget host.
    static void install(DialogHost* host);

  protected:
    // Shows the prepared dialog modally.
    virtual int run(QDialog& dialog) = 0;
    // Shows the font dialog opened on an installed face.
    virtual std::optional<QFont> pickFont(const QFont& initial) = 0;
};

// The shell routines every part of the program reports through; control characters in the
// text are shown escaped (see PrintableText).
void showInformation(const QString& text);
// An error the user has to know about, such as a file that cannot be read.
void showError(const QString& text);
bool askYesNo(const QString& text, const QString& caption);
DialogHost::Answer askYesNoCancel(const QString& text, const QString& caption);

} // namespace platform
