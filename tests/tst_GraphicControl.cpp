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
    void noSurfaceIsHarmless();
    void trimSpaces_data();
    void trimSpaces();
};

void tst_GraphicControl::firstBoundsAreOnlyRecorded()
{
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
    f.surface->setPrinting(true);
    box->setLeft(12);
    QCOMPARE(f.changes, 1);
}

void tst_GraphicControl::readingStateIsQuiet()
{
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

void tst_GraphicControl::zoomRounding_data()
{
    QTest::addColumn<QRect>("start");
    QTest::addColumn<QList<float>>("zooms");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("1.5 halves to even") << QRect(10, 10, 50, 15) << QList<float>{1.5f}
                                        << QRect(15, 15, 75, 22);
    QTest::newRow("1.5 and back") << QRect(10, 10, 50, 15) << QList<float>{1.5f, 1.0f}
                                  << QRect(10, 10, 50, 15);
    QTest::newRow("1.1 and back") << QRect(5, 5, 45, 15) << QList<float>{1.1f, 1.0f}
                                         << QRect(5, 5, 45, 15);
    QTest::newRow("negative") << QRect(-10, -3, 50, 15) << QList<float>{1.5f}
                              << QRect(-15, -4, 75, 22);
}

void tst_GraphicControl::zoomRounding()
{
    QFETCH(QRect, start);
    QFETCH(QList<float>, zooms);
    QFETCH(QRect, expected);
    TestBox box;
    box.setBounds(start.x(), start.y(), start.width(), start.height());
    for (float z : zooms) box.SetZoom(z);
    QCOMPARE(box.bounds(), expected);
    QCOMPARE(box.zoomFactor(), zooms.back());
}

void tst_GraphicControl::noSurfaceIsHarmless()
{
    TestBox box;
    box.buildPopup();
    for (const char* c : {"Bring To Front", "Send To Back", "Cut", "Copy", "Delete", "Clone",
                          "Locked", "Unselectable", "Center Vertically", "Center Horizontally"})
        QVERIFY2(box.objectMenu()->trigger(QLatin1String(c)), c);
    QVERIFY(box.locked());
    QVERIFY(box.unselectable());
}

void tst_GraphicControl::trimSpaces_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("both") << "  a b  " << "a b";
    QTest::newRow("tabs stay") << "\t a \t" << "\t a \t";
    QTest::newRow("all spaces") << "    " << "";
    QTest::newRow("empty") << "" << "";
}

void tst_GraphicControl::trimSpaces()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(TGGraphicControl::TrimSpaces(in), out);
}

QTEST_MAIN(tst_GraphicControl)
#include "tst_GraphicControl.moc"
