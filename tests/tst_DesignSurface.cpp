// The design surface: creation tools, rubber-band selection, the popup commands and their
// enabled states, stray-object clean-up and zoom.
#include "support/SurfaceFixture.h"

#include <QtTest>

#include <functional>

using PS = TGBusinessCardPanel32;

class tst_DesignSurface : public QObject {
    Q_OBJECT
  private slots:
    void creationRectangle_data();
    void creationRectangle();
    void creationNamesAndChange();
    void creationStateReturnsOnlyThroughWindow();
    void rubberBand_data();
    void rubberBand();
    void shiftBandToggles();
    void clickOnEmptySurface();
    void unselectableObjectStartsBand();
    void menuEnabledStates();
    void alignCommands_data();
    void alignCommands();
    void centreCommands();
    void orderCommands();
    void lockAndSelectableCommands();
    void deleteStrayObjects();
    void zoom();
    void zoomFromZero();
    void uniqueNameExhausted();
    void abandonedOutlinesErased_data();
    void abandonedOutlinesErased();
};

void tst_DesignSurface::creationRectangle_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("click") << QPoint(30, 40) << QPoint(30, 40) << QRect(30, 40, 50, 15);
    QTest::newRow("30x10 drag") << QPoint(30, 40) << QPoint(60, 50) << QRect(30, 40, 30, 15);
    QTest::newRow("24 wide") << QPoint(30, 40) << QPoint(54, 80) << QRect(30, 40, 50, 40);
    QTest::newRow("25 wide") << QPoint(30, 40) << QPoint(55, 80) << QRect(30, 40, 25, 40);
    QTest::newRow("right to left") << QPoint(60, 80) << QPoint(30, 40) << QRect(30, 40, 30, 40);
    QTest::newRow("bottom to top") << QPoint(30, 80) << QPoint(60, 40) << QRect(30, 40, 30, 40);
}

void tst_DesignSurface::creationRectangle() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QRect, expected);
    SurfaceFixture f;
    f.surface->setPanelState(PS::psRectangle);
    QRect dropped;
    connect(f.surface.get(), &TGBasePanel::droppedObject, [&dropped](QRect r) { dropped = r; });
    f.drag(from, to);
    QCOMPARE(int(f.surface->objects().size()), 1);
    QCOMPARE(f.surface->objects().front()->bounds(), expected);
    QVERIFY(!dropped.isNull() || from == to);
}

void tst_DesignSurface::creationNamesAndChange() {
    SurfaceFixture f;
    f.surface->setPanelState(PS::psRectangle);
    QCOMPARE(f.surface->screenCursor(), platform::Cursor::Drag);
    f.click(10, 10);
    f.click(100, 10);
    QCOMPARE(f.surface->objects().at(0)->objectName(), QStringLiteral("Special1"));
    QCOMPARE(f.surface->objects().at(1)->objectName(), QStringLiteral("Special2"));
    QVERIFY(f.changes >= 2);
    // Recording the first bounds does not count as a change; a one-pixel move does.
    const int before = f.changes;
    f.surface->objects().at(0)->setLeft(11);
    QCOMPARE(f.changes, before + 1);
}

void tst_DesignSurface::creationStateReturnsOnlyThroughWindow() {
    // A press on an object or on the frame in a creation state starts a band, not a drag.
    SurfaceFixture f;
    TestBox* box = f.addBox(30, 30, 60, 30);
    f.click(40, 40);
    QCOMPARE(f.surface->handle().count(), 1);
    f.surface->setPanelState(PS::psRectangle);
    f.drag(QPoint(40, 40), QPoint(80, 80));
    QCOMPARE(int(f.surface->objects().size()), 2);
    QCOMPARE(box->bounds(), QRect(30, 30, 60, 30));
    QCOMPARE(f.surface->objects().back()->bounds(), QRect(40, 40, 40, 40));
}

void tst_DesignSurface::rubberBand_data() {
    QTest::addColumn<QRect>("band"); // corners as from/to
    QTest::addColumn<QStringList>("selected");
    // Boxes: A (10,10,20x20) spans to (30,30); B (100,100,20x20).
    QTest::newRow("touch A's right edge")
        << QRect(QPoint(30, 15), QPoint(50, 60)) << QStringList{"A"};
    QTest::newRow("one pixel short") << QRect(QPoint(31, 15), QPoint(50, 60)) << QStringList{};
    QTest::newRow("touch A's bottom-right corner from outside")
        << QRect(QPoint(60, 60), QPoint(30, 30)) << QStringList{"A"};
    QTest::newRow("both, topmost first")
        << QRect(QPoint(0, 0), QPoint(200, 200)) << QStringList{"B", "A"};
    QTest::newRow("inside B") << QRect(QPoint(105, 105), QPoint(110, 110)) << QStringList{"B"};
}

void tst_DesignSurface::rubberBand() {
    QFETCH(QRect, band);
    QFETCH(QStringList, selected);
    SurfaceFixture f;
    f.addBox(10, 10, 20, 20)->setObjectName("A");
    f.addBox(100, 100, 20, 20)->setObjectName("B");
    f.drag(band.topLeft(), band.bottomRight());
    QStringList names;
    for (TGGraphicControl* o : f.surface->handle().selection())
        names << o->objectName();
    QCOMPARE(names, selected);
}

void tst_DesignSurface::shiftBandToggles() {
    SurfaceFixture f;
    TestBox* a = f.addBox(10, 10, 20, 20);
    TestBox* b = f.addBox(100, 100, 20, 20);
    f.drag(QPoint(0, 0), QPoint(200, 200));
    QCOMPARE(f.surface->handle().count(), 2);
    // Shift+band over A (starting on empty surface) deselects A and keeps B.
    f.drag(QPoint(5, 5), QPoint(15, 15), Qt::ShiftModifier);
    QCOMPARE(f.surface->handle().selection(), std::vector<TGGraphicControl*>{b});
    f.drag(QPoint(5, 5), QPoint(15, 15), Qt::ShiftModifier);
    QCOMPARE(f.surface->handle().indexOf(a), 1);
}

void tst_DesignSurface::clickOnEmptySurface() {
    SurfaceFixture f;
    f.addBox(10, 10, 20, 20);
    f.click(15, 15);
    QCOMPARE(f.surface->handle().count(), 1);
    f.click(200, 150, Qt::ShiftModifier);
    QCOMPARE(f.surface->handle().count(), 1);
    f.click(200, 150);
    QCOMPARE(f.surface->handle().count(), 0);
    QVERIFY(!f.surface->handle().isVisible());
}

void tst_DesignSurface::unselectableObjectStartsBand() {
    SurfaceFixture f;
    TestBox* under = f.addBox(10, 10, 100, 60);
    TestBox* small = f.addBox(50, 30, 10, 15);
    under->setUnselectable(true);
    f.drag(QPoint(20, 20), QPoint(70, 50));
    QCOMPARE(f.surface->handle().selection(), std::vector<TGGraphicControl*>{small});
}

void tst_DesignSurface::menuEnabledStates() {
    SurfaceFixture f;
    platform::MenuModel& m = f.surface->surfaceMenu();
    auto enabled = [&m](const char* c) { return m.find(QLatin1String(c))->enabled; };
    m.aboutToShow();
    QVERIFY(!enabled("Copy"));
    QVERIFY(!enabled("Lock All"));
    QVERIFY(!enabled("Paste"));
    QVERIFY(enabled("Select All"));
    QVERIFY(enabled("Mark All Unselectable"));
    f.addBox(10, 10, 20, 20);
    m.aboutToShow();
    QVERIFY(enabled("Lock All"));
    QVERIFY(!enabled("Align Left"));
    m.trigger("Select All");
    m.aboutToShow();
    for (const char* c :
         {"Bring To Front", "Send To Back", "Cut", "Copy", "Delete", "Align Left", "Align Right",
          "Align Tops", "Align Bottoms", "Center Vertically", "Center Horizontally", "Font"})
        QVERIFY2(enabled(c), c);
    // The surface menu opens on a right press on empty surface.
    f.click(200, 150, Qt::NoModifier, Qt::RightButton);
    QCOMPARE(f.dialogs.lastPopup, &m);
}

void tst_DesignSurface::alignCommands_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QList<int>>("expected"); // left, top of both boxes
    // Boxes: (20, 30, 100x20) spans to (120, 50); (150, 60, 50x20) to (200, 80).
    QTest::newRow("left") << "Align Left" << QList<int>{20, 30, 20, 60};
    QTest::newRow("right") << "Align Right" << QList<int>{100, 30, 150, 60};
    QTest::newRow("tops") << "Align Tops" << QList<int>{20, 30, 150, 30};
    QTest::newRow("bottoms") << "Align Bottoms" << QList<int>{20, 60, 150, 60};
}

void tst_DesignSurface::alignCommands() {
    QFETCH(QString, command);
    QFETCH(QList<int>, expected);
    SurfaceFixture f;
    TestBox* a = f.addBox(20, 30, 100, 20);
    TestBox* b = f.addBox(150, 60, 50, 20);
    b->setLocked(true); // aligning moves locked objects too
    f.surface->selectAll();
    const int before = f.changes;
    QVERIFY(f.surface->surfaceMenu().trigger(command));
    QCOMPARE((QList<int>{a->left(), a->top(), b->left(), b->top()}), expected);
    QVERIFY(f.changes > before);
}

void tst_DesignSurface::centreCommands() {
    SurfaceFixture f(336, 190);
    TestBox* a = f.addBox(3, 3, 40, 51);
    TestBox* b = f.addBox(200, 100, 41, 20);
    f.surface->selectAll();
    f.surface->surfaceMenu().trigger("Center Vertically");
    QCOMPARE(a->top(), 95 - 25);
    QCOMPARE(b->top(), 95 - 10);
    f.surface->surfaceMenu().trigger("Center Horizontally");
    QCOMPARE(a->left(), 168 - 20);
    QCOMPARE(b->left(), 168 - 20);
    // The object's own command centres it alone.
    a->setTop(0);
    a->objectMenu()->trigger("Center Vertically");
    QCOMPARE(a->top(), 70);
}

void tst_DesignSurface::orderCommands() {
    SurfaceFixture f;
    TestBox* a = f.addBox(10, 10, 20, 20);
    TestBox* b = f.addBox(40, 10, 20, 20);
    TestBox* c = f.addBox(70, 10, 20, 20);
    f.click(15, 15);
    f.click(45, 15, Qt::ShiftModifier);
    f.surface->surfaceMenu().trigger("Bring To Front");
    QCOMPARE(f.surface->objects(), (std::vector<TGGraphicControl*>{c, a, b}));
    f.surface->surfaceMenu().trigger("Send To Back");
    QCOMPARE(f.surface->objects(), (std::vector<TGGraphicControl*>{b, a, c}));
    QCOMPARE(f.surface->handle().count(), 0);
    // An object's own "Bring To Front" moves only that object, even when others are selected.
    f.surface->selectAll();
    b->objectMenu()->trigger("Bring To Front");
    QCOMPARE(f.surface->objects(), (std::vector<TGGraphicControl*>{a, c, b}));
    QCOMPARE(f.surface->handle().count(), 3);
    a->objectMenu()->trigger("Send To Back");
    QCOMPARE(f.surface->handle().count(), 0);
}

void tst_DesignSurface::lockAndSelectableCommands() {
    SurfaceFixture f;
    TestBox* a = f.addBox(10, 10, 20, 20);
    TestBox* b = f.addBox(40, 10, 20, 20);
    f.surface->surfaceMenu().trigger("Lock All");
    QVERIFY(a->locked() && b->locked());
    QVERIFY(a->objectMenu()->find("Locked")->checked);
    int before = f.changes;
    a->objectMenu()->trigger("Locked");
    a->objectMenu()->trigger("Locked");
    QVERIFY(a->locked());
    QCOMPARE(f.changes, before + 2);
    before = f.changes;
    a->setLocked(true);
    QCOMPARE(f.changes, before);
    f.surface->surfaceMenu().trigger("Unlock All");
    QVERIFY(!a->locked() && !b->locked());

    f.surface->selectAll();
    a->objectMenu()->trigger("Unselectable");
    QVERIFY(a->unselectable());
    QCOMPARE(f.surface->handle().indexOf(a), -1);
    before = f.changes;
    a->objectMenu()->trigger("Unselectable");
    QVERIFY(a->unselectable());
    QVERIFY(f.changes > before);

    f.surface->surfaceMenu().trigger("Mark All Unselectable");
    QCOMPARE(f.surface->handle().count(), 0);
    f.surface->surfaceMenu().trigger("Select All");
    QCOMPARE(f.surface->handle().count(), 0);
    f.surface->surfaceMenu().trigger("Mark All Selectable");
    f.surface->surfaceMenu().trigger("Select All");
    QCOMPARE(f.surface->handle().count(), 2);
}

void tst_DesignSurface::deleteStrayObjects() {
    SurfaceFixture f(343, 191);
    f.addBox(10, 182, 20, 20)->setObjectName("below");
    f.addBox(10, 181, 20, 20)->setObjectName("keep181");
    f.addBox(334, 10, 20, 20)->setObjectName("right");
    f.addBox(333, 10, 20, 20)->setObjectName("keep333");
    f.addBox(-40, -30, 20, 20)->setObjectName("negative");
    TestBox* flat = f.addBox(50, 50, 20, 20);
    flat->setObjectName("flat");
    flat->setHeight(0);
    TestBox* narrow = f.addBox(80, 50, 20, 20);
    narrow->setObjectName("narrow");
    narrow->setWidth(-3);
    f.surface->selectAll();
    f.surface->deleteStrayObjects();
    QStringList names;
    for (TGGraphicControl* o : f.surface->objects())
        names << o->objectName();
    QCOMPARE(names, (QStringList{"keep181", "keep333", "negative"}));
    QCOMPARE(f.surface->handle().count(), 0);
}

void tst_DesignSurface::zoom() {
    // The zoom changes how the card is shown, never the card: bounds and size stay in card
    // pixels, the view grows, and input at the zoom lands in card pixels.
    SurfaceFixture f;
    TestBox* a = f.addBox(10, 10, 50, 15);
    const int before = f.changes;
    f.surface->setZoom(1.5f);
    QCOMPARE(a->bounds(), QRect(10, 10, 50, 15));
    QCOMPARE(f.surface->width(), 336);
    QCOMPARE(f.surface->viewSize(), QSize(504, 288));
    QCOMPARE(f.surface->image().size(), QSize(504, 288));
    QCOMPARE(f.surface->toCard(QPointF(150.9, 151.5)), QPoint(100, 101));
    QCOMPARE(f.surface->toView(QRect(10, 10, 50, 15)), QRect(15, 15, 75, 23));
    QCOMPARE(f.changes, before); // zooming raises no change notification
    // New objects lay out at zoom 1 whatever the view's zoom.
    f.surface->setPanelState(PS::psRectangle);
    f.click(100, 100);
    QCOMPARE(f.surface->objects().back()->zoomFactor(), 1.0f);
    f.surface->setZoom(1.0f);
    QCOMPARE(a->bounds(), QRect(10, 10, 50, 15));
    QCOMPARE(f.surface->viewSize(), QSize(336, 192));
}

void tst_DesignSurface::zoomFromZero() {
    SurfaceFixture f;
    TestBox* a = f.addBox(10, 10, 50, 16);
    f.surface->setZoom(0.0f); // an odd zoom shows the card at its own size
    QCOMPARE(f.surface->zoomFactor(), 1.0f);
    f.surface->setZoom(-2.0f);
    QCOMPARE(f.surface->zoomFactor(), 1.0f);
    f.surface->setZoom(1.2f);
    QCOMPARE(f.surface->width(), 336);
    QCOMPARE(a->bounds(), QRect(10, 10, 50, 16));
}

void tst_DesignSurface::uniqueNameExhausted() {
    SurfaceFixture f;
    for (int i = 1; i <= 1000; ++i) {
        auto* box = new TestBox(f.surface->owner());
        box->setSurface(f.surface.get());
        box->setObjectName(QStringLiteral("Special%1").arg(i));
    }
    QCOMPARE(f.surface->uniqueName("Special"), QString());
    f.surface->clearObjects();
    QCOMPARE(f.surface->uniqueName("Special"), QStringLiteral("Special1"));
}

// Gestures that end or abandon a rubber band or a drag outline in ways other than the
// release that completes them. Box A (unselectable) at (10, 10), box B at (80, 40); what
// is left afterwards: no outline shown, and no band selecting B on its own.
using Gesture = std::function<void(SurfaceFixture&)>;
Q_DECLARE_METATYPE(Gesture)

void tst_DesignSurface::abandonedOutlinesErased_data() {
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<int>("selected");
    auto dragB = [](SurfaceFixture& f, const std::function<void()>& during) {
        f.click(90, 45);
        f.surface->mouseDown(Qt::LeftButton, {}, 90, 45);
        f.clock.advance(200);
        f.surface->mouseMove(Qt::LeftButton, {}, 90, 45);
        f.clock.advance(200);
        f.surface->mouseMove(Qt::LeftButton, {}, 120, 60);
        QVERIFY(!f.surface->xorOutlines().empty());
        during();
        f.surface->mouseMove(Qt::LeftButton, {}, 130, 70);
        f.surface->mouseUp(Qt::LeftButton, {}, 130, 70);
    };
    QTest::newRow("right press during a band") << Gesture([](SurfaceFixture& f) {
        f.surface->mouseDown(Qt::LeftButton, {}, 200, 150);
        f.surface->mouseMove(Qt::LeftButton, {}, 150, 100);
        f.surface->mouseDown(Qt::RightButton, {}, 150, 100);
        f.surface->mouseUp(Qt::RightButton, {}, 150, 100);
        f.surface->mouseMove(Qt::LeftButton, {}, 70, 30);
        f.surface->mouseUp(Qt::LeftButton, {}, 70, 30);
    }) << 0;
    // The popup the double-click opens takes the release: the band must not outlive it.
    QTest::newRow("double-click on unselectable, then click") << Gesture([](SurfaceFixture& f) {
        f.surface->doubleClick({}, 15, 15);
        f.surface->mouseMove(Qt::NoButton, {}, 200, 150);
        f.click(200, 150);
    }) << 0;
    QTest::newRow("double-click on unselectable, click without a move")
        << Gesture([](SurfaceFixture& f) {
               f.surface->doubleClick({}, 15, 15);
               f.click(200, 150);
           })
        << 0;
    QTest::newRow("Delete during a drag") << Gesture([dragB](SurfaceFixture& f) {
        dragB(f, [&f] { f.surface->keyDown(Qt::Key_Delete, {}); });
    }) << 0;
    QTest::newRow("Ctrl+X during a drag") << Gesture([dragB](SurfaceFixture& f) {
        dragB(f, [&f] { f.surface->keyDown(Qt::Key_X, Qt::ControlModifier); });
    }) << 0;
    QTest::newRow("Delete while an arrow key is held") << Gesture([](SurfaceFixture& f) {
        f.click(90, 45);
        f.surface->keyDown(Qt::Key_Right, {});
        f.surface->keyDown(Qt::Key_Right, {});
        f.surface->keyDown(Qt::Key_Delete, {});
        f.surface->keyUp(Qt::Key_Delete, {});
    }) << 0;
}

void tst_DesignSurface::abandonedOutlinesErased() {
    QFETCH(Gesture, gesture);
    QFETCH(int, selected);
    SurfaceFixture f;
    f.addBox(10, 10, 50, 15)->setUnselectable(true);
    f.addBox(80, 40, 30, 15);
    const QImage clean = f.surface->image().copy();
    gesture(f);
    QCOMPARE(f.surface->xorOutlines().size(), size_t(0));
    QCOMPARE(f.surface->handle().count(), selected);
    // Nothing of an outline stays on the card through repaints.
    f.surface->invalidate();
    if (f.surface->objects().size() == 2) QCOMPARE(f.surface->image(), clean);
}

QTEST_MAIN(tst_DesignSurface)
#include "tst_DesignSurface.moc"
