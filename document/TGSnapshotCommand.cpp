#include "TGSnapshotCommand.h"

TGSnapshotCommand::TGSnapshotCommand(TGUndoHistory& history, const QString& text,
                                     TGUndoHistory::Side before, TGUndoHistory::Side after)
    : history_(history), before_(std::move(before)), after_(std::move(after)) {
    setText(text);
}

void TGSnapshotCommand::undo() {
    history_.apply(after_, before_);
    done_ = false;
}

void TGSnapshotCommand::redo() {
    if (!done_) history_.apply(before_, after_);
    done_ = true;
}
