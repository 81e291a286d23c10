// Cut, copy, paste, delete and clone through the private clipboard file and in memory.
#include "support/SurfaceFixture.h"

#include "objects/shapes/ShapeKinds.h"
#include "objects/shapes/TBCShapes.h"
#include "objects/shapes/TGLineShape.h"

#include <QtTest>

#include <sys/stat.h>

namespace {
struct ClipFixture : SurfaceFixture {
    ClipFixture() { ShapeKinds::registerAll(*surface); }
    TBCShapes* shape(int l, int t, int w = 50, int h = 15) {
        auto* o = surface->place<TBCShapes>(QRect(QPoint(l, t), QPoint(l + w, t + h)));
        surface->processPendingEvents();
        return o;
    }
    const std::vector<TGGraphicControl*>& objects() const { return surface->objects(); }
    bool clipboardExists() const { return QFile::exists(surface->clipboardFile()); }
    QByteArray clipboard() const {
        QFile f(surface->clipboardFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};
} // namespace

class tst_Clipboard : public QObject {
    Q_OBJECT
  private slots:
    void pasteTwiceWithinASecond();
    void cutTwoAndPaste();
    void copyFromAnObjectMenu_data();
    void copyFromAnObjectMenu();
    void objectCutAndDeleteUnselected();
    void zoomedCopyKeepsPixelSize();
    void emptySelectionTouchesNothing();
    void pasteWithoutClipboard();
    void clone();
    void cloneKeepsEveryProperty();
    void clipboardGoesWithTheSurface();
    void clipboardIsTheOwnersAlone_data();
    void clipboardIsTheOwnersAlone();
};

void tst_Clipboard::pasteTwiceWithinASecond() {
    ClipFixture f;
    TBCShapes* a = f.shape(30, 40);
    f.surface->handle().add(a);
    f.key(Qt::Key_C, Qt::ControlModifier);
    QVERIFY(f.clipboardExists());
    f.surface->handle().clear();

    f.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.objects().size(), size_t(2));
    QCOMPARE(f.objects()[1]->bounds(), QRect(45, 55, 50, 15));
    QCOMPARE(f.objects()[1]->objectName(), QStringLiteral("Component0"));
    QCOMPARE(f.surface->handle().count(), 0); // pasted objects are not selected

    f.clock.advance(999);
    f.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.objects().size(), size_t(2));
    f.clock.advance(1);
    f.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.objects().size(), size_t(3));
    // The same clipboard lands at the same place again.
    QCOMPARE(f.objects()[2]->bounds(), QRect(45, 55, 50, 15));
    QCOMPARE(f.objects()[2]->objectName(), QStringLiteral("Component1"));
    QVERIFY(f.objects()[2]->objectMenu());
    QCOMPARE(f.objects()[2]->zoomFactor(), 1.0f);
}

void tst_Clipboard::cutTwoAndPaste() {
    ClipFixture f;
    TBCShapes* a = f.shape(10, 10);
    TBCShapes* b = f.shape(100, 50, 60, 20);
    b->pen()->setWidth(4);
    TBCShapes* top = f.shape(200, 100);
    // Selected in the order b, a.
    f.surface->handle().add(b);
    f.surface->handle().add(a);
    const int before = f.changes;
    f.key(Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(f.changes - before, 2); // once per object
    QCOMPARE(f.objects(), std::vector<TGGraphicControl*>{top});
    QCOMPARE(f.surface->handle().count(), 0);

    f.surface->clipboardPaste();
    QCOMPARE(f.objects().size(), size_t(3));
    // On top, in selection order, 15 pixels right and down.
    QCOMPARE(f.objects()[1]->bounds(), QRect(115, 65, 60, 20));
    QCOMPARE(qobject_cast<TBCShapes*>(f.objects()[1])->pen()->width(), 4);
    QCOMPARE(f.objects()[2]->bounds(), QRect(25, 25, 50, 15));
}

void tst_Clipboard::copyFromAnObjectMenu_data() {
    QTest::addColumn<bool>("fromSelected");
    QTest::addColumn<int>("copied");
    QTest::newRow("unselected object: itself") << false << 1;
    QTest::newRow("selected object: the selection") << true << 2;
}

void tst_Clipboard::copyFromAnObjectMenu() {
    QFETCH(bool, fromSelected);
    QFETCH(int, copied);
    ClipFixture f;
    TBCShapes* a = f.shape(10, 10);
    TBCShapes* b = f.shape(100, 10);
    TBCShapes* c = f.shape(200, 10);
    c->setShape(TGLabelShapes::stEllipse);
    f.surface->handle().add(a);
    f.surface->handle().add(b);
    const int before = f.changes;
    QVERIFY((fromSelected ? b : c)->objectMenu()->trigger("Copy"));
    QCOMPARE(f.changes, before); // copying changes nothing
    QCOMPARE(f.surface->handle().count(), 2);
    f.surface->clipboardPaste();
    QCOMPARE(int(f.objects().size()), 3 + copied);
    if (!fromSelected) {
        auto* pasted = qobject_cast<TBCShapes*>(f.objects().back());
        QCOMPARE(pasted->shape(), TGLabelShapes::stEllipse);
        QCOMPARE(pasted->bounds().topLeft(), QPoint(215, 25));
    }
}

void tst_Clipboard::objectCutAndDeleteUnselected() {
    ClipFixture f;
    TBCShapes* a = f.shape(10, 10);
    TBCShapes* b = f.shape(100, 10);
    TBCShapes* c = f.shape(200, 10);
    f.surface->handle().add(a);
    int before = f.changes;
    QVERIFY(b->objectMenu()->trigger("Cut"));
    QCOMPARE(f.changes - before, 2); // the object's flag and the surface's notification
    QCOMPARE(f.objects(), (std::vector<TGGraphicControl*>{a, c}));
    QCOMPARE(f.surface->handle().count(), 1);
    QVERIFY(f.clipboard().contains("Special2"));

    before = f.changes;
    // Bounds are card pixels at every zoom: what is copied at one zoom pastes the same at
    // another.
    QVERIFY(c->objectMenu()->trigger("Delete"));
    QCOMPARE(f.changes - before, 2);
    QCOMPARE(f.objects(), std::vector<TGGraphicControl*>{a});
    QVERIFY(f.clipboard().contains("Special2")); // delete leaves the clipboard alone
}

void tst_Clipboard::zoomedCopyKeepsPixelSize() {
    ClipFixture f;
    TBCShapes* a = f.shape(20, 20, 80, 30);
    f.surface->setZoom(1.5f);
    a->setBounds(a->left(), a->top(), 100, a->height());
    f.surface->handle().add(a);
    f.surface->clipboardCopy();
    f.surface->handle().clear();
    f.surface->setZoom(1.0f);
    f.surface->clipboardPaste();
    TGGraphicControl* pasted = f.objects().back();
    QCOMPARE(pasted->width(), 100);
    QCOMPARE(pasted->bounds().topLeft(), QPoint(20 + 15, 20 + 15));
    QCOMPARE(pasted->zoomFactor(), 1.0f);
}

void tst_Clipboard::emptySelectionTouchesNothing() {
    ClipFixture f;
    TBCShapes* a = f.shape(10, 10);
    f.surface->handle().add(a);
    f.surface->clipboardCopy();
    const QByteArray held = f.clipboard();
    f.surface->handle().clear();
    f.shape(60, 60);
    const int before = f.changes;
    f.key(Qt::Key_C, Qt::ControlModifier);
    f.key(Qt::Key_X, Qt::ControlModifier);
    f.key(Qt::Key_Delete);
    QCOMPARE(f.clipboard(), held);
    QCOMPARE(f.objects().size(), size_t(2));
    QCOMPARE(f.changes, before);
}

void tst_Clipboard::pasteWithoutClipboard() {
    ClipFixture f;
    const int before = f.changes;
    f.surface->clipboardPaste();
    QVERIFY(f.objects().empty());
    QCOMPARE(f.changes, before + 1);
    // The paste time was recorded: a paste right after a copy is still ignored.
    TBCShapes* a = f.shape(10, 10);
    f.surface->handle().add(a);
    f.surface->clipboardCopy();
    f.surface->clipboardPaste();
    QCOMPARE(f.objects().size(), size_t(1));
}

void tst_Clipboard::clone() {
    ClipFixture f;
    TBCShapes* a = f.shape(30, 40);
    TBCShapes* other = f.shape(200, 40);
    f.surface->handle().add(a);
    const int before = f.changes;
    QVERIFY(a->objectMenu()->trigger("Clone"));
    QCOMPARE(f.objects().size(), size_t(3));
    TGGraphicControl* copy = f.objects().back();
    QCOMPARE(copy->bounds(), QRect(30, 65, 50, 15));
    QCOMPARE(copy->objectName(), QStringLiteral("Component0"));
    QCOMPARE(f.surface->handle().count(), 1);
    QCOMPARE(f.surface->handle().item(0), copy);
    QVERIFY(f.changes > before);
    QVERIFY(!f.clipboardExists());

    // An unselected source leaves the selection alone.
    QVERIFY(other->objectMenu()->trigger("Clone"));
    QCOMPARE(f.objects().back()->bounds(), QRect(200, 65, 50, 15));
    QCOMPARE(f.surface->handle().item(0), copy);
}

void tst_Clipboard::cloneKeepsEveryProperty() {
    ClipFixture f;
    f.surface->setZoom(1.2f);
    auto* line = f.surface->place<TGLineShape>(QRect(QPoint(20, 20), QPoint(120, 40)));
    line->setLineStyle(TGLineShape::stAngleSlopingUp);
    line->pen()->setColor(0x00FF01);
    line->pen()->setStyle(Gdi::psDash);
    line->setLocked(true);
    line->cloneCommand();
    auto* copy = qobject_cast<TGLineShape*>(f.objects().back());
    QVERIFY(copy && copy != line);
    QCOMPARE(copy->lineStyle(), TGLineShape::stAngleSlopingUp);
    QCOMPARE(copy->pen()->color(), TColor(0x00FF01));
    QCOMPARE(copy->pen()->style(), Gdi::psDash);
    QVERIFY(copy->locked());
    QCOMPARE(copy->zoomFactor(), 1.0f);
    QCOMPARE(copy->bounds(), line->bounds().translated(0, 25));
}

void tst_Clipboard::clipboardGoesWithTheSurface() {
    ClipFixture f;
    TBCShapes* a = f.shape(30, 40);
    f.surface->handle().add(a);
    f.surface->clipboardCopy();
    const QString name = f.surface->clipboardFile();
    QVERIFY(QFile::exists(name));
    f.surface.reset();
    QVERIFY(!QFile::exists(name));
}

void tst_Clipboard::clipboardIsTheOwnersAlone_data() {
    QTest::addColumn<QString>("route");
    // A clipboard file an earlier version left readable by all.
    QTest::addColumn<bool>("oldFileThere");
    QTest::newRow("Ctrl+C") << "Ctrl+C" << false;
    QTest::newRow("Ctrl+X over an old file") << "Ctrl+X" << true;
    QTest::newRow("an object's Copy") << "Copy" << false;
    QTest::newRow("an object's Cut over an old file") << "Cut" << true;
}

void tst_Clipboard::clipboardIsTheOwnersAlone() {
    // What the user copies is for no other user of the machine to read, whatever the umask.
    QFETCH(QString, route);
    QFETCH(bool, oldFileThere);
    const mode_t umaskBefore = ::umask(022);
    ClipFixture f;
    if (oldFileThere) {
        QFile old(f.surface->clipboardFile());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.close();
        QCOMPARE(::chmod(QFile::encodeName(old.fileName()).constData(), 0644), 0);
    }
    TBCShapes* a = f.shape(10, 10);
    if (route.startsWith("Ctrl+")) {
        f.surface->handle().add(a);
        f.key(route == "Ctrl+C" ? Qt::Key_C : Qt::Key_X, Qt::ControlModifier);
    } else {
        QVERIFY(a->objectMenu()->trigger(route));
    }
    ::umask(umaskBefore);
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(f.surface->clipboardFile()).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, mode_t(0600));
    QVERIFY(f.clipboard().startsWith("\x01TPF0"));
}

QTEST_MAIN(tst_Clipboard)
#include "tst_Clipboard.moc"
