// The main window's Edit and Help commands: default font, personal information,
// background art, card layout, help and about.
#include "TMainScreen.h"

#include "TLoadBackGround.h"
#include "TPersonalInformation.h"
#include "TSplashform.h"
#include "document/TGBusinessCardPanel32.h"
#include "platform/system/FileName.h"
#include "platform/system/HomeFolder.h"
#include "platform/widgets/DialogHost.h"
#include "printing/TEditCardLayout.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>

void TMainScreen::storeFontPreferences() {
    const TGFont& f = surface_->font();
    prefs_.fontName = f.name();
    prefs_.fontSize = f.size();
    prefs_.fontBold = f.style().testFlag(Gdi::fsBold);
    prefs_.fontItalic = f.style().testFlag(Gdi::fsItalic);
    prefs_.fontUnderline = f.style().testFlag(Gdi::fsUnderline);
}

QString TMainScreen::defaultFontCaption() const {
    const TGFont& f = surface_->font();
    QString caption = QStringLiteral("Default Font: ") + f.name() + QStringLiteral(", ") +
                      QString::number(f.size()) + QStringLiteral(" pt ");
    if (f.style().testFlag(Gdi::fsBold)) caption += QStringLiteral(", bold");
    if (f.style().testFlag(Gdi::fsItalic)) caption += QStringLiteral(", italic");
    if (f.style().testFlag(Gdi::fsUnderline)) caption += QStringLiteral(", underline");
    return caption;
}

void TMainScreen::setDefaultFontCaption() {
    defaultFontAction_->setText(defaultFontCaption());
}

void TMainScreen::defaultFontCommand() {
    const std::optional<QFont> chosen =
        platform::DialogHost::current().chooseFont(surface_->font().toQFont());
    if (chosen) surface_->font().assignQFont(*chosen);
    setDefaultFontCaption();
    storeFontPreferences();
    prefs_.savePreferences();
}

void TMainScreen::setPanelPersonalInfo() {
    prefs_.applyPersonalInfo(*surface_);
}

void TMainScreen::personalInformationCommand() {
    TPersonalInformation dialog(this);
    prefs_ = TPreferences::loadPreferences();
    prefs_.applyFont(surface_->font());
    dialog.setValues(prefs_.personal);
    if (platform::DialogHost::current().exec(dialog) != QDialog::Accepted) return;
    prefs_.personal = dialog.values();
    prefs_.savePreferences();
    setPanelPersonalInfo();
}

void TMainScreen::backgroundArtCommand() {
    const QString folder = platform::HomeFolder::path() + QStringLiteral("bg");
    TLoadBackGround dialog(folder, this);
    if (!backgroundFile_.isEmpty()) {
        const QString inFolder = folder + QLatin1Char('/') + QFileInfo(backgroundFile_).fileName();
        if (platform::FileName::exists(backgroundFile_))
            dialog.selectFile(backgroundFile_);
        else if (platform::FileName::exists(inFolder))
            dialog.selectFile(inFolder);
    }
    TGUndoHistory::Step step(surface_->history(), QStringLiteral("Background Art"));
    const int result = platform::DialogHost::current().exec(dialog);
    if (result == QDialog::Accepted)
        setBackgroundFile(dialog.selectedFile());
    else if (result == TLoadBackGround::noneResult)
        setBackgroundFile(QString());
}

void TMainScreen::setBackgroundFile(const QString& fileName) {
    backgroundFile_ = fileName;
    if (fileName.isEmpty())
        surface_->clearBackground();
    else
        showBackground();
    surface_->invalidate();
}

void TMainScreen::showBackground() {
    // Art that cannot be used is said; the card keeps naming it, so that nothing is lost.
    const QString problem = surface_->loadBackground(backgroundFile_);
    if (!problem.isEmpty())
        statusBar()->showMessage(problem + QStringLiteral("; the card is shown without it."));
}

void TMainScreen::layoutCommand() {
    const std::optional<TCardLayout> layout = TEditCardLayout::execute(prefs_.print.layout, this);
    if (!layout) return;
    TGUndoHistory::Step step(surface_->history(), QStringLiteral("Business Card Layout"));
    applyLayout(*layout);
}

void TMainScreen::applyLayout(const TCardLayout& layout) {
    prefs_.print.layout = layout;
    storeFontPreferences();
    prefs_.savePreferences();
    surface_->handle().clear();
    sizeCardFromLayout();
}

void TMainScreen::aboutCommand() {
    TSplashform about(this);
    platform::DialogHost::current().exec(about);
}
