// The main window's file commands: new, open, delete, save, save as, the recent files,
// cancel and exit, with the card's companion file.
#include "TMainScreen.h"

#include "CardFiles.h"
#include "TOpeningMark.h"
#include "document/TGBusinessCardPanel32.h"
#include "document/TGFilerError.h"
#include "document/TGLabelObjectFiler.h"
#include "platform/system/FileName.h"
#include "platform/system/HomeFolder.h"
#include "platform/widgets/DialogHost.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <QTimer>

namespace {
const QString cardFilter = QStringLiteral("ORL File (*.orl *.ORL)");
const QString notACard = QStringLiteral("Must be a ORL (Orlanto) file");
} // namespace

QString TMainScreen::savedFolder() const {
    return platform::HomeFolder::path() + QStringLiteral("Saved/");
}

void TMainScreen::newCommand() {
    if (!checkSaveNeeded()) return;
    {
        const QScopedValueRollback busy(busy_, true);
        surface_->clearObjects();
        backgroundFile_.clear();
        surface_->clearBackground();
        currentFileName_.clear();
        surface_->history().clear();
        setChangesMade(false);
    }
    setbuttons();
}

void TMainScreen::openCommand() {
    if (!checkSaveNeeded()) return;
    const QString name = platform::DialogHost::current().openFileName(
        QStringLiteral("Open Business Card"), savedFolder(), cardFilter);
    if (name.isEmpty()) return;
    if (!CardFiles::isCardFile(name)) {
        platform::showInformation(notACard);
        return;
    }
    openBCFile(name);
}

void TMainScreen::openFile(const QString& fileName) {
    const QString name = platform::FileName::absolute(fileName);
    if (!CardFiles::isCardFile(name)) {
        platform::showInformation(notACard);
        return;
    }
    if (!platform::FileName::exists(name)) {
        platform::showInformation(name + QStringLiteral(" no longer exists"));
        return;
    }
    if (const QString problem = TGLabelObjectFiler::notACardFile(name); !problem.isEmpty()) {
        platform::showInformation(problem);
        return;
    }
    openBCFile(name);
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
    if (fileName.isEmpty() || !checkSaveNeeded()) return;
    openFile(fileName);
}

void TMainScreen::deleteCommand() {
    const QString name = platform::DialogHost::current().openFileName(
        QStringLiteral("Delete Business Card"), savedFolder(), cardFilter);
    if (name.isEmpty()) return;
    if (!CardFiles::isCardFile(name)) {
        platform::showInformation(notACard);
        return;
    }
    if (!platform::askYesNo(QStringLiteral("Delete ") + name + QLatin1Char('?'),
                            QStringLiteral("CONFIRM")))
        return;
    if (!platform::FileName::remove(name) && platform::FileName::exists(name)) {
        platform::showInformation(QStringLiteral("Unable to delete ") + name);
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
        surface_->deleteStrayObjects();
    }
    if (saveBCFile(currentFileName_)) setChangesMade(false);
}

void TMainScreen::saveAsCommand() {
    saveAs();
}

bool TMainScreen::saveAs() {
    {
        TGUndoHistory::Step step(surface_->history(), QStringLiteral("Delete"));
        surface_->deleteStrayObjects();
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
        if (saveBCFile(name)) {
            currentFileName_ = name;
            setChangesMade(false);
            recent_.add(name);
            recent_.save();
            rebuildRecentMenu();
            saved = true;
        }
    }
    setbuttons();
    return saved;
}

bool TMainScreen::saveBCFile(const QString& fileName) {
    try {
        surface_->saveCard(fileName);
    } catch (const TGFilerError& e) {
        platform::showInformation(e.message());
        return false;
    }
    if (const QString error = CardFiles::writeCompanion(fileName, backgroundFile_);
        !error.isEmpty())
        platform::showInformation(QStringLiteral("Cannot create file %1: %2")
                                      .arg(CardFiles::companionName(fileName), error));
    return true;
}

void TMainScreen::openBCFile(const QString& fileName) {
    {
        const QScopedValueRollback busy(busy_, true);
        TOpeningMark::begin(fileName);
        surface_->clearObjects();
        backgroundFile_.clear();
        surface_->clearBackground();
        try {
            surface_->loadCard(fileName);
            currentFileName_ = fileName;
            recent_.add(fileName);
            recent_.save();
            rebuildRecentMenu();
            backgroundFile_ = CardFiles::readCompanion(fileName);
            if (!backgroundFile_.isEmpty()) showBackground();
        } catch (const std::exception&) {
            // A broken file, or one whose objects need more memory than there is.
            surface_->clearObjects();
            // The card becomes untitled, so that a later Save cannot write the empty card over
            // the file that was open before.
            currentFileName_.clear();
            backgroundFile_.clear();
            platform::showInformation(
                QStringLiteral("Unable to open ") + fileName +
                QStringLiteral(". Possibly corrupted, possibly not a ORL file"));
        }
        surface_->settleLayout();
        surface_->history().clear();
        setChangesMade(false);
    }
    setbuttons();
    surface_->invalidate();
    // The opening has finished once the card has been painted.
    surface_->image();
    TOpeningMark::finish();
}

bool TMainScreen::checkSaveNeeded() {
    if (!changesMade()) return true;
    switch (platform::askYesNoCancel(QStringLiteral("Save changes?"), QStringLiteral("Save"))) {
    case platform::DialogHost::Answer::Yes:
        break;
    case platform::DialogHost::Answer::No:
        return true;
    case platform::DialogHost::Answer::Cancel:
        return false;
    }
    // Nothing goes on unless the card is safely saved.
    if (currentFileName_.isEmpty()) return saveAs();
    if (!saveBCFile(currentFileName_)) return false;
    setChangesMade(false);
    return true;
}

void TMainScreen::mruItemClick(const QString& fileName) {
    if (!checkSaveNeeded()) return;
    recent_.remove(fileName);
    recent_.save();
    rebuildRecentMenu();
    if (!platform::FileName::exists(fileName))
        platform::showInformation(fileName + QStringLiteral(" no longer exists"));
    else if (const QString problem = TGLabelObjectFiler::notACardFile(fileName); !problem.isEmpty())
        platform::showInformation(problem);
    else
        openBCFile(fileName);
}

void TMainScreen::cancelChangesCommand() {
    if (!changesMade()) return;
    // Yes keeps the changes by saving them; No throws them away; Cancel keeps them unsaved.
    switch (platform::askYesNoCancel(QStringLiteral("Save changes?"), QStringLiteral("Save"))) {
    case platform::DialogHost::Answer::Yes:
        if (currentFileName_.isEmpty())
            saveAs();
        else if (saveBCFile(currentFileName_))
            setChangesMade(false);
        return;
    case platform::DialogHost::Answer::No:
        break;
    case platform::DialogHost::Answer::Cancel:
        return;
    }
    {
        const QScopedValueRollback busy(busy_, true);
        surface_->clearObjects();
        backgroundFile_.clear();
        surface_->clearBackground();
    }
    if (!currentFileName_.isEmpty()) openBCFile(currentFileName_);
    surface_->history().clear();
    setChangesMade(false);
    surface_->invalidate();
}

void TMainScreen::exitCommand() {
    // The close asks about unsaved changes, as every way of closing does.
    close();
}
