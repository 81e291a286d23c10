// Undo and redo walk the whole history both ways on a card holding every object kind: a
// session of changes made through the surface's input calls and popup menus, painted after
// every step as a shown window is, is undone to the bottom and redone to the top, and at
// every step the card's bytes are those recorded on the way. Painting adds no step.
#include "support/EveryKindCard.h"
#include "support/SurfaceFixture.h"

#include "app/ObjectKinds.h"
#include "document/TGGraphicControl.h"
#include "document/TGLabelObjectFiler.h"

#include <QtTest>

namespace {
QByteArray bytes(TGBusinessCardPanel32& s) {
    return TGLabelObjectFiler(s.classes()).writeObjects(s.objects());
}

// A point of the object that no object above it covers.
QPoint visiblePoint(TGBusinessCardPanel32& s, TGGraphicControl* o) {
    const QRect b = o->bounds();
    for (int y = b.top(); y <= b.bottom(); y += 2)
        for (int x = b.left(); x <= b.right(); x += 2)
            if (s.objectAt({x, y}) == o) return {x, y};
    return {-1, -1};
}

// One change of the session: what it does to the object of a class.
struct Change {
    const char* kind;
    const char* what; // a key ("Right", "Shift+Down", "Delete") or a popup item ("menu:Clone")
};

const Change session[] = {
    {"TGSymbolLabel", "Right"},
    {"TGSymbolLabel", "Shift+Right"},
    {"TGSymbolLabel", "menu:Border"},
    {"TGSymbolLabel", "menu:Transparent"},
    {"TGBusinessCardLabel", "Down"},
    {"TGBusinessCardLabel", "Shift+Right"},
    {"TGBusinessCardLabel", "menu:Border"},
    {"TGSuperText", "Left"},
    {"TGSuperText", "Shift+Down"},
    {"TGSuperText", "menu:Border"},
    {"TGSuperText", "menu:Transparent"},
    {"TGPCircleText", "Up"},
    {"TGPCircleText", "Shift+Right"},
    {"TGPCircleText", "menu:Border"},
    {"TGMultiLineLabel", "Right"},
    {"TGMultiLineLabel", "Shift+Left"},
    {"TSuperShape", "Down"},
    {"TSuperShape", "Shift+Down"},
    {"TBCShapes", "Right"},
    {"TBCShapes", "menu:Bring To Front"},
    {"TGLineShape", "Down"},
    {"TGImage", "Left"},
    {"TGPRichBaseLabel", "Up"},
    {"TGPRichBaseLabel", "menu:Border"},
    {"TGSymbolLabel", "menu:Clone"},
    {"TGBusinessCardLabel", "menu:Clone"},
    {"TGSuperText", "menu:Clone"},
    {"TGPCircleText", "menu:Send To Back"},
    {"TBCShapes", "Delete"},
    {"TGBusinessCardLabel", "Delete"},
    {"TGMultiLineLabel", "Delete"},
};
} // namespace

class tst_UndoWalk : public QObject {
    Q_OBJECT
  private slots:
    void walkBothWays();
};

void tst_UndoWalk::walkBothWays() {
    SurfaceFixture f;
    TGBusinessCardPanel32& s = *f.surface;
    ObjectKinds::registerAll(s);
    EveryKindCard::addTo(s);
    s.image();
    s.history().clear();
    QUndoStack& stack = s.history().stack();

    std::vector<QByteArray> states{bytes(s)};
    for (const Change& change : session) {
        // The topmost object of the kind that shows somewhere.
        s.handle().clear();
        QPoint at(-1, -1);
        for (auto it = s.objects().rbegin(); it != s.objects().rend() && at.x() < 0; ++it)
            if (qstrcmp((*it)->metaObject()->className(), change.kind) == 0)
                at = visiblePoint(s, *it);
        QVERIFY2(at.x() >= 0,
                 qPrintable(QStringLiteral("%1 %2 after %3 changes")
                                .arg(QLatin1String(change.kind), QLatin1String(change.what))
                                .arg(states.size() - 1)));
        const QString what = QString::fromLatin1(change.what);
        if (what.startsWith(QLatin1String("menu:"))) {
            f.dialogs.menuChoices.push_back(what.mid(5));
            f.click(at.x(), at.y(), Qt::NoModifier, Qt::RightButton);
        } else {
            f.click(at.x(), at.y());
            const bool shift = what.startsWith(QLatin1String("Shift+"));
            const QString name = shift ? what.mid(6) : what;
            const int key = QKeySequence::fromString(name)[0].key();
            f.key(key, shift ? Qt::ShiftModifier : Qt::NoModifier);
        }
        s.image(); // painted as a shown window paints after every event
        s.processPendingEvents();
        const QByteArray now = bytes(s);
        if (now == states.back()) continue; // a change the object refuses (a symbol's size)
        states.push_back(now);
        QVERIFY2(stack.count() == int(states.size()) - 1,
                 qPrintable(QStringLiteral("%1 %2 made %3 steps for %4 changes")
                                .arg(QLatin1String(change.kind), what)
                                .arg(stack.count())
                                .arg(states.size() - 1)));
    }
    QVERIFY(states.size() > 25);

    for (auto i = states.size() - 1; i-- > 0;) {
        QVERIFY(stack.canUndo());
        s.history().undo();
        s.image();
        QCOMPARE(bytes(s), states[i]);
    }
    QVERIFY(!stack.canUndo());
    for (size_t i = 1; i < states.size(); ++i) {
        QVERIFY2(stack.canRedo(), qPrintable(QStringLiteral("redo stops at step %1").arg(i)));
        s.history().redo();
        s.image();
        QCOMPARE(bytes(s), states[i]);
    }
    QVERIFY(!stack.canRedo());
}

QTEST_MAIN(tst_UndoWalk)
#include "tst_UndoWalk.moc"
