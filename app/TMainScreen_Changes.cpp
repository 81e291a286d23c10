// The main window's change tracking: the undo history and its Edit menu items, the
// unsaved-changes state that follows it (buttons, caption), and the recovery copy.
#include "TMainScreen.h"

#include "document/TGBusinessCardPanel32.h"
#include "document/TGFilerError.h"
#include "platform/system/FileName.h"
#include "platform/widgets/DialogHost.h"

#include <QAction>
#include <QApplication>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>

namespace {
QByteArray layoutBytes(const TCardLayout& l) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setFloatingPointPrecision(QDataStream::SinglePrecision);
    out << l.height << l.width << l.across << l.down << l.topMargin << l.leftMargin << l.hPitch
        << l.vPitch << l.predefLayout << l.papersize << l.useMM;
    return bytes;
}

TCardLayout layoutFrom(const QByteArray& bytes) {
    TCardLayout l;
    QDataStream in(bytes);
    in.setFloatingPointPrecision(QDataStream::SinglePrecision);
    in >> l.height >> l.width >> l.across >> l.down >> l.topMargin >> l.leftMargin >> l.hPitch >>
        l.vPitch >> l.predefLayout >> l.papersize >> l.useMM;
    return l;
}
} // namespace

void TMainScreen::trackCardState() {
    TGUndoHistory& history = surface_->history();
    // Background art and the card size belong to the card's history as well.
    history.addState([this] { return backgroundFile_.toUtf8(); },
                     [this](const QByteArray& b) { setBackgroundFile(QString::fromUtf8(b)); });
    history.addState([this] { return layoutBytes(prefs_.print.layout); },
                     [this](const QByteArray& b) { applyLayout(layoutFrom(b)); });
    QUndoStack& stack = history.stack();
    connect(&stack, &QUndoStack::cleanChanged, this, &TMainScreen::changesChanged);
    connect(&stack, &QUndoStack::indexChanged, this, [this, &stack] {
        undoAction_->setEnabled(stack.canUndo());
        undoAction_->setText(stack.canUndo() ? QStringLiteral("&Undo ") + stack.undoText()
                                             : QStringLiteral("&Undo"));
        redoAction_->setEnabled(stack.canRedo());
        redoAction_->setText(stack.canRedo() ? QStringLiteral("&Redo ") + stack.redoText()
                                             : QStringLiteral("&Redo"));
    });
    emit stack.indexChanged(stack.index());
    history.clear();

    bool ok = false;
    const uint interval = qEnvironmentVariableIntValue("ORLANTO_RECOVERY_INTERVAL_MS", &ok);
    if (ok && interval > 0) recovery_.setInterval(interval);
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &TMainScreen::pollRecovery);
    timer->start(1000);
}

bool TMainScreen::changesMade() const {
    return !surface_->history().stack().isClean();
}

void TMainScreen::setChangesMade(bool flag) {
    QUndoStack& stack = surface_->history().stack();
    if (flag)
        stack.resetClean(); // no step leads back to an unchanged card
    else
        stack.setClean();
    changesChanged();
}

void TMainScreen::changesChanged() {
    const bool changed = changesMade();
    cancelButton_->setVisible(changed);
    saveButton_->setText(currentFileName_.isEmpty() ? QStringLiteral("Save As")
                                                    : QStringLiteral("Save"));
    saveButton_->setVisible(changed);
    const QString name = currentFileName_.isEmpty()
                             ? QStringLiteral("Untitled")
                             : platform::FileName::display(QFileInfo(currentFileName_).fileName());
    setWindowTitle(QStringLiteral("Orlanto - ") + name +
                   (changed ? QStringLiteral(" *") : QString()));
    // The copy kept against crashes is only wanted while there are unsaved changes.
    // A copy left by an earlier session stays until it has been offered.
    if (!changed && recoveryChecked_) TRecoveryFile::remove();
    if (activated_) emit buttonsChanged();
}

void TMainScreen::labelChanged() {
    // Commands record themselves when they end; a change made any other way is recorded
    // as it is reported, so that it is never left unmarked.
    const TGUndoHistory& history = surface_->history();
    if (!busy_ && !history.inStep() && !history.restoring()) surface_->history().record();
}

void TMainScreen::undoCommand() {
    try {
        surface_->history().undo();
    } catch (const TGFilerError& e) {
        platform::showInformation(e.message());
    }
}

void TMainScreen::redoCommand() {
    try {
        surface_->history().redo();
    } catch (const TGFilerError& e) {
        platform::showInformation(e.message());
    }
}

void TMainScreen::pollRecovery() {
    // Not while a command or a dialog is under way: the card may be half changed.
    if (!recoveryChecked_ || busy_ || surface_->history().inStep() ||
        QApplication::activeModalWidget())
        return;
    const QString error = recovery_.poll(changesMade(), currentFileName_, backgroundFile_);
    if (error.isEmpty() || error == recoveryError_) return;
    recoveryError_ = error;
    platform::showInformation(QStringLiteral("Unsaved changes could not be kept in ") +
                              TRecoveryFile::cardPath() + QStringLiteral(": ") + error);
}

void TMainScreen::offerRecovery() {
    recoveryChecked_ = true;
    if (!TRecoveryFile::exists()) return;
    // The copy is read on a scratch surface first: a damaged one never replaces the card.
    if (const QString problem = TRecoveryFile::check(); !problem.isEmpty()) {
        reportUnreadableRecovery(problem, TRecoveryFile::setAside());
        return;
    }
    if (!platform::askYesNo(recoveryQuestion(), QStringLiteral("Recover"))) {
        TRecoveryFile::remove();
        return;
    }
    const QString background = TRecoveryFile::background();
    const QString name = TRecoveryFile::cardName();
    QString problem, aside;
    {
        const QScopedValueRollback busy(busy_, true);
        surface_->clearObjects();
        problem = TRecoveryFile::load(*surface_);
        if (!problem.isEmpty()) aside = TRecoveryFile::setAside();
        if (problem.isEmpty()) {
            setBackgroundFile(platform::FileName::exists(background) ? background : QString());
            // The card keeps its name, its changes still to be saved.
            currentFileName_ = name;
        } else {
            // Objects read before the failure are no card: the window starts empty and untitled.
            surface_->clearObjects();
            setBackgroundFile(QString());
            currentFileName_.clear();
        }
        surface_->settleLayout();
        surface_->history().clear();
        setChangesMade(problem.isEmpty());
    }
    setbuttons();
    if (!problem.isEmpty()) reportUnreadableRecovery(problem, aside);
}

QString TMainScreen::recoveryQuestion() {
    const QString name = TRecoveryFile::cardName();
    const QDateTime kept = TRecoveryFile::keptAt();
    const QLocale locale;
    return QStringLiteral("Recover unsaved changes?\n\nCard: %1\nChanges kept: %2, %3")
        .arg(name.isEmpty() ? QStringLiteral("Untitled (never saved)")
                            : platform::FileName::display(name),
             locale.toString(kept.date(), QLocale::LongFormat),
             locale.toString(kept.time(), QLocale::ShortFormat));
}

void TMainScreen::reportUnreadableRecovery(const QString& problem, const QString& aside) {
    platform::showInformation(
        QStringLiteral("The unsaved changes kept in %1 cannot be read (%2). ")
            .arg(TRecoveryFile::cardPath(), problem) +
        (aside.isEmpty() ? QStringLiteral("The file could not be set aside and was removed.")
                         : QStringLiteral("The file was set aside as ") + aside));
}
