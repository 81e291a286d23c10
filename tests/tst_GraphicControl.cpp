// The design-object base: change flagging on bounds, the loading and reading states,
// zoom rounding and the space trimmer.
#include "support/SurfaceFixture.h"

#include <QtTest>

class tst_GraphicControl : public QObject {
    Q_OBJECT
  private slots:
    void firstBoundsAreOnlyRecorded();
    void readingStateIsQuiet();
    void zoomRounding_data();
    void zoomRounding();
    void extremeBounds_data();
    void extremeBounds();
    void noSurfaceIsHarmless();
    void trimSpaces_data();
    void trimSpaces();
};

void tst_GraphicControl::firstBoundsAreOnlyRecorded() {
    SurfaceFixture f;
    auto* box = new TestBox(f.surface->owner());
    box->setSurface(f.surface.get());
    box->setBounds(10, 10, 50, 15);
    QCOMPARE(f.changes, 0);
    box->setLeft(11);
    QCOMPARE(f.changes, 1);
    box->setLeft(11);
    QCOMPARE(f.changes, 1);
    // While printing, nothing flags the card.
    const auto printing = f.surface->printingScope();
    box->setLeft(12);
    QCOMPARE(f.changes, 1);
}

void tst_GraphicControl::readingStateIsQuiet() {
    SurfaceFixture f;
    TestBox* box = f.addBox(10, 10, 50, 15);
    f.click(20, 15);
    const int before = f.changes;
    box->setReading(true);
    box->setLocked(true);
    box->setUnselectable(true);
    box->setBounds(40, 40, 20, 20);
    box->setReading(false);
    QCOMPARE(f.changes, before);
    QVERIFY(!box->objectMenu()->find("Locked")->checked);
    QCOMPARE(f.surface->handle().count(), 1); // not removed while reading
}

void tst_GraphicControl::zoomRounding_data() {
    QTest::addColumn<QRect>("start");
    QTest::addColumn<QList<float>>("zooms");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("1.5 halves to even")
        << QRect(10, 10, 50, 15) << QList<float>{1.5f} << QRect(15, 15, 75, 22);
    QTest::newRow("1.5 and back") << QRect(10, 10, 50, 15) << QList<float>{1.5f, 1.0f}
                                  << QRect(10, 10, 50, 15);
    QTest::newRow("1.1 and back") << QRect(5, 5, 45, 15) << QList<float>{1.1f, 1.0f}
                                  << QRect(5, 5, 45, 15);
    QTest::newRow("negative") << QRect(-10, -3, 50, 15) << QList<float>{1.5f}
                              << QRect(-15, -4, 75, 22);
}

void tst_GraphicControl::zoomRounding() {
    QFETCH(QRect, start);
    QFETCH(QList<float>, zooms);
    QFETCH(QRect, expected);
    TestBox box;
    box.setBounds(start.x(), start.y(), start.width(), start.height());
    for (float z : zooms)
        box.setZoom(z);
    QCOMPARE(box.bounds(), expected);
    QCOMPARE(box.zoomFactor(), zooms.back());
}

void tst_GraphicControl::extremeBounds_data() {
    // Stored positions and sizes are any int; the far edge stays an int, so sizes are cut
    // where it would not, and zooming never leaves the int range.
    constexpr int max = std::numeric_limits<int>::max(), min = std::numeric_limits<int>::min();
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("fits") << QList<int>{min, min, max, max} << 1.0f
                          << QList<int>{min, min, max, max};
    QTest::newRow("past the right")
        << QList<int>{300, 10, max, 20} << 1.0f << QList<int>{300, 10, max - 300, 20};
    QTest::newRow("past the left")
        << QList<int>{-300, 10, min, 20} << 1.0f << QList<int>{-300, 10, min + 301, 20};
    QTest::newRow("zoomed past") << QList<int>{10, 10, max - 20, 20} << 1.5f
                                 << QList<int>{15, 15, max - 15, 30};
    QTest::newRow("zoomed below") << QList<int>{min, 0, 10, 10} << 1.5f
                                  << QList<int>{min, 0, 15, 15};
}

void tst_GraphicControl::extremeBounds() {
    QFETCH(QList<int>, stored);
    QFETCH(float, zoom);
    QFETCH(QList<int>, expected);
    TestBox box;
    box.setBounds(stored[0], stored[1], stored[2], stored[3]);
    box.setZoom(zoom);
    QCOMPARE((QList<int>{box.left(), box.top(), box.width(), box.height()}), expected);
    QVERIFY(qint64(box.left()) + box.width() == box.bounds().right() + qint64(1));
}

void tst_GraphicControl::noSurfaceIsHarmless() {
    TestBox box;
    box.buildPopup();
    for (const char* c : {"Bring To Front", "Send To Back", "Cut", "Copy", "Delete", "Clone",
                          "Locked", "Unselectable", "Center Vertically", "Center Horizontally"})
        QVERIFY2(box.objectMenu()->trigger(QLatin1String(c)), c);
    QVERIFY(box.locked());
    QVERIFY(box.unselectable());
}

void tst_GraphicControl::trimSpaces_data() {
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("both") << "  a b  "
                          << "a b";
    QTest::newRow("tabs stay") << "\t a \t"
                               << "\t a \t";
    QTest::newRow("all spaces") << "    "
                                << "";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_GraphicControl::trimSpaces() {
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(TGGraphicControl::trimSpaces(in), out);
}

QTEST_MAIN(tst_GraphicControl)
#include "tst_GraphicControl.moc"
