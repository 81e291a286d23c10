#pragma once
// The dialog host that shows real Qt widgets.
#include "platform/widgets/DialogHost.h"

namespace platform {

class WidgetDialogHost : public DialogHost {
  public:
    void information(const QString& text, const QString& caption) override;
    void error(const QString& text, const QString& caption) override;
    bool askYesNo(const QString& text, const QString& caption) override;
    Answer askYesNoCancel(const QString& text, const QString& caption) override;
    std::optional<TColor> chooseColor(TColor initial) override;
    QString openFileName(const QString& caption, const QString& dir,
                         const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& proposed,
                         const QString& filter) override;
    void popup(MenuModel& menu, QPoint globalPos) override;
    void beep() override;
    void openExternally(const QString& fileName) override;

  protected:
    int run(QDialog& dialog) override;
    std::optional<QFont> pickFont(const QFont& initial) override;
};

} // namespace platform
