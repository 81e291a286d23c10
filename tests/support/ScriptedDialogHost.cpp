#include "ScriptedDialogHost.h"

ScriptedDialogHost::ScriptedDialogHost() {
    platform::DialogHost::install(this);
}

ScriptedDialogHost::~ScriptedDialogHost() {
    platform::DialogHost::install(nullptr);
}

int ScriptedDialogHost::run(QDialog& dialog) {
    dialogTitles << dialog.windowTitle();
    if (dialogs.empty()) return QDialog::Rejected;
    auto handler = std::move(dialogs.front());
    dialogs.pop_front();
    const int result = handler(dialog);
    dialog.done(result);
    return result;
}

void ScriptedDialogHost::information(const QString& text, const QString&) {
    messages << text;
}

void ScriptedDialogHost::error(const QString& text, const QString&) {
    messages << text;
    errors << text;
}

bool ScriptedDialogHost::askYesNo(const QString& text, const QString&) {
    questions << text;
    if (yesNoAnswers.empty()) return false;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

platform::DialogHost::Answer ScriptedDialogHost::askYesNoCancel(const QString& text,
                                                                const QString&) {
    questions << text;
    if (!yesNoCancelAnswers.empty()) {
        const Answer answer = yesNoCancelAnswers.front();
        yesNoCancelAnswers.pop_front();
        return answer;
    }
    if (yesNoAnswers.empty()) return Answer::Cancel;
    const bool yes = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return yes ? Answer::Yes : Answer::No;
}

std::optional<TColor> ScriptedDialogHost::chooseColor(TColor) {
    if (colors.empty()) return std::nullopt;
    auto c = colors.front();
    colors.pop_front();
    return c;
}

std::optional<QFont> ScriptedDialogHost::pickFont(const QFont& initial) {
    fontsShown << initial;
    if (fonts.empty()) return std::nullopt;
    auto f = fonts.front();
    fonts.pop_front();
    return f;
}

QString ScriptedDialogHost::openFileName(const QString& caption, const QString& dir,
                                         const QString&) {
    fileDialogs << caption + QLatin1Char('|') + dir;
    if (fileNames.empty()) return {};
    QString f = fileNames.front();
    fileNames.pop_front();
    return f;
}

QString ScriptedDialogHost::saveFileName(const QString& caption, const QString& dir,
                                         const QString& filter) {
    return openFileName(caption, dir, filter);
}

void ScriptedDialogHost::popup(platform::MenuModel& menu, QPoint globalPos) {
    menu.aboutToShow();
    lastPopup = &menu;
    lastPopupPos = globalPos;
    if (menuChoices.empty()) return;
    const QStringList path = menuChoices.front().split(QLatin1Char('/'));
    menuChoices.pop_front();
    platform::MenuModel* m = &menu;
    for (qsizetype i = 0; m && i + 1 < path.size(); ++i) {
        const platform::MenuModel::Item* item = m->find(path[i]);
        m = item ? item->submenu.get() : nullptr;
        if (m) m->aboutToShow();
    }
    if (m) m->trigger(path.back());
}
