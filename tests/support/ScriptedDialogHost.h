#pragma once
// A dialog host for tests: records every message and dialog, and answers from a script.
// Installed for its lifetime; the widget host comes back when it is destroyed.
#include "platform/widgets/DialogHost.h"

#include <QDialog>
#include <QStringList>

#include <deque>
#include <functional>

class ScriptedDialogHost : public platform::DialogHost {
  public:
    ScriptedDialogHost();
    ~ScriptedDialogHost() override;

    // Dialogs: each exec takes the next handler, which may set controls (found by
    // objectName) and returns QDialog::Accepted or Rejected. With none queued: Rejected.
    std::deque<std::function<int(QDialog&)>> dialogs;
    std::deque<bool> yesNoAnswers; // default answer: No
    // Yes/No/Cancel questions take these first, then a Yes/No answer; default: Cancel.
    std::deque<Answer> yesNoCancelAnswers;
    std::deque<std::optional<TColor>> colors; // default: cancelled
    std::deque<std::optional<QFont>> fonts;   // default: cancelled
    QList<QFont> fontsShown;                  // the font each font dialog opened on
    std::deque<QString> fileNames;            // open and save dialogs; default: cancelled

    QStringList messages;     // information and error texts, in order
    QStringList errors;       // the error texts among them
    QStringList questions;    // yes/no texts, in order
    QStringList dialogTitles; // window titles of executed dialogs
    QStringList fileDialogs;  // caption and proposed name or folder of each file dialog
    int beeps = 0;
    QStringList openedFiles; // files handed to the desktop's viewer
    // Popup menus: each popup takes the next choice and triggers it while the menu is up,
    // as a click on a real menu does ("Submenu/Item" reaches into a submenu).
    std::deque<QString> menuChoices;
    platform::MenuModel* lastPopup = nullptr;
    QPoint lastPopupPos;

    void information(const QString& text, const QString& caption) override;
    void error(const QString& text, const QString& caption) override;
    bool askYesNo(const QString& text, const QString& caption) override;
    Answer askYesNoCancel(const QString& text, const QString& caption) override;
    std::optional<TColor> chooseColor(TColor initial) override;
    QString openFileName(const QString& caption, const QString& dir,
                         const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& proposed,
                         const QString& filter) override;
    void popup(platform::MenuModel& menu, QPoint globalPos) override;
    void beep() override { ++beeps; }
    void openExternally(const QString& fileName) override { openedFiles << fileName; }

  protected:
    int run(QDialog& dialog) override;
    std::optional<QFont> pickFont(const QFont& initial) override;
};
