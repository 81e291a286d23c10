// The main window's file commands: new, open, delete, save, save as, the recent files,
// cancel and exit, with the card's companion file.
#include "TMainScreen.h"

#include "CardFiles.h"
#include "document/TGBusinessCardPanel32.h"
#include "document/TGFilerError.h"
#include "platform/DialogHost.h"
#include "platform/HomeFolder.h"

#include <QFile>
#include <QFileInfo>

namespace {
const QString cardFilter = QStringLiteral("ORL File (*.orl *.ORL)");
const QString notACard = QStringLiteral("Must be a ORL (Orlanto) file");
} // namespace

QString TMainScreen::savedFolder() const
{
    return platform::HomeFolder::path() + QStringLiteral("Saved/");
}

void TMainScreen::newCommand()
{
    CheckSaveNeeded();
    busy_ = true;
    surface_->ClearObjects();
    backgroundFile_.clear();
    surface_->ClearBackground();
    currentFileName_.clear();
    SetChangesMade(false);
    busy_ = false;
    Setbuttons();
}

void TMainScreen::openCommand()
{
    CheckSaveNeeded();
    const QString name = platform::DialogHost::current().openFileName(
        QStringLiteral("Open Business Card"), savedFolder(), cardFilter);
    if (name.isEmpty()) return;
    if (!CardFiles::isCardFile(name)) {
        platform::ShowInformation(notACard);
        return;
    }
    OpenBCFile(name);
}

void TMainScreen::openFile(const QString& fileName)
{
    const QString name = QFileInfo(fileName).absoluteFilePath();
    if (!CardFiles::isCardFile(name)) {
        platform::ShowInformation(notACard);
        return;
    }
    if (!QFile::exists(name)) {
        platform::ShowInformation(name + QStringLiteral(" no longer exists"));
        return;
    }
    OpenBCFile(name);
}

void TMainScreen::deleteCommand()
{
    const QString name = platform::DialogHost::current().openFileName(
        QStringLiteral("Delete Business Card"), savedFolder(), cardFilter);
    if (name.isEmpty()) return;
    if (!CardFiles::isCardFile(name)) {
        platform::ShowInformation(notACard);
        return;
    }
    if (!platform::AskYesNo(QStringLiteral("Delete ") + name + QLatin1Char('?'),
                            QStringLiteral("CONFIRM")))
        return;
    if (!QFile::remove(name) && QFile::exists(name)) {
        platform::ShowInformation(QStringLiteral("Unable to delete ") + name);
        return;
    }
    const QString companion = CardFiles::companionName(name);
    if (QFile::exists(companion)) QFile::remove(companion);
}

void TMainScreen::saveCommand()
{
    surface_->DeleteStrayObjects();
    if (currentFileName_.isEmpty()) {
        platform::DialogHost::current().beep();
        return;
    }
    if (SaveBCFile(currentFileName_)) SetChangesMade(false);
}

void TMainScreen::saveAsCommand()
{
    surface_->DeleteStrayObjects();
    const QString proposed = savedFolder() + (currentFileName_.isEmpty()
                                                  ? CardFiles::proposedName(savedFolder())
                                                  : QFileInfo(currentFileName_).fileName());
    QString name = platform::DialogHost::current().saveFileName(
        QStringLiteral("Save Business Card"), proposed, cardFilter);
    if (!name.isEmpty()) {
        // "Jane v1.2" has an extension of sorts, but Open takes only card files.
        if (!CardFiles::isCardFile(name)) name += QStringLiteral(".ORL");
        if (SaveBCFile(name)) {
            currentFileName_ = name;
            SetChangesMade(false);
            recent_.add(name);
            recent_.save();
            rebuildRecentMenu();
        }
    }
    Setbuttons();
}

bool TMainScreen::SaveBCFile(const QString& fileName)
{
    try {
        surface_->SaveCard(fileName);
    } catch (const TGFilerError& e) {
        platform::ShowInformation(e.message());
        return false;
    }
    if (!CardFiles::writeCompanion(fileName, backgroundFile_))
        platform::ShowInformation(QStringLiteral("Cannot create file ") +
                                  CardFiles::companionName(fileName));
    return true;
}

void TMainScreen::OpenBCFile(const QString& fileName)
{
    busy_ = true;
    surface_->ClearObjects();
    backgroundFile_.clear();
    surface_->ClearBackground();
    try {
        surface_->LoadCard(fileName);
        currentFileName_ = fileName;
        recent_.add(fileName);
        recent_.save();
        rebuildRecentMenu();
        backgroundFile_ = CardFiles::readCompanion(fileName);
        if (!backgroundFile_.isEmpty() && QFile::exists(backgroundFile_))
            surface_->LoadBackground(backgroundFile_);
    } catch (const TGFilerError&) {
        surface_->ClearObjects();
        // The card becomes untitled, so that a later Save cannot write the empty card over
        // the file that was open before.
        currentFileName_.clear();
        backgroundFile_.clear();
        platform::ShowInformation(QStringLiteral("Unable to open ") + fileName +
                                  QStringLiteral(". Possibly corrupted, possibly not a ORL file"));
    }
    SetChangesMade(false);
    surface_->processPendingEvents();
    busy_ = false;
    Setbuttons();
    surface_->invalidate();
}

void TMainScreen::CheckSaveNeeded()
{
    if (!changesMade_ || !platform::AskYesNo(QStringLiteral("Save changes?"), QStringLiteral("Save")))
        return;
    if (currentFileName_.isEmpty()) {
        saveAsCommand();
        SetChangesMade(false);
    } else if (SaveBCFile(currentFileName_)) {
        changesMade_ = false;
    }
}

void TMainScreen::MRUItemClick(const QString& fileName)
{
    recent_.remove(fileName);
    recent_.save();
    rebuildRecentMenu();
    CheckSaveNeeded();
    if (QFile::exists(fileName))
        OpenBCFile(fileName);
    else
        platform::ShowInformation(fileName + QStringLiteral(" no longer exists"));
}

void TMainScreen::cancelChangesCommand()
{
    if (!platform::AskYesNo(QStringLiteral("Cancel all changes?"), QStringLiteral("CANCEL"))) return;
    busy_ = true;
    surface_->ClearObjects();
    backgroundFile_.clear();
    surface_->ClearBackground();
    busy_ = false;
    if (!currentFileName_.isEmpty()) OpenBCFile(currentFileName_);
    SetChangesMade(false);
    surface_->invalidate();
}

void TMainScreen::exitCommand()
{
    CheckSaveNeeded();
    close();
}
