// What the surface paints: the card outline, the grid dots, the selection grips, and the
// exclusive-or outlines of the rubber band.
#include "support/SurfaceFixture.h"

#include <QtTest>

namespace {
const QRgb white = qRgb(255, 255, 255);
const QRgb black = qRgb(0, 0, 0);
const QRgb green = qRgb(0, 0x80, 0);
const QRgb grey = qRgb(0x80, 0x80, 0x80);

// The set of points in r whose colour is c.
int countColour(const QImage& img, const QRect& r, QRgb c) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.pixel(x, y) == c) ++n;
    return n;
}
} // namespace

class tst_SurfacePaint : public QObject {
    Q_OBJECT
  private slots:
    void outline_data();
    void outline();
    void gridDots_data();
    void gridDots();
    void gridOnlyInsideCard();
    void gridUnderObjects();
    void singleSelectionGrips();
    void multiSelectionGrips();
    void rubberBandIsErased();
    void backgroundArt();
};

void tst_SurfacePaint::outline_data() {
    QTest::addColumn<int>("shape");
    QTest::newRow("rectangle") << int(TGBasePanel::lsRectangle);
    QTest::newRow("round") << int(TGBasePanel::lsRoundRect);
    QTest::newRow("ellipse") << int(TGBasePanel::lsEllipse);
}

void tst_SurfacePaint::outline() {
    QFETCH(int, shape);
    SurfaceFixture f(100, 60);
    f.surface->setShape(TGBasePanel::TLabelShapeType(shape));
    QCOMPARE(countColour(f.surface->image(), QRect(0, 0, 100, 60), black), 0);
    f.surface->setDrawOutline(true);
    const QImage& img = f.surface->image();
    if (shape == TGBasePanel::lsRectangle) {
        // The pen lies inside: columns 0 and 99, rows 0 and 59.
        for (int x = 0; x < 100; ++x) {
            QCOMPARE(img.pixel(x, 0), black);
            QCOMPARE(img.pixel(x, 59), black);
        }
        for (int y = 0; y < 60; ++y) {
            QCOMPARE(img.pixel(0, y), black);
            QCOMPARE(img.pixel(99, y), black);
        }
        QCOMPARE(countColour(img, QRect(1, 1, 98, 58), black), 0);
    } else {
        // Curved corners leave the corner pixel white; the middles of the edges are drawn.
        QCOMPARE(img.pixel(0, 0), white);
        QCOMPARE(img.pixel(50, 0), black);
        QCOMPARE(img.pixel(0, 30), black);
        QCOMPARE(img.pixel(50, 30), white);
    }
}

void tst_SurfacePaint::gridDots_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("step");
    QTest::newRow("4x4") << int(TGBasePanel::gs4x4) << 4;
    QTest::newRow("8x8") << int(TGBasePanel::gs8x8) << 8;
}

void tst_SurfacePaint::gridDots() {
    QFETCH(int, size);
    QFETCH(int, step);
    SurfaceFixture f(64, 40);
    f.surface->setShape(TGBasePanel::lsRectangle);
    f.surface->setGridSize(TGBasePanel::TGridSize(size));
    f.surface->setShowGrid(true);
    const QImage& img = f.surface->image();
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool dot = x % step == 2 && y % step == 2;
            QCOMPARE(img.pixel(x, y), dot ? green : white);
        }
}

void tst_SurfacePaint::gridOnlyInsideCard() {
    SurfaceFixture f(100, 60);
    f.surface->setShape(TGBasePanel::lsEllipse);
    f.surface->setShowGrid(true);
    const QImage& img = f.surface->image();
    QCOMPARE(img.pixel(2, 2), white); // outside the ellipse
    QCOMPARE(img.pixel(50, 30), green);
}

void tst_SurfacePaint::gridUnderObjects() {
    // The grid belongs to the backdrop: objects paint over it, and it shows through hollow ones.
    SurfaceFixture f(64, 40);
    f.surface->setShape(TGBasePanel::lsRectangle);
    f.surface->setShowGrid(true);
    f.addBox(0, 0, 30, 20);
    const QImage& img = f.surface->image();
    QCOMPARE(img.pixel(2, 2), green);
    QCOMPARE(img.pixel(6, 6), green);
    QCOMPARE(img.pixel(0, 0), black);
}

void tst_SurfacePaint::singleSelectionGrips() {
    SurfaceFixture f(200, 120);
    f.surface->setShape(TGBasePanel::lsRectangle);
    f.addBox(40, 30, 60, 40);
    const QImage unselected = f.surface->image().copy();
    f.click(50, 40);
    const QImage& img = f.surface->image();
    // L, T, R, B = 38, 28, 102, 72; mx = 38 + 32 = 70, my = 28 + 22 = 50.
    const QList<QRect> grips{QRect(38, 28, 5, 5), QRect(97, 28, 5, 5), QRect(97, 67, 5, 5),
                             QRect(38, 67, 5, 5), QRect(68, 28, 5, 5), QRect(68, 67, 5, 5),
                             QRect(38, 48, 5, 5), QRect(97, 48, 5, 5)};
    int gripPixels = 0;
    for (const QRect& g : grips) {
        QCOMPARE(countColour(img, g, black), 25);
        gripPixels += 25;
    }
    // Nothing else changed: only the eight grips are new black pixels.
    int changed = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != unselected.pixel(x, y)) ++changed;
    QVERIFY(changed <= gripPixels);
    QCOMPARE(img.pixel(37, 28), white);
    QCOMPARE(img.pixel(102, 72), white);
}

void tst_SurfacePaint::multiSelectionGrips() {
    SurfaceFixture f(200, 120);
    f.surface->setShape(TGBasePanel::lsRectangle);
    f.addBox(40, 30, 60, 40);
    f.addBox(120, 30, 40, 40);
    f.surface->selectAll();
    const QImage& img = f.surface->image();
    for (const QRect& g : {QRect(38, 28, 5, 5), QRect(97, 28, 5, 5), QRect(97, 67, 5, 5),
                           QRect(38, 67, 5, 5), QRect(118, 28, 5, 5), QRect(157, 67, 5, 5)})
        QCOMPARE(countColour(img, g, grey), 25);
    // No edge-middle grips with several objects selected.
    QCOMPARE(countColour(img, QRect(68, 28, 5, 5), grey), 0);
    QCOMPARE(countColour(img, QRect(38, 48, 5, 5), grey), 0);
}

void tst_SurfacePaint::rubberBandIsErased() {
    SurfaceFixture f(200, 120);
    f.surface->setShape(TGBasePanel::lsRectangle);
    const QImage clean = f.surface->image().copy();
    f.surface->mouseDown(Qt::LeftButton, {}, 20, 20);
    f.surface->mouseMove(Qt::LeftButton, {}, 80, 60);
    const QImage& during = f.surface->image();
    // The band's outline inverts white to black, dotted: some pixels of its top edge change.
    QVERIFY(countColour(during, QRect(20, 20, 60, 1), black) > 10);
    QVERIFY(countColour(during, QRect(20, 20, 60, 1), white) > 10);
    // A repaint keeps the band shown.
    f.surface->invalidate();
    QVERIFY(countColour(f.surface->image(), QRect(20, 20, 60, 1), black) > 10);
    f.surface->mouseMove(Qt::LeftButton, {}, 100, 90);
    QCOMPARE(countColour(f.surface->image(), QRect(81, 21, 1, 1), black), 0);
    f.surface->mouseUp(Qt::LeftButton, {}, 100, 90);
    QCOMPARE(f.surface->image(), clean);
}

void tst_SurfacePaint::backgroundArt() {
    SurfaceFixture f(100, 60);
    f.surface->setShape(TGBasePanel::lsEllipse);
    QImage art(10, 6, QImage::Format_RGB32);
    art.fill(Qt::red);
    const QString file = f.home.filePath("art.bmp");
    QVERIFY(art.save(file));
    f.surface->loadBackground(file);
    QVERIFY(f.surface->colorPicture());
    const QImage& img = f.surface->image();
    QCOMPARE(img.pixel(50, 30), qRgb(255, 0, 0)); // stretched over the whole card
    QCOMPARE(img.pixel(1, 1), white);             // clipped to the card's ellipse
    f.surface->clearBackground();
    QCOMPARE(f.surface->image().pixel(50, 30), white);
    // A file that is not a picture leaves the card without art.
    f.surface->loadBackground(f.home.filePath("missing.bmp"));
    QVERIFY(!f.surface->colorPicture());
}

QTEST_MAIN(tst_SurfacePaint)
#include "tst_SurfacePaint.moc"
