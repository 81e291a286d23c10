// The main window's file commands: new, open, delete, save, save as, the recent files,
// cancel and exit, with the card's companion file.
#include "TMainScreen.h"

#include "CardFiles.h"
#include "TOpeningMark.h"
#include "document/TGBusinessCardPanel32.h"
#include "document/TGFilerError.h"
#include "document/TGLabelObjectFiler.h"
#include "platform/DialogHost.h"
#include "platform/FileName.h"
#include "platform/HomeFolder.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace {
const QString cardFilter = QStringLiteral("ORL File (*.orl *.ORL)");
const QString notACard = QStringLiteral("Must be a ORL (Orlanto) file");
} // namespace

QString TMainScreen::savedFolder() const {
    return platform::HomeFolder::path() + QStringLiteral("Saved/");
}

void TMainScreen::newCommand() {
    if (!CheckSaveNeeded()) return;
    busy_ = true;
    surface_->ClearObjects();
    backgroundFile_.clear();
    surface_->ClearBackground();
    currentFileName_.clear();
    surface_->history().clear();
    SetChangesMade(false);
    busy_ = false;
    Setbuttons();
}

void TMainScreen::openCommand() {
    if (!CheckSaveNeeded()) return;
    const QString name = platform::DialogHost::current().openFileName(
        QStringLiteral("Open Business Card"), savedFolder(), cardFilter);
    if (name.isEmpty()) return;
    if (!CardFiles::isCardFile(name)) {
        platform::ShowInformation(notACard);
        return;
    }
    OpenBCFile(name);
}

void TMainScreen::openFile(const QString& fileName) {
    const QString name = platform::FileName::absolute(fileName);
    if (!CardFiles::isCardFile(name)) {
        platform::ShowInformation(notACard);
        return;
    }
    if (!platform::FileName::exists(name)) {
        platform::ShowInformation(name + QStringLiteral(" no longer exists"));
        return;
    }
    if (const QString problem = TGLabelObjectFiler::notACardFile(name); !problem.isEmpty()) {
        platform::ShowInformation(problem);
        return;
    }
    OpenBCFile(name);
}

void TMainScreen::openFromAnotherStart(const QString& fileName) {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        // A dialog of this window is open: it keeps the front, and the card waits for it.
        modal->raise();
        modal->activateWindow();
        if (!fileName.isEmpty())
            QTimer::singleShot(300, this, [this, fileName] { openFromAnotherStart(fileName); });
        return;
    }
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    if (fileName.isEmpty() || !CheckSaveNeeded()) return;
    openFile(fileName);
}

void TMainScreen::deleteCommand() {
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
    if (!platform::FileName::remove(name) && platform::FileName::exists(name)) {
        platform::ShowInformation(QStringLiteral("Unable to delete ") + name);
        return;
    }
    const QString companion = CardFiles::companionName(name);
    platform::FileName::remove(companion);
}

void TMainScreen::saveCommand() {
    // A card never saved has no name to save under: Save is Save As then.
    if (currentFileName_.isEmpty()) {
        saveAs();
        return;
    }
    {
        TGUndoHistory::Step step(surface_->history(), QStringLiteral("Delete"));
        surface_->DeleteStrayObjects();
    }
    if (SaveBCFile(currentFileName_)) SetChangesMade(false);
}

void TMainScreen::saveAsCommand() {
    saveAs();
}

bool TMainScreen::saveAs() {
    {
        TGUndoHistory::Step step(surface_->history(), QStringLiteral("Delete"));
        surface_->DeleteStrayObjects();
    }
    bool saved = false;
    const QString proposed =
        savedFolder() + (currentFileName_.isEmpty() ? CardFiles::proposedName(savedFolder())
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
            saved = true;
        }
    }
    Setbuttons();
    return saved;
}

bool TMainScreen::SaveBCFile(const QString& fileName) {
    try {
        surface_->SaveCard(fileName);
    } catch (const TGFilerError& e) {
        platform::ShowInformation(e.message());
        return false;
    }
    if (const QString error = CardFiles::writeCompanion(fileName, backgroundFile_);
        !error.isEmpty())
        platform::ShowInformation(QStringLiteral("Cannot create file %1: %2")
                                      .arg(CardFiles::companionName(fileName), error));
    return true;
}

void TMainScreen::OpenBCFile(const QString& fileName) {
    busy_ = true;
    TOpeningMark::begin(fileName);
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
        if (!backgroundFile_.isEmpty()) showBackground();
    } catch (const std::exception&) {
        // A broken file, or one whose objects need more memory than there is.
        surface_->ClearObjects();
        // The card becomes untitled, so that a later Save cannot write the empty card over
        // the file that was open before.
        currentFileName_.clear();
        backgroundFile_.clear();
        platform::ShowInformation(QStringLiteral("Unable to open ") + fileName +
                                  QStringLiteral(". Possibly corrupted, possibly not a ORL file"));
    }
    surface_->settleLayout();
    surface_->history().clear();
    SetChangesMade(false);
    busy_ = false;
    Setbuttons();
    surface_->invalidate();
    // The opening has finished once the card has been painted.
    surface_->image();
    TOpeningMark::finish();
}

bool TMainScreen::CheckSaveNeeded() {
    if (!changesMade()) return true;
    switch (platform::AskYesNoCancel(QStringLiteral("Save changes?"), QStringLiteral("Save"))) {
    case platform::DialogHost::Answer::Yes:
        break;
    case platform::DialogHost::Answer::No:
        return true;
    case platform::DialogHost::Answer::Cancel:
        return false;
    }
    // Nothing goes on unless the card is safely saved.
    if (currentFileName_.isEmpty()) return saveAs();
    if (!SaveBCFile(currentFileName_)) return false;
    SetChangesMade(false);
    return true;
}

void TMainScreen::MRUItemClick(const QString& fileName) {
    if (!CheckSaveNeeded()) return;
    recent_.remove(fileName);
    recent_.save();
    rebuildRecentMenu();
    if (!platform::FileName::exists(fileName))
        platform::ShowInformation(fileName + QStringLiteral(" no longer exists"));
    else if (const QString problem = TGLabelObjectFiler::notACardFile(fileName); !problem.isEmpty())
        platform::ShowInformation(problem);
    else
        OpenBCFile(fileName);
}

void TMainScreen::cancelChangesCommand() {
    if (!changesMade()) return;
    // Yes keeps the changes by saving them; No throws them away; Cancel keeps them unsaved.
    switch (platform::AskYesNoCancel(QStringLiteral("Save changes?"), QStringLiteral("Save"))) {
    case platform::DialogHost::Answer::Yes:
        if (currentFileName_.isEmpty())
            saveAs();
        else if (SaveBCFile(currentFileName_))
            SetChangesMade(false);
        return;
    case platform::DialogHost::Answer::No:
        break;
    case platform::DialogHost::Answer::Cancel:
        return;
    }
    busy_ = true;
    surface_->ClearObjects();
    backgroundFile_.clear();
    surface_->ClearBackground();
    busy_ = false;
    if (!currentFileName_.isEmpty()) OpenBCFile(currentFileName_);
    surface_->history().clear();
    SetChangesMade(false);
    surface_->invalidate();
}

void TMainScreen::exitCommand() {
    // The close asks about unsaved changes, as every way of closing does.
    close();
}
