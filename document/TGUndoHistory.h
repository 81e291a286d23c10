#pragma once
// The card's undo history. Every user command runs inside a Step; when the outermost step
// ends, the card is compared with the state the history last saw, object by object in the
// card file format, and what differs becomes one undo command (TGSnapshotCommand): the
// card file bytes of the objects it touched, before and after, with their places in the
// z-order. Restoring goes through the card file reader, so every object kind takes part
// without code of its own. State kept outside the objects (background art, card size)
// joins through addState.
//
// Comparing happens only when a step ends, never while the mouse moves, so a drag costs
// nothing until its release.
//
// Memory: a record's long payloads (a picture's bytes) are blocks of their own, shared with
// the object and pooled (TGBlockPool), so a step that moves a picture keeps its few changed
// bytes and shares the picture with every other step and the card. The history is bounded
// in steps and in bytes: when the steps keep more than byteLimit() bytes, the oldest go.
#include "TGBlockPool.h"
#include "TGLabelObjectFiler.h"

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QUndoStack>

#include <functional>
#include <vector>

class TGBasePanel;
class TGGraphicControl;

class TGUndoHistory {
  public:
    // One side of a change: the touched objects in z-order, where they stand in the whole
    // z-order, their names and card file bytes, and the outside state.
    using Record = TGLabelObjectFiler::Record;
    struct Side {
        std::vector<int> indices;
        std::vector<QString> names;
        std::vector<Record> bytes;
        std::vector<QByteArray> states;
    };

    // Marks one user command; steps may nest and the outermost one records. The innermost
    // step that names its command gives the undo text; without one the change names itself.
    class Step {
      public:
        explicit Step(TGUndoHistory& history, const QString& what = QString());
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

      private:
        TGUndoHistory& history_;
    };

    explicit TGUndoHistory(TGBasePanel& surface);
    ~TGUndoHistory();

    QUndoStack& stack() { return stack_; }
    // The most steps kept; older ones are dropped.
    static constexpr int stepLimit = 100;
    // The most bytes the steps keep (blocks shared between steps counted once); older steps
    // are dropped to stay below it, but the newest step is always kept.
    static constexpr qint64 defaultByteLimit = 256LL * 1024 * 1024;
    qint64 byteLimit() const { return byteLimit_; }
    void setByteLimit(qint64 bytes) { byteLimit_ = bytes; }
    // The bytes the steps keep, blocks shared between them counted once.
    qint64 storedBytes() const;

    // State outside the objects: how to read it and how to put it back.
    void addState(std::function<QByteArray()> read, std::function<void(const QByteArray&)> write);
    // Records what changed since the history last looked, as one command named what (or
    // after the change when empty). Nothing happens when nothing changed. The objects
    // settle their layout first, so that a size fitted to a changed property belongs to
    // the step that changed it.
    void record(const QString& what = QString());
    // Takes the card as it is now as the state to compare with, without a command (after
    // loading a card).
    void rebase();
    // Empties the history and rebases (a new or opened card).
    void clear();
    // Undo and redo one step; a change not yet recorded is recorded first.
    void undo();
    void redo();
    // True while a command is being undone or redone.
    bool restoring() const { return restoring_; }
    bool inStep() const { return depth_ > 0; }

    // Replaces the touched objects of from (as they are on the card now) by those of to,
    // selects them and brings the outside state to to's. Used by the commands.
    void apply(const Side& from, const Side& to);

  private:
    struct State {
        std::vector<TGGraphicControl*> objects; // z-order; only compared, never followed
        std::vector<QString> names;
        std::vector<QRect> bounds;
        std::vector<Record> bytes;
        std::vector<QByteArray> states;
    };
    State capture();
    // The object's record with its long blocks pooled.
    Record written(TGLabelObjectFiler& filer, const TGGraphicControl& object);
    void append(State& state, TGGraphicControl* object, Record bytes) const;
    // Drops the oldest steps while the steps keep more than byteLimit() bytes.
    void trim();
    void dropOldest(int count);
    std::vector<QByteArray> readStates() const;
    static QString describe(const State& before, const std::vector<int>& from, const State& after,
                            const std::vector<int>& to);

    TGBasePanel& surface_;
    QUndoStack stack_;
    TGBlockPool pool_;
    qint64 byteLimit_ = defaultByteLimit;
    State baseline_;
    struct StateHooks {
        std::function<QByteArray()> read;
        std::function<void(const QByteArray&)> write;
    };
    std::vector<StateHooks> hooks_;
    int depth_ = 0;
    QString label_;
    bool restoring_ = false;
};
