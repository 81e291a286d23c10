#pragma once
// The dialog host of the command-line commands, which have no window: messages go to the
// error stream as lines, questions are answered No and every dialog is cancelled, so that
// nothing waits for a user who is not there.
#include "platform/widgets/DialogHost.h"

namespace platform {

class ConsoleDialogHost : public DialogHost {
  public:
    void information(const QString& text, const QString& caption) override;
    void error(const QString& text, const QString& caption) override { information(text, caption); }
    bool askYesNo(const QString& text, const QString& caption) override;
    Answer askYesNoCancel(const QString& text, const QString& caption) override;
    std::optional<TColor> chooseColor(TColor) override { return std::nullopt; }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    void popup(MenuModel&, QPoint) override {}
    void beep() override {}
    void openExternally(const QString&) override {} // a command never opens viewers

  protected:
    int run(QDialog& dialog) override;
    std::optional<QFont> pickFont(const QFont&) override { return std::nullopt; }
};

} // namespace platform
