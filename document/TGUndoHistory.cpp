#include "TGUndoHistory.h"

#include "TGBasePanel.h"
#include "TGGraphicControl.h"
#include "TGLabelObjectFiler.h"
#include "TGSnapshotCommand.h"

#include <QHash>
#include <QScopedValueRollback>
#include <QSet>
#include <QSignalBlocker>

#include <algorithm>
#include <exception>

namespace {
// The positions of a longest strictly increasing run (not necessarily contiguous) in v.
std::vector<size_t> longestIncreasing(const std::vector<int>& v) {
    std::vector<size_t> tails; // index in v of the smallest tail of each run length
    std::vector<long> previous(v.size(), -1);
    for (size_t i = 0; i < v.size(); ++i) {
        const auto pos = std::lower_bound(tails.begin(), tails.end(), v[i],
                                          [&v](size_t t, int x) { return v[t] < x; });
        if (pos != tails.begin()) previous[i] = long(*(pos - 1));
        if (pos == tails.end())
            tails.push_back(i);
        else
            *pos = i;
    }
    std::vector<size_t> run(tails.size());
    long at = tails.empty() ? -1 : long(tails.back());
    for (size_t k = run.size(); k-- > 0; at = previous[size_t(at)])
        run[k] = size_t(at);
    return run;
}

// Records are compared block by block; a pooled block is equal to itself without reading it.
bool sameRecord(const TGUndoHistory::Record& a, const TGUndoHistory::Record& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].size() != b[i].size()) return false;
        if (a[i].constData() != b[i].constData() && a[i] != b[i]) return false;
    }
    return true;
}

// The text an undo item shows: the menu caption without its accelerator and shortcut.
QString commandText(const QString& caption) {
    QString text = caption.section(QLatin1Char('\t'), 0, 0);
    text.remove(QLatin1Char('&'));
    if (text.endsWith(QLatin1String("..."))) text.chop(3);
    return text.trimmed();
}
} // namespace

TGUndoHistory::Step::Step(TGUndoHistory& history, const QString& what) : history_(history) {
    if (history_.depth_++ == 0) history_.label_.clear();
    if (!what.isEmpty()) history_.label_ = commandText(what);
}

TGUndoHistory::Step::~Step() {
    if (--history_.depth_ > 0) return;
    // A command that failed part-way is recorded too, so that what it did can be undone.
    try {
        history_.record(history_.label_);
    } catch (...) {
        history_.rebase();
    }
}

TGUndoHistory::TGUndoHistory(TGBasePanel& surface) : surface_(surface) {
    stack_.setUndoLimit(stepLimit);
}

TGUndoHistory::~TGUndoHistory() = default;

void TGUndoHistory::addState(std::function<QByteArray()> read,
                             std::function<void(const QByteArray&)> write) {
    hooks_.push_back({std::move(read), std::move(write)});
    baseline_.states = readStates();
}

std::vector<QByteArray> TGUndoHistory::readStates() const {
    std::vector<QByteArray> states;
    states.reserve(hooks_.size());
    for (const StateHooks& h : hooks_)
        states.push_back(h.read());
    return states;
}

TGUndoHistory::Record TGUndoHistory::written(TGLabelObjectFiler& filer,
                                             const TGGraphicControl& object) {
    Record record = filer.writeRecord(object);
    for (QByteArray& block : record)
        block = pool_.intern(block);
    return record;
}

void TGUndoHistory::append(State& state, TGGraphicControl* object, Record bytes) const {
    state.objects.push_back(object);
    state.names.push_back(object->objectName());
    state.bounds.push_back(object->bounds());
    state.bytes.push_back(std::move(bytes));
}

TGUndoHistory::State TGUndoHistory::capture() {
    State s;
    TGLabelObjectFiler filer(surface_.classes());
    const auto& objects = surface_.objects();
    s.objects.reserve(objects.size());
    s.names.reserve(objects.size());
    s.bounds.reserve(objects.size());
    s.bytes.reserve(objects.size());
    for (TGGraphicControl* o : objects)
        append(s, o, written(filer, *o));
    s.states = readStates();
    return s;
}

void TGUndoHistory::rebase() {
    if (!restoring_) baseline_ = capture();
}

void TGUndoHistory::clear() {
    stack_.clear();
    rebase();
    pool_.sweep();
}

void TGUndoHistory::undo() {
    record();
    stack_.undo();
}

void TGUndoHistory::redo() {
    record();
    stack_.redo();
}

void TGUndoHistory::record(const QString& what) {
    if (restoring_) return;
    {
        // Sizes fitted now belong to this step: what they report is not a change of its own.
        const QScopedValueRollback settling(depth_, depth_ + 1);
        surface_.settleLayout();
    }
    State now = capture();
    // An object is untouched when it is still there with the same bytes, and the untouched
    // objects keep their order: the longest run of them whose order both states agree on.
    QHash<const TGGraphicControl*, int> before;
    before.reserve(int(baseline_.objects.size()));
    for (size_t j = 0; j < baseline_.objects.size(); ++j)
        before.insert(baseline_.objects[j], int(j));
    std::vector<int> candidateNow, candidateBefore;
    for (size_t i = 0; i < now.objects.size(); ++i) {
        const auto it = before.constFind(now.objects[i]);
        if (it != before.cend() && sameRecord(baseline_.bytes[size_t(*it)], now.bytes[i])) {
            candidateNow.push_back(int(i));
            candidateBefore.push_back(*it);
        }
    }
    std::vector<bool> keptNow(now.objects.size()), keptBefore(baseline_.objects.size());
    for (size_t k : longestIncreasing(candidateBefore)) {
        keptNow[size_t(candidateNow[k])] = true;
        keptBefore[size_t(candidateBefore[k])] = true;
    }
    Side from, to;
    auto take = [](const State& s, const std::vector<bool>& kept, Side& side) {
        for (size_t i = 0; i < kept.size(); ++i) {
            if (kept[i]) continue;
            side.indices.push_back(int(i));
            side.names.push_back(s.names[i]);
            side.bytes.push_back(s.bytes[i]);
        }
        side.states = s.states;
    };
    take(baseline_, keptBefore, from);
    take(now, keptNow, to);
    if (from.indices.empty() && to.indices.empty() && from.states == to.states) {
        baseline_ = std::move(now);
        return;
    }
    const QString text = what.isEmpty() ? describe(baseline_, from.indices, now, to.indices) : what;
    baseline_ = std::move(now);
    stack_.push(new TGSnapshotCommand(*this, text, std::move(from), std::move(to)));
    trim();
    pool_.sweep();
}

qint64 TGUndoHistory::storedBytes() const {
    QSet<const char*> seen;
    qint64 total = 0;
    for (int i = 0; i < stack_.count(); ++i)
        total += static_cast<const TGSnapshotCommand*>(stack_.command(i))->bytesNotIn(seen);
    return total;
}

void TGUndoHistory::trim() {
    // From the newest step back, the steps that fit; the newest one always does.
    QSet<const char*> seen;
    qint64 total = 0;
    int first = stack_.count();
    while (first > 0) {
        total += static_cast<const TGSnapshotCommand*>(stack_.command(first - 1))->bytesNotIn(seen);
        if (total > byteLimit_ && first < stack_.count()) break;
        --first;
    }
    if (first > 0) dropOldest(first);
}

void TGUndoHistory::dropOldest(int count) {
    // A QUndoStack drops old commands only by their number: the steps kept are pushed again
    // onto the emptied stack. This runs right after a push, so every step kept is done and
    // pushing it again changes nothing on the card.
    std::vector<TGSnapshotCommand*> kept;
    for (int i = count; i < stack_.count(); ++i)
        kept.push_back(static_cast<const TGSnapshotCommand*>(stack_.command(i))->copy());
    const int clean = stack_.cleanIndex() - count;
    {
        // The card's changed state is the same before and after: nobody needs to hear of it.
        const QSignalBlocker quiet(&stack_);
        stack_.clear();
        for (size_t k = 0; k < kept.size(); ++k) {
            if (clean == int(k)) stack_.setClean();
            stack_.push(kept[k]);
        }
        // The unchanged card was among the steps dropped: no step leads back to it now.
        if (clean < 0) stack_.resetClean();
    }
    emit stack_.indexChanged(stack_.index());
}

QString TGUndoHistory::describe(const State& before, const std::vector<int>& from,
                                const State& after, const std::vector<int>& to) {
    if (from.empty() && to.empty()) return QStringLiteral("Change");
    // More objects than before: something was made; fewer: something went.
    if (to.size() > from.size()) return QStringLiteral("Create");
    if (to.size() < from.size()) return QStringLiteral("Delete");
    // The same objects on both sides: a move or a resize when their bounds say so.
    QHash<const TGGraphicControl*, QRect> was;
    for (int j : from)
        was.insert(before.objects[size_t(j)], before.bounds[size_t(j)]);
    bool moved = false;
    for (int i : to) {
        const auto it = was.constFind(after.objects[size_t(i)]);
        if (it == was.cend()) return QStringLiteral("Change");
        const QRect& b = after.bounds[size_t(i)];
        if (it->size() != b.size()) return QStringLiteral("Resize");
        moved = moved || it->topLeft() != b.topLeft();
    }
    return moved ? QStringLiteral("Move") : QStringLiteral("Change");
}

void TGUndoHistory::apply(const Side& from, const Side& to) {
    const QScopedValueRollback restoring(restoring_, true);

    TGHandle& frame = surface_.handle();
    frame.clear();
    // The touched objects of from leave the card; the others keep their bytes.
    QHash<const TGGraphicControl*, int> known;
    known.reserve(int(baseline_.objects.size()));
    for (size_t j = 0; j < baseline_.objects.size(); ++j)
        known.insert(baseline_.objects[j], int(j));
    const std::vector<TGGraphicControl*> current = surface_.objects();
    for (auto k = from.indices.size(); k-- > 0;) {
        const auto i = size_t(from.indices[k]);
        if (i < current.size()) delete current[i];
    }
    const std::vector<TGGraphicControl*> untouched = surface_.objects();

    TGLabelObjectFiler filer(surface_.classes());
    std::vector<TGGraphicControl*> read;
    try {
        read =
            filer.readObjects(TGLabelObjectFiler::streamOf(to.bytes), surface_.owner(), surface_);
    } catch (...) {
        // A record the reader refuses now (a kind that is no longer registered) leaves the
        // objects read before it; the card stays consistent and the history is rebased.
        restoring_ = false;
        baseline_ = capture();
        throw;
    }
    for (size_t k = 0; k < read.size() && k < to.names.size(); ++k)
        read[k]->setObjectName(to.names[k]);

    // The read objects go back to their places in the z-order.
    std::vector<TGGraphicControl*> order;
    order.reserve(untouched.size() + read.size());
    size_t u = 0, r = 0;
    while (u < untouched.size() || r < read.size()) {
        const bool placeRead =
            r < read.size() && (size_t(to.indices[r]) <= order.size() || u == untouched.size());
        order.push_back(placeRead ? read[r++] : untouched[u++]);
    }
    surface_.setObjectOrder(order);

    for (size_t k = 0; k < hooks_.size() && k < to.states.size(); ++k)
        if (hooks_[k].read() != to.states[k]) hooks_[k].write(to.states[k]);

    for (TGGraphicControl* o : read)
        frame.add(o);
    surface_.captureFrame(false);
    surface_.settleLayout();
    surface_.invalidate();

    // The new state to compare with: untouched objects keep their bytes, read ones are
    // written again.
    // (A read object may have taken the address of one removed above.)
    const QSet<const TGGraphicControl*> fresh(read.begin(), read.end());
    State next;
    next.objects.reserve(order.size());
    for (TGGraphicControl* o : order) {
        const auto it = known.constFind(o);
        const bool kept = it != known.cend() && !fresh.contains(o);
        append(next, o, kept ? baseline_.bytes[size_t(*it)] : written(filer, *o));
    }
    next.states = readStates();
    baseline_ = std::move(next);
    pool_.sweep();
    surface_.notifyChanged();
}
