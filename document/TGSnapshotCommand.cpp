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

TGSnapshotCommand* TGSnapshotCommand::copy() const {
    return new TGSnapshotCommand(history_, text(), before_, after_);
}

qint64 TGSnapshotCommand::bytesNotIn(QSet<const char*>& seen) const {
    qint64 total = 0;
    auto count = [&](const QByteArray& block) {
        if (block.isEmpty() || seen.contains(block.constData())) return;
        seen.insert(block.constData());
        total += block.size();
    };
    for (const TGUndoHistory::Side* side : {&before_, &after_}) {
        for (const TGUndoHistory::Record& record : side->bytes)
            for (const QByteArray& block : record)
                count(block);
        for (const QByteArray& state : side->states)
            count(state);
    }
    return total;
}
