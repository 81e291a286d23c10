// The selection frame: geometry around the selection, drags with the 10 ms and 150 ms
// rules, snapping, the eight resize grips, clamping, keyboard nudges and locked objects.
#include "support/SurfaceFixture.h"

#include <QtTest>

class tst_SelectionFrame : public QObject {
    Q_OBJECT
  private slots:
    void geometryAroundSelection();
    void refitAfterBoundsChange();
    void shortClickMovesNothing();
    void dragNeedsTenMilliseconds();
    void dragMoves_data();
    void dragMoves();
    void resizeGrips_data();
    void resizeGrips();
    void gripCursors_data();
    void gripCursors();
    void multiSelectionOnlyMoves();
    void lockedObjectStays();
    void frameLockedMovesNothing();
    void clampedToSurface();
    void pressBetweenSelectedObjectsDragsSelection();
    void shiftClickRemoves();
    void nudges_data();
    void nudges();
    void nudgeAccumulatesUntilRelease();
    void doubleClickOpensMenuWithoutDrag();
};

void tst_SelectionFrame::geometryAroundSelection() {
    SurfaceFixture f;
    TestBox* a = f.addBox(10, 20, 30, 15);
    TestBox* b = f.addBox(100, 50, 20, 20);
    f.click(15, 25);
    const TGHandle& h = f.surface->handle();
    QCOMPARE(h.geometry(), QRect(8, 18, 35, 20));
    f.click(105, 55, Qt::ShiftModifier);
    QCOMPARE(h.geometry(), QRect(8, 18, 120 - 10 + 5, 70 - 20 + 5));
    f.surface->handle().remove(a);
    QCOMPARE(h.geometry(), QRect(98, 48, 25, 25));
    f.surface->handle().remove(b);
    QVERIFY(!h.isVisible());
    QVERIFY(!h.isEnabled());
}

void tst_SelectionFrame::refitAfterBoundsChange() {
    SurfaceFixture f;
    TestBox* a = f.addBox(10, 20, 30, 15);
    f.click(15, 25);
    a->setWidth(40);
    // The refit is queued: it runs after the current event.
    QCOMPARE(f.surface->handle().geometry(), QRect(8, 18, 35, 20));
    f.surface->processPendingEvents();
    QCOMPARE(f.surface->handle().geometry(), QRect(8, 18, 46, 21));
}

void tst_SelectionFrame::shortClickMovesNothing() {
    SurfaceFixture f;
    TestBox* a = f.addBox(10, 10, 50, 15);
    f.click(20, 15);
    // Press on the frame, move a few pixels and release within 150 ms.
    f.surface->mouseDown(Qt::LeftButton, {}, 20, 15);
    f.clock.advance(40);
    f.surface->mouseMove(Qt::LeftButton, {}, 24, 17);
    f.clock.advance(40);
    f.surface->mouseUp(Qt::LeftButton, {}, 24, 17);
    QCOMPARE(a->bounds(), QRect(10, 10, 50, 15));
}

void tst_SelectionFrame::dragNeedsTenMilliseconds() {
    // A press on an unselected object selects it; a move within 10 ms does not start the drag.
    SurfaceFixture f;
    TestBox* a = f.addBox(10, 10, 50, 15);
    f.surface->mouseDown(Qt::LeftButton, {}, 20, 15);
    f.clock.advance(5);
    f.surface->mouseMove(Qt::LeftButton, {}, 30, 15);
    QVERIFY(!f.surface->handle().isDragging());
    f.clock.advance(10);
    f.surface->mouseMove(Qt::LeftButton, {}, 30, 15); // the drag starts here, from (30, 15)
    QVERIFY(f.surface->handle().isDragging());
    f.surface->mouseMove(Qt::LeftButton, {}, 40, 20);
    f.clock.advance(200);
    f.surface->mouseUp(Qt::LeftButton, {}, 40, 20);
    QCOMPARE(a->bounds(), QRect(20, 15, 50, 15));
}

void tst_SelectionFrame::dragMoves_data() {
    QTest::addColumn<bool>("snap");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("free") << false << QPoint(7, 3) << QPoint(17, 13);
    QTest::newRow("snapped +7,+3") << true << QPoint(7, 3) << QPoint(14, 10);
    QTest::newRow("snapped -3,-3") << true << QPoint(-3, -3) << QPoint(6, 6);
    QTest::newRow("snapped +1,+1") << true << QPoint(1, 1) << QPoint(10, 10);
}

void tst_SelectionFrame::dragMoves() {
    QFETCH(bool, snap);
    QFETCH(QPoint, delta);
    QFETCH(QPoint, topLeft);
    SurfaceFixture f;
    f.surface->setSnapToGrid(snap);
    TestBox* a = f.addBox(10, 10, 50, 15);
    f.drag(QPoint(30, 15), QPoint(30, 15) + delta);
    QCOMPARE(a->bounds().topLeft(), topLeft);
    QCOMPARE(a->bounds().size(), QSize(50, 15));
}

void tst_SelectionFrame::resizeGrips_data() {
    // Box at (50, 50) 60 x 30: frame (48, 48) 65 x 35, so the frame's client edges are at
    // surface x 48 and 113, y 48 and 83, middles at 80.5 and 65.5.
    QTest::addColumn<QPoint>("grab");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("right +20") << QPoint(112, 65) << QPoint(20, 0) << QRect(50, 50, 79, 30);
    QTest::newRow("bottom +10") << QPoint(80, 82) << QPoint(0, 10) << QRect(50, 50, 60, 39);
    QTest::newRow("left -10") << QPoint(49, 65) << QPoint(-10, 0) << QRect(40, 50, 70, 30);
    QTest::newRow("top +5") << QPoint(80, 49) << QPoint(0, 5) << QRect(50, 55, 60, 25);
    QTest::newRow("top-left") << QPoint(49, 49) << QPoint(-5, -6) << QRect(45, 44, 65, 36);
    QTest::newRow("top-right") << QPoint(112, 49) << QPoint(5, -6) << QRect(50, 44, 64, 36);
    QTest::newRow("bottom-left") << QPoint(49, 82) << QPoint(-5, 6) << QRect(45, 50, 65, 35);
    QTest::newRow("bottom-right") << QPoint(112, 82) << QPoint(5, 6) << QRect(50, 50, 64, 35);
    // A grip dragged past the opposite edge leaves the object one pixel, never none.
    QTest::newRow("right past left") << QPoint(112, 65) << QPoint(-100, 0) << QRect(50, 50, 1, 30);
    QTest::newRow("left past right") << QPoint(49, 65) << QPoint(100, 0) << QRect(150, 50, 1, 30);
    QTest::newRow("top past bottom") << QPoint(80, 49) << QPoint(0, 60) << QRect(50, 110, 60, 1);
    QTest::newRow("bottom-right past top-left")
        << QPoint(112, 82) << QPoint(-100, -80) << QRect(50, 50, 1, 1);
}

void tst_SelectionFrame::resizeGrips() {
    QFETCH(QPoint, grab);
    QFETCH(QPoint, delta);
    QFETCH(QRect, expected);
    SurfaceFixture f;
    TestBox* a = f.addBox(50, 50, 60, 30);
    f.click(80, 65);
    // Hover picks the grip, then the drag resizes.
    f.surface->mouseMove(Qt::NoButton, {}, grab.x(), grab.y());
    QVERIFY(f.surface->handle().grip() != 0);
    f.drag(grab, grab + delta);
    QCOMPARE(a->bounds(), expected);
    QVERIFY(f.surface->handle().width() >= 5 && f.surface->handle().height() >= 5);
    // Saving drops objects without width or height: this one stays.
    f.surface->deleteStrayObjects();
    QCOMPARE(f.surface->objects().size(), size_t(1));
}

void tst_SelectionFrame::gripCursors_data() {
    QTest::addColumn<QPoint>("at"); // frame (48, 48) 65 x 35
    QTest::addColumn<int>("grip");
    QTest::addColumn<int>("cursor");
    using C = platform::Cursor;
    QTest::newRow("top-left") << QPoint(48 + 7, 48 + 7) << 1 << int(C::SizeNWSE);
    QTest::newRow("top-left limit") << QPoint(48 + 8, 48) << 0 << int(C::HandGrab);
    QTest::newRow("bottom-right") << QPoint(113 - 1, 83 - 1) << 4 << int(C::SizeNWSE);
    QTest::newRow("top-right") << QPoint(112, 49) << 2 << int(C::SizeNESW);
    QTest::newRow("bottom-left") << QPoint(49, 82) << 3 << int(C::SizeNESW);
    QTest::newRow("top middle") << QPoint(48 + 32, 50) << 5 << int(C::SizeNS);
    QTest::newRow("left middle") << QPoint(50, 48 + 17) << 6 << int(C::SizeWE);
    QTest::newRow("bottom middle") << QPoint(48 + 33, 82) << 7 << int(C::SizeNS);
    QTest::newRow("right middle") << QPoint(111, 48 + 18) << 8 << int(C::SizeWE);
    QTest::newRow("inside") << QPoint(70, 60) << 0 << int(C::HandGrab);
}

void tst_SelectionFrame::gripCursors() {
    QFETCH(QPoint, at);
    QFETCH(int, grip);
    QFETCH(int, cursor);
    SurfaceFixture f;
    f.addBox(50, 50, 60, 30);
    f.click(80, 65);
    f.surface->mouseMove(Qt::NoButton, {}, at.x(), at.y());
    QCOMPARE(f.surface->handle().grip(), grip);
    QCOMPARE(int(f.surface->screenCursor()), cursor);
}

void tst_SelectionFrame::multiSelectionOnlyMoves() {
    SurfaceFixture f;
    TestBox* a = f.addBox(50, 50, 60, 30);
    TestBox* b = f.addBox(150, 100, 20, 20);
    f.surface->selectAll();
    const QRect frame = f.surface->handle().geometry();
    const QPoint corner = frame.topLeft() + QPoint(1, 1);
    f.surface->mouseMove(Qt::NoButton, {}, corner.x(), corner.y());
    QCOMPARE(f.surface->handle().grip(), 0);
    QCOMPARE(f.surface->screenCursor(), platform::Cursor::HandGrab);
    f.drag(corner, corner + QPoint(10, 5));
    QCOMPARE(a->bounds(), QRect(60, 55, 60, 30));
    QCOMPARE(b->bounds(), QRect(160, 105, 20, 20));
}

void tst_SelectionFrame::lockedObjectStays() {
    SurfaceFixture f;
    TestBox* a = f.addBox(50, 50, 60, 30);
    TestBox* b = f.addBox(150, 100, 20, 20);
    b->setLocked(true);
    f.surface->selectAll();
    f.drag(QPoint(60, 60), QPoint(70, 70));
    QCOMPARE(a->bounds(), QRect(60, 60, 60, 30));
    QCOMPARE(b->bounds(), QRect(150, 100, 20, 20));
    f.surface->processPendingEvents();
    // The frame refits around both afterwards.
    QCOMPARE(f.surface->handle().geometry(), QRect(58, 58, 170 - 60 + 6, 120 - 60 + 6));
}

void tst_SelectionFrame::frameLockedMovesNothing() {
    SurfaceFixture f;
    TestBox* a = f.addBox(50, 50, 60, 30);
    f.click(60, 60);
    f.surface->handle().setLocked(true);
    f.drag(QPoint(60, 60), QPoint(70, 70));
    QCOMPARE(a->bounds(), QRect(50, 50, 60, 30));
    f.surface->mouseMove(Qt::NoButton, {}, 60, 60);
    QCOMPARE(f.surface->screenCursor(), platform::Cursor::NoDrop);
}

void tst_SelectionFrame::clampedToSurface() {
    SurfaceFixture f;
    TestBox* a = f.addBox(50, 50, 60, 30);
    f.drag(QPoint(60, 60), QPoint(900, 900));
    // The point is clamped to (336, 192): the move is (276, 132).
    QCOMPARE(a->bounds().topLeft(), QPoint(50 + 276, 50 + 132));
    f.drag(QPoint(330, 185), QPoint(-50, -50));
    QCOMPARE(a->bounds().topLeft(), QPoint(326 - 330, 182 - 185));
}

void tst_SelectionFrame::pressBetweenSelectedObjectsDragsSelection() {
    SurfaceFixture f;
    TestBox* a = f.addBox(10, 10, 20, 20);
    TestBox* c = f.addBox(200, 150, 20, 20);
    TestBox* between = f.addBox(100, 80, 20, 20);
    f.click(15, 15);
    f.click(205, 155, Qt::ShiftModifier);
    f.drag(QPoint(105, 85), QPoint(115, 85));
    QCOMPARE(f.surface->handle().indexOf(between), -1);
    QCOMPARE(between->left(), 100);
    QCOMPARE(a->left(), 20);
    QCOMPARE(c->left(), 210);
}

void tst_SelectionFrame::shiftClickRemoves() {
    SurfaceFixture f;
    TestBox* a = f.addBox(10, 10, 40, 20);
    TestBox* b = f.addBox(60, 10, 40, 20);
    f.surface->selectAll();
    f.click(20, 20, Qt::ShiftModifier);
    QCOMPARE(f.surface->handle().selection(), std::vector<TGGraphicControl*>{b});
    QCOMPARE(a->left(), 10);
}

void tst_SelectionFrame::nudges_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QRect>("start");
    QTest::addColumn<QRect>("expected");
    const QRect box(20, 20, 30, 15);
    QTest::newRow("left") << int(Qt::Key_Left) << false << 3 << box << QRect(17, 20, 30, 15);
    QTest::newRow("up") << int(Qt::Key_Up) << false << 2 << box << QRect(20, 18, 30, 15);
    QTest::newRow("right") << int(Qt::Key_Right) << false << 1 << box << QRect(21, 20, 30, 15);
    QTest::newRow("down") << int(Qt::Key_Down) << false << 4 << box << QRect(20, 24, 30, 15);
    QTest::newRow("left stops at 0")
        << int(Qt::Key_Left) << false << 5 << QRect(2, 20, 30, 15) << QRect(0, 20, 30, 15);
    QTest::newRow("right stops at the edge")
        << int(Qt::Key_Right) << false << 5 << QRect(300, 20, 30, 15) << QRect(305, 20, 30, 15);
    // Each applied nudge refits the frame (object + 6), so the nudge rectangle, two pixels
    // wider than the object, stops at 10 with the object 8 wide.
    QTest::newRow("shift+left narrows to 10")
        << int(Qt::Key_Left) << true << 30 << QRect(20, 20, 15, 15) << QRect(20, 20, 8, 15);
    QTest::newRow("shift+up lowers to 10")
        << int(Qt::Key_Up) << true << 30 << QRect(20, 20, 30, 15) << QRect(20, 20, 30, 8);
    QTest::newRow("shift+right widens")
        << int(Qt::Key_Right) << true << 2 << box << QRect(20, 20, 32, 15);
    QTest::newRow("shift+down grows")
        << int(Qt::Key_Down) << true << 3 << box << QRect(20, 20, 30, 18);
}

void tst_SelectionFrame::nudges() {
    QFETCH(int, key);
    QFETCH(bool, shift);
    QFETCH(int, presses);
    QFETCH(QRect, start);
    QFETCH(QRect, expected);
    SurfaceFixture f;
    TestBox* a = f.addBox(start.x(), start.y(), start.width(), start.height());
    f.click(start.x() + 1, start.y() + 1);
    for (int i = 0; i < presses; ++i) {
        f.key(key, shift ? Qt::ShiftModifier : Qt::NoModifier);
        f.surface->processPendingEvents();
    }
    QCOMPARE(a->bounds(), expected);
}

void tst_SelectionFrame::nudgeAccumulatesUntilRelease() {
    SurfaceFixture f;
    TestBox* a = f.addBox(20, 20, 30, 15);
    f.click(25, 25);
    const QImage before = f.surface->image().copy();
    for (int i = 0; i < 4; ++i)
        f.surface->keyDown(Qt::Key_Right, {});
    QCOMPARE(a->left(), 20); // only the outline moves while the key is held
    QVERIFY(f.surface->image() != before);
    f.surface->keyUp(Qt::Key_Right, {});
    QCOMPARE(a->left(), 24);
    f.surface->processPendingEvents();
    // The outline is gone once the change is applied: the image is a plain repaint.
    const QImage shown = f.surface->image().copy();
    f.surface->invalidate();
    QCOMPARE(f.surface->image(), shown);
}

void tst_SelectionFrame::doubleClickOpensMenuWithoutDrag() {
    SurfaceFixture f;
    TestBox* a = f.addBox(20, 20, 30, 15);
    f.click(25, 25);
    f.clock.advance(300);
    f.surface->doubleClick({}, 25, 25);
    QCOMPARE(f.dialogs.lastPopup, a->objectMenu());
    f.clock.advance(300);
    f.surface->mouseMove(Qt::LeftButton, {}, 40, 40);
    f.surface->mouseUp(Qt::LeftButton, {}, 40, 40);
    QCOMPARE(a->bounds(), QRect(20, 20, 30, 15));
    // With an edit handler, the double-click on the frame calls it instead.
    bool edited = false;
    a->onEditRequest = [&edited](TGBasePanel*) { edited = true; };
    f.dialogs.lastPopup = nullptr;
    f.clock.advance(300);
    f.surface->doubleClick({}, 25, 25);
    f.surface->mouseUp(Qt::LeftButton, {}, 25, 25);
    QVERIFY(edited);
    QVERIFY(!f.dialogs.lastPopup);
}

QTEST_MAIN(tst_SelectionFrame)
#include "tst_SelectionFrame.moc"
