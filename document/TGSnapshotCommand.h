#pragma once
// One step of the card's undo history: the touched objects before and after a command as
// card file records with their z-order places (see TGUndoHistory). Undo puts the before
// side back, redo the after side; the command itself knows no object kind.
#include "TGUndoHistory.h"

#include <QSet>
#include <QUndoCommand>

class TGSnapshotCommand : public QUndoCommand {
  public:
    TGSnapshotCommand(TGUndoHistory& history, const QString& text, TGUndoHistory::Side before,
                      TGUndoHistory::Side after);

    void undo() override;
    void redo() override;

    // The same step as a new command, for a stack that is rebuilt (see TGUndoHistory).
    TGSnapshotCommand* copy() const;
    // The bytes of the blocks the step keeps that are not in seen, which then holds them.
    qint64 bytesNotIn(QSet<const char*>& seen) const;

  private:
    TGUndoHistory& history_;
    TGUndoHistory::Side before_;
    TGUndoHistory::Side after_;
    // The change has already happened when the command is pushed.
    bool done_ = true;
};
