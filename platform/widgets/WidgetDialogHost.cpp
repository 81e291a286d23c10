#include "platform/widgets/WidgetDialogHost.h"

#include "platform/widgets/CenterForm.h"
#include "platform/widgets/HelpViewer.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>

namespace platform {

namespace {
QWidget* activeWindow() {
    return QApplication::activeWindow();
}

void fillMenu(QMenu& qmenu, MenuModel& model) {
    model.aboutToShow();
    for (MenuModel::Item& item : model.items()) {
        if (!item.visible) continue;
        if (item.caption == QLatin1String("-")) {
            qmenu.addSeparator();
            continue;
        }
        if (item.submenu) {
            QMenu* sub = qmenu.addMenu(item.caption);
            sub->setEnabled(item.enabled);
            fillMenu(*sub, *item.submenu);
            continue;
        }
        QAction* action = qmenu.addAction(item.caption); // QMenu right-aligns after a tab
        action->setEnabled(item.enabled);
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
        // Copies: the action may rebuild or destroy the menu it came from.
        if (item.action)
            QObject::connect(action, &QAction::triggered, action,
                             [runner = model.runner, caption = item.caption, run = item.action] {
                                 MenuModel::run(runner, caption, run);
                             });
    }
}

// A message box over the active window, placed as the program's dialogs are; returns the
// button pressed.
int messageBox(QMessageBox::Icon icon, const QString& text, const QString& caption,
               QMessageBox::StandardButtons buttons,
               QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) {
    QMessageBox box(icon, caption, text, buttons, activeWindow());
    if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
    centerForm(box);
    return box.exec();
}

// A file dialog over the active window, placed as the program's dialogs are, opened in the
// folder of `start` with its file name proposed; the file chosen, or empty when cancelled.
QString fileDialog(QFileDialog::AcceptMode mode, const QString& caption, const QString& start,
                   const QString& filter) {
    QFileDialog dialog(activeWindow(), caption, start, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    centerForm(dialog);
    if (dialog.exec() != QDialog::Accepted) return QString();
    return dialog.selectedFiles().value(0);
}
} // namespace

int WidgetDialogHost::run(QDialog& dialog) {
    // A dialog's Help button that names its topic ("HelpContext") opens it.
    // F1 opens the same topic.
    for (QPushButton* help : dialog.findChildren<QPushButton*>(QStringLiteral("HelpButton"))) {
        const QVariant topic = help->property("HelpContext");
        if (!topic.isValid()) continue;
        auto show = [context = topic.toInt()] { HelpViewer::showTopic(context); };
        QObject::connect(help, &QPushButton::clicked, help, show);
        QObject::connect(new QShortcut(QKeySequence(Qt::Key_F1), &dialog), &QShortcut::activated,
                         help, show);
    }
    return dialog.exec();
}

void WidgetDialogHost::information(const QString& text, const QString& caption) {
    messageBox(QMessageBox::Information, text, caption, QMessageBox::Ok);
}

void WidgetDialogHost::error(const QString& text, const QString& caption) {
    messageBox(QMessageBox::Critical, text, caption, QMessageBox::Ok);
}

bool WidgetDialogHost::askYesNo(const QString& text, const QString& caption) {
    return messageBox(QMessageBox::Question, text, caption, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

DialogHost::Answer WidgetDialogHost::askYesNoCancel(const QString& text, const QString& caption) {
    // With a Cancel button, QMessageBox makes Escape and the close button answer Cancel.
    switch (messageBox(QMessageBox::Question, text, caption,
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                       QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

std::optional<TColor> WidgetDialogHost::chooseColor(TColor initial) {
    const QColor c = QColorDialog::getColor(initial.toQColor(), activeWindow());
    if (!c.isValid()) return std::nullopt;
    return TColor::fromQColor(c);
}

std::optional<QFont> WidgetDialogHost::pickFont(const QFont& initial) {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, initial, activeWindow());
    if (!ok) return std::nullopt;
    return f;
}

QString WidgetDialogHost::openFileName(const QString& caption, const QString& dir,
                                       const QString& filter) {
    return fileDialog(QFileDialog::AcceptOpen, caption, dir, filter);
}

QString WidgetDialogHost::saveFileName(const QString& caption, const QString& proposed,
                                       const QString& filter) {
    return fileDialog(QFileDialog::AcceptSave, caption, proposed, filter);
}

void WidgetDialogHost::popup(MenuModel& menu, QPoint globalPos) {
    QMenu qmenu;
    fillMenu(qmenu, menu);
    qmenu.exec(globalPos);
}

void WidgetDialogHost::beep() {
    QApplication::beep();
}

void WidgetDialogHost::openExternally(const QString& fileName) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

} // namespace platform
