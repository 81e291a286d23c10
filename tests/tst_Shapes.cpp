// Simple shapes and lines: what they paint (pen insets, zoomed widths, transparency,
// rounding), their popup commands and checks, the tools that create them, and printing.
#include "support/PaintedObject.h"
#include "support/SurfaceFixture.h"

#include "objects/shapes/ShapeKinds.h"
#include "objects/shapes/TBCShapes.h"
#include "objects/shapes/TGLineShape.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/report/Report.h"
#include "platform/report/StoredReport.h"
#include "platform/report/StoredReportTarget.h"

#include <QBuffer>
#include <QtTest>

#include <limits>

namespace {
constexpr QRgb white = 0xFFFFFFFF, black = 0xFF000000, green = 0xFF00FF00;

// The object painted in its own coordinates, one pixel in from the image's edges, over a
// green backdrop (so that what the object leaves alone shows).
QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x + 1, y + 1) | 0xFF000000;
}

struct ShapeFixture : SurfaceFixture {
    ShapeFixture() { ShapeKinds::registerAll(*surface); }
    template <class T> T* add(int l, int t, int w, int h) {
        auto* o = surface->place<T>(QRect(QPoint(l, t), QPoint(l + w, t + h)));
        return o;
    }
    // The submenu item of an object's popup, after the menu's refresh has run.
    platform::MenuModel::Item* item(TGGraphicControl* o, const QString& menu,
                                    const QString& caption) {
        o->objectMenu()->aboutToShow();
        platform::MenuModel::Item* m = o->objectMenu()->find(menu);
        return m && m->submenu ? m->submenu->find(caption) : nullptr;
    }
};

// A page at 100 pixels per inch with the object printed at one inch from the sheet's corner.
QImage printed(TGGraphicControl& o) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    platform::StoredReportTarget target(buffer, 100);
    platform::Report report(target);
    report.onPrint = [&o](platform::Report& r) { o.print(r, 1.0, 1.0); };
    if (!report.run()) return {};
    buffer.close();
    QBuffer in(&bytes);
    platform::StoredReport stored;
    QString error;
    if (!stored.load(in, error)) return {};
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    stored.paintPage(0, p, 100);
    return image;
}
} // namespace

class tst_Shapes : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { platform::ScreenMetrics::setPixelsPerInch(100); }
    void shapePenWidth_data();
    void shapePenWidth();
    void linePenWidth_data();
    void linePenWidth();
    void thickOutlineStaysInside();
    void transparency();
    void everyFigureFillsTheBounds();
    void rounding();
    void horizontalLineInset();
    void lineDirections_data();
    void lineDirections();
    void linesClippedToTheView_data();
    void linesClippedToTheView();
    void hugeLinePaintsWhatShows();
    void tools_data();
    void tools();
    void shapeColorCommands();
    void thicknessChecks();
    void roundingMenuDecidedAtBuild();
    void lineStyleCommands();
    void stretchToEdges_data();
    void stretchToEdges();
    void printShape();
    void printLine();
    void extremePenWidths_data();
    void extremePenWidths();
};

void tst_Shapes::shapePenWidth_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("expected");
    QTest::newRow("1 at 0.4 raised to 1") << 1 << 0.4f << 1;
    QTest::newRow("0 stays 0") << 0 << 1.5f << 0;
    QTest::newRow("3 at 1.5 halves to even") << 3 << 1.5f << 4;
    QTest::newRow("5 at 1.5 halves to even") << 5 << 1.5f << 8;
    QTest::newRow("3 at 1.1") << 3 << 1.1f << 3;
    QTest::newRow("7 at 1.0") << 7 << 1.0f << 7;
}

void tst_Shapes::shapePenWidth() {
    QFETCH(int, width);
    QFETCH(float, zoom);
    QFETCH(int, expected);
    TBCShapes s;
    s.pen()->setWidth(width);
    s.setZoomFactor(zoom);
    QCOMPARE(s.zoomedPenWidth(), expected);
}

void tst_Shapes::linePenWidth_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("expected");
    QTest::newRow("1 at 0.4 has no minimum") << 1 << 0.4f << 0;
    QTest::newRow("3 at 1.5") << 3 << 1.5f << 4;
    QTest::newRow("2 at 1.3") << 2 << 1.3f << 3;
}

void tst_Shapes::linePenWidth() {
    QFETCH(int, width);
    QFETCH(float, zoom);
    QFETCH(int, expected);
    TGLineShape l;
    l.pen()->setWidth(width);
    l.setZoomFactor(zoom);
    QCOMPARE(l.zoomedPenWidth(), expected);
}

void tst_Shapes::thickOutlineStaysInside() {
    // Pen 3 on 25 x 25: Rectangle from (1, 1) to (24, 24), the outline from edge to edge.
    TBCShapes s;
    s.pen()->setWidth(3);
    const QImage img = painted(s, 1, Clip::none);
    for (int y : {0, 12, 24}) {
        QCOMPARE(at(img, 0, y), black);
        QCOMPARE(at(img, 24, y), black);
        QCOMPARE(at(img, -1, y), green);
        QCOMPARE(at(img, 25, y), green);
    }
    QCOMPARE(at(img, 12, 2), black);
    QCOMPARE(at(img, 12, 3), white);
    QCOMPARE(at(img, 12, 25), green);

    // Zoomed to 1.5 the pen is 4 wide: Rectangle from (2, 2) to (24, 24), still inside.
    s.setZoomFactor(1.5f);
    const QImage z = painted(s, 1, Clip::none);
    QCOMPARE(at(z, 3, 12), black);
    QCOMPARE(at(z, 24, 12), black);
    QCOMPARE(at(z, 5, 12), white);
    // GDI puts the extra pixel of an even-width pen outside the figure's path (w / 2 before
    // it), which is what keeps this outline inside.
    QCOMPARE(at(z, 25, 12), green);
}

void tst_Shapes::transparency() {
    TBCShapes s;
    s.setBounds(0, 0, 30, 20);
    s.brush()->setColor(TColor::clRed);
    QCOMPARE(at(painted(s, 1, Clip::none), 15, 10), 0xFFFF0000);
    s.setTransparent(true);
    QCOMPARE(s.brush()->style(), Gdi::bsClear);
    QCOMPARE(at(painted(s, 1, Clip::none), 15, 10), green);
    QCOMPARE(at(painted(s, 1, Clip::none), 0, 10), black);
    s.setTransparent(false);
    QCOMPARE(s.brush()->style(), Gdi::bsSolid);
    QCOMPARE(at(painted(s, 1, Clip::none), 15, 10), 0xFFFF0000);
    // The pen's style is not used on screen: a dotted pen draws solid.
    s.pen()->setStyle(Gdi::psDot);
    const QImage img = painted(s, 1, Clip::none);
    for (int x = 2; x < 28; ++x)
        QCOMPARE(at(img, x, 0), black);
}

void tst_Shapes::everyFigureFillsTheBounds() {
    // A circle on a 100 x 40 object is an ellipse of 100 x 40.
    TBCShapes s;
    s.setBounds(0, 0, 100, 40);
    s.setShape(TGLabelShapes::stCircle);
    const QImage img = painted(s, 1, Clip::none);
    QCOMPARE(at(img, 50, 0), black);
    QCOMPARE(at(img, 50, 39), black);
    QCOMPARE(at(img, 0, 20), black);
    QCOMPARE(at(img, 99, 20), black);
    QCOMPARE(at(img, 2, 2), green);
    QCOMPARE(at(img, 50, 20), white);
    s.setShape(TGLabelShapes::stSquare);
    QCOMPARE(at(painted(s, 1, Clip::none), 99, 39), black);
}

void tst_Shapes::rounding() {
    // RoundPerc 25 on 120 x 60: corner ellipses 30 x 30, the straight left edge from y 15.
    TBCShapes s;
    s.setBounds(0, 0, 120, 60);
    s.setShape(TGLabelShapes::stRoundRect);
    QImage img = painted(s, 1, Clip::none);
    QCOMPARE(at(img, 0, 30), black);
    QCOMPARE(at(img, 0, 17), black);
    QCOMPARE(at(img, 0, 5), green);
    QCOMPARE(at(img, 1, 1), green);
    s.setRoundPerc(80); // 96 x 96 corners
    img = painted(s, 1, Clip::none);
    QCOMPARE(at(img, 0, 17), green);
}

void tst_Shapes::horizontalLineInset() {
    // Horizontal, pen 4, W = 100 at zoom 1: from (2, 2) to (99, 2), 4 pixels thick.
    TGLineShape l;
    l.setBounds(0, 0, 100, 15);
    l.pen()->setWidth(4);
    const QImage img = painted(l, 1, Clip::none);
    for (int y = 0; y < 4; ++y)
        QCOMPARE(at(img, 50, y), black);
    QCOMPARE(at(img, 50, 4), green);
    QCOMPARE(at(img, 1, 2), green);
    QCOMPARE(at(img, 2, 2), black);
    QCOMPARE(at(img, 98, 2), black);
    QCOMPARE(at(img, 99, 2), green); // the end point is left out
}

void tst_Shapes::lineDirections_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QList<QPoint>>("on");
    QTest::addColumn<QList<QPoint>>("off");
    QTest::newRow("vertical") << int(TGLineShape::stVertical) << QList<QPoint>{{0, 0}, {0, 39}}
                              << QList<QPoint>{{0, 40}, {1, 20}, {50, 0}};
    QTest::newRow("sloping up") << int(TGLineShape::stAngleSlopingUp)
                                << QList<QPoint>{{80, 0}, {40, 20}, {2, 39}}
                                << QList<QPoint>{{0, 0}, {79, 39}};
    QTest::newRow("sloping down") << int(TGLineShape::stAngleSlopingDown)
                                  << QList<QPoint>{{0, 0}, {40, 20}, {78, 39}}
                                  << QList<QPoint>{{79, 0}, {0, 39}};
}

void tst_Shapes::lineDirections() {
    QFETCH(int, style);
    QFETCH(QList<QPoint>, on);
    QFETCH(QList<QPoint>, off);
    TGLineShape l;
    l.setBounds(0, 0, 80, 40);
    l.setLineStyle(TGLineShape::TLineStyle(style));
    const QImage img = painted(l, 1, Clip::none);
    for (QPoint p : on)
        QVERIFY2(at(img, p.x(), p.y()) == black,
                 qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
    for (QPoint p : off)
        QVERIFY2(at(img, p.x(), p.y()) == green,
                 qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
}

void tst_Shapes::linesClippedToTheView_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<int>("style");
    QTest::newRow("across, shallow") << QPoint(-170, -20) << QPoint(230, 61) << int(Gdi::psSolid);
    QTest::newRow("across, steep") << QPoint(13, -190) << QPoint(31, 250) << int(Gdi::psSolid);
    QTest::newRow("diagonal, dotted") << QPoint(-100, -100) << QPoint(200, 200) << int(Gdi::psDot);
    QTest::newRow("upwards, dash-dot")
        << QPoint(250, -30) << QPoint(-220, 77) << int(Gdi::psDashDot);
    QTest::newRow("ends inside") << QPoint(-300, 5) << QPoint(20, 30) << int(Gdi::psDash);
    QTest::newRow("starts inside") << QPoint(30, 35) << QPoint(40, 299) << int(Gdi::psDashDotDot);
    QTest::newRow("misses the view") << QPoint(-300, -50) << QPoint(290, -2) << int(Gdi::psSolid);
}

void tst_Shapes::linesClippedToTheView() {
    // A one-pixel line is stepped only where it can show; the pixels and the dash phase in
    // a small view are those of the same line drawn whole on a large one.
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(int, style);
    const auto draw = [&](QImage& image, QPoint origin) {
        image.fill(white);
        QPainter p(&image);
        platform::Canvas c(p);
        c.translate(origin.x(), origin.y());
        c.pen.style = Gdi::TPenStyle(style);
        c.moveTo(from.x(), from.y());
        c.lineTo(to.x(), to.y());
    };
    QImage whole(1000, 1000, QImage::Format_RGB32), view(50, 40, QImage::Format_RGB32);
    draw(whole, QPoint(500, 500));
    draw(view, QPoint(0, 0));
    QCOMPARE(view, whole.copy(500, 500, 50, 40));
}

void tst_Shapes::hugeLinePaintsWhatShows() {
    // Any stored size is valid: a line a billion pixels wide and 2^31 - 1 high paints its
    // first pixels on the card at once, as the window's surface paints it.
    ShapeFixture f;
    auto* l = f.add<TGLineShape>(0, 0, 10, 10);
    l->setBounds(0, 0, 1000000000, 2147483647);
    l->setLineStyle(TGLineShape::stAngleSlopingDown);
    // And one wholly off the card, above and to the left of it.
    auto* off = f.add<TGLineShape>(0, 0, 10, 10);
    off->setBounds(std::numeric_limits<int>::min(), std::numeric_limits<int>::min(),
                   std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
    const QImage& card = f.surface->image();
    QCOMPARE(card.pixel(10, 21) | 0xFF000000, black);
    QCOMPARE(card.pixel(40, 86) | 0xFF000000, black);
    QCOMPARE(card.pixel(80, 172) | 0xFF000000, black);
    QCOMPARE(card.pixel(20, 21) | 0xFF000000, white);
}

void tst_Shapes::tools_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<QByteArray>("className");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QRect>("band");
    QTest::addColumn<QRect>("bounds");
    const QRect wide(QPoint(20, 30), QPoint(220, 45)), wideBounds(20, 30, 200, 15);
    QTest::newRow("rectangle") << int(TGBusinessCardPanel32::psRectangle) << QByteArray("TBCShapes")
                               << int(TGLabelShapes::stRectangle) << wide << wideBounds;
    QTest::newRow("ellipse") << int(TGBusinessCardPanel32::psEllipse) << QByteArray("TBCShapes")
                             << int(TGLabelShapes::stEllipse) << wide << wideBounds;
    QTest::newRow("round rectangle")
        << int(TGBusinessCardPanel32::psRoundRectangle) << QByteArray("TBCShapes")
        << int(TGLabelShapes::stRoundRect) << wide << wideBounds;
    // A line follows the drag; a click keeps the vertical line of the default band.
    const QByteArray line("TGLineShape");
    const int tool = TGBusinessCardPanel32::psLine;
    QTest::newRow("line dragged wide")
        << tool << line << int(TGLineShape::stHorizontal) << wide << wideBounds;
    QTest::newRow("line dragged tall")
        << tool << line << int(TGLineShape::stVertical) << QRect(QPoint(20, 30), QPoint(40, 130))
        << QRect(20, 30, 50, 100);
    QTest::newRow("line dragged tall and narrow")
        << tool << line << int(TGLineShape::stVertical) << QRect(QPoint(20, 30), QPoint(22, 130))
        << QRect(20, 30, 50, 100);
    QTest::newRow("line dragged wide and flat")
        << tool << line << int(TGLineShape::stHorizontal) << QRect(QPoint(20, 30), QPoint(120, 32))
        << QRect(20, 30, 100, 15);
    QTest::newRow("line clicked") << tool << line << int(TGLineShape::stVertical)
                                  << QRect(QPoint(20, 30), QPoint(20, 30)) << QRect(20, 30, 50, 15);
}

void tst_Shapes::tools() {
    QFETCH(int, state);
    QFETCH(QByteArray, className);
    QFETCH(int, kind);
    QFETCH(QRect, band);
    QFETCH(QRect, bounds);
    ShapeFixture f;
    f.surface->setPanelState(TGBusinessCardPanel32::TLPanelState(state));
    f.surface->createObjectInRect(band);
    QCOMPARE(f.surface->objects().size(), size_t(1));
    TGGraphicControl* o = f.surface->objects().front();
    QCOMPARE(o->metaObject()->className(), className.constData());
    QCOMPARE(o->bounds(), bounds);
    QCOMPARE(o->objectName(), QStringLiteral("Special1"));
    QVERIFY(o->objectMenu());
    if (auto* s = qobject_cast<TGLabelShapes*>(o)) {
        QCOMPARE(int(s->shape()), kind);
        QCOMPARE(s->objectMenu()->find("Degree of Rounding") != nullptr,
                 kind == TGLabelShapes::stRoundRect);
    } else {
        QCOMPARE(int(qobject_cast<TGLineShape*>(o)->lineStyle()), kind);
    }
}

void tst_Shapes::shapeColorCommands() {
    ShapeFixture f;
    auto* s = f.add<TBCShapes>(10, 10, 50, 30);
    s->setTransparent(true);
    int before = f.changes;
    f.dialogs.colors.push_back(std::nullopt); // cancelled
    QVERIFY(s->objectMenu()->trigger("Background Color"));
    QVERIFY(s->transparent());
    QCOMPARE(f.changes, before);

    // "Background Color" makes a transparent shape opaque.
    f.dialogs.colors.push_back(TColor(0x123456));
    QVERIFY(s->objectMenu()->trigger("Background Color"));
    QCOMPARE(s->brush()->color(), TColor(0x123456));
    QVERIFY(!s->transparent());
    QCOMPARE(f.changes, before + 1);
    // "Transparent" makes it transparent again without losing the colour.
    QVERIFY(s->objectMenu()->trigger("Transparent"));
    QVERIFY(s->transparent());
    QCOMPARE(s->brush()->color(), TColor(0x123456));
    s->objectMenu()->aboutToShow();
    QVERIFY(s->objectMenu()->find("Transparent")->checked);
    QVERIFY(s->objectMenu()->trigger("Transparent"));
    s->objectMenu()->aboutToShow();
    QVERIFY(!s->objectMenu()->find("Transparent")->checked);

    before = f.changes;
    f.dialogs.colors.push_back(TColor(TColor::clRed));
    QVERIFY(s->objectMenu()->trigger("Line Color"));
    QCOMPARE(s->pen()->color(), TColor(TColor::clRed));
    QCOMPARE(f.changes, before + 1);
}

void tst_Shapes::thicknessChecks() {
    ShapeFixture f;
    auto* s = f.add<TBCShapes>(10, 10, 50, 30);
    auto* l = f.add<TGLineShape>(10, 60, 50, 30);
    for (TGGraphicControl* o :
         {static_cast<TGGraphicControl*>(s), static_cast<TGGraphicControl*>(l)}) {
        const int before = f.changes;
        QVERIFY(f.item(o, "Line Thickness", "1 Point")->checked);
        QCOMPARE(o->objectMenu()->find("Line Thickness")->submenu->items().size(), size_t(10));
        QVERIFY(o->objectMenu()->find("Line Thickness")->submenu->trigger("10 Point"));
        QCOMPARE(f.changes, before + 1);
        QVERIFY(f.item(o, "Line Thickness", "10 Point")->checked);
        QVERIFY(!f.item(o, "Line Thickness", "1 Point")->checked);
    }
    // A stored width of 12 checks nothing.
    s->pen()->setWidth(12);
    for (const auto& item : s->objectMenu()->find("Line Thickness")->submenu->items()) {
        s->objectMenu()->aboutToShow();
        QVERIFY(!item.checked);
    }
}

void tst_Shapes::roundingMenuDecidedAtBuild() {
    ShapeFixture f;
    f.surface->setPanelState(TGBusinessCardPanel32::psRoundRectangle);
    f.surface->createObjectInRect(QRect(QPoint(20, 30), QPoint(220, 45)));
    auto* s = qobject_cast<TBCShapes*>(f.surface->objects().front());
    QVERIFY(f.item(s, "Degree of Rounding", "50 %"));
    QVERIFY(s->objectMenu()->find("Degree of Rounding")->submenu->trigger("50 %"));
    QCOMPARE(s->roundPerc(), 50);
    QVERIFY(!f.item(s, "Degree of Rounding", "50 %")->checked);
    // A later change of kind neither adds nor removes the submenu.
    s->setShape(TGLabelShapes::stRectangle);
    QVERIFY(s->objectMenu()->find("Degree of Rounding"));
    auto* r = f.add<TBCShapes>(0, 0, 50, 20);
    r->setShape(TGLabelShapes::stRoundSquare);
    QVERIFY(!r->objectMenu()->find("Degree of Rounding"));

    // Shapes read from a card build their menus only when first asked for, but by the kind
    // they were read with; a locked one shows "Locked" checked.
    s->setShape(TGLabelShapes::stRoundRect);
    r->setShape(TGLabelShapes::stRectangle);
    r->setLocked(true);
    const QString card = f.home.filePath(QStringLiteral("shapes.ORL"));
    f.surface->saveCard(card);
    ShapeFixture g;
    g.surface->loadCard(card);
    QCOMPARE(g.surface->objects().size(), size_t(2));
    auto* roundRead = qobject_cast<TBCShapes*>(g.surface->objects()[0]);
    auto* squareRead = qobject_cast<TBCShapes*>(g.surface->objects()[1]);
    roundRead->setShape(TGLabelShapes::stRectangle);
    squareRead->setShape(TGLabelShapes::stRoundRect);
    QVERIFY(roundRead->objectMenu()->find("Degree of Rounding"));
    QVERIFY(!squareRead->objectMenu()->find("Degree of Rounding"));
    QVERIFY(squareRead->objectMenu()->find("Locked")->checked);
}

void tst_Shapes::lineStyleCommands() {
    ShapeFixture f;
    auto* l = f.add<TGLineShape>(10, 10, 100, 30);
    QVERIFY(f.item(l, "Style", "Horizontal")->checked);
    const QStringList captions{"Horizontal", "Vertical", "Angled Sloping Up",
                               "Angled Sloping Down"};
    for (int s = 0; s < captions.size(); ++s) {
        const int before = f.changes;
        QVERIFY(l->objectMenu()->find("Style")->submenu->trigger(captions[s]));
        QCOMPARE(int(l->lineStyle()), s);
        QCOMPARE(f.changes, before + 1);
        for (int t = 0; t < captions.size(); ++t)
            QCOMPARE(f.item(l, "Style", captions[t])->checked, s == t);
    }
    f.dialogs.colors.push_back(TColor(0x00FF01));
    QVERIFY(l->objectMenu()->trigger("Color"));
    QCOMPARE(l->pen()->color(), TColor(0x00FF01));
}

void tst_Shapes::stretchToEdges_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("horizontal") << int(TGLineShape::stHorizontal) << QRect(0, 40, 336, 30);
    QTest::newRow("vertical") << int(TGLineShape::stVertical) << QRect(20, 0, 100, 192);
    QTest::newRow("diagonal") << int(TGLineShape::stAngleSlopingUp) << QRect(20, 40, 100, 30);
}

void tst_Shapes::stretchToEdges() {
    QFETCH(int, style);
    QFETCH(QRect, expected);
    ShapeFixture f;
    auto* l = f.add<TGLineShape>(20, 40, 100, 30);
    f.surface->processPendingEvents();
    l->setLineStyle(TGLineShape::TLineStyle(style));
    const int before = f.changes;
    QVERIFY(l->objectMenu()->trigger("Stretch To Edges"));
    QCOMPARE(l->bounds(), expected);
    QCOMPARE(f.changes, before + (expected == QRect(20, 40, 100, 30) ? 0 : 1));
    // Without a surface nothing happens.
    TGLineShape alone;
    alone.buildPopup();
    alone.setBounds(5, 5, 10, 10);
    QVERIFY(alone.objectMenu()->trigger("Stretch To Edges"));
    QCOMPARE(alone.bounds(), QRect(5, 5, 10, 10));
}

void tst_Shapes::printShape() {
    // At 100 pixels per inch: a shape at (50, 20), 100 x 40 prints at (150, 120)-(250, 160),
    // its 3-pixel pen as 3 hundredths of an inch, its style honoured.
    TBCShapes s;
    s.setBounds(50, 20, 100, 40);
    s.pen()->setWidth(3);
    s.brush()->setColor(TColor::clRed);
    const QImage img = printed(s);
    QVERIFY(!img.isNull());
    QCOMPARE(img.pixel(200, 140) | 0xFF000000, 0xFFFF0000);
    QCOMPARE(img.pixel(150, 140) | 0xFF000000, black);
    QCOMPARE(img.pixel(147, 140) | 0xFF000000, white);
    QCOMPARE(img.pixel(200, 120) | 0xFF000000, black);
    QCOMPARE(img.pixel(200, 165) | 0xFF000000, white);
}

void tst_Shapes::printLine() {
    // A vertical line prints at the object's left edge, while on screen it is inset.
    TGLineShape l;
    l.setBounds(50, 20, 30, 40);
    l.setLineStyle(TGLineShape::stVertical);
    l.pen()->setWidth(4);
    const QImage img = printed(l);
    QVERIFY(!img.isNull());
    QCOMPARE(img.pixel(150, 140) | 0xFF000000, black);
    QCOMPARE(img.pixel(156, 140) | 0xFF000000, white);
    QCOMPARE(img.pixel(150, 115) | 0xFF000000, white); // from T + h = 22
    QCOMPARE(at(painted(l, 1, Clip::none), 0, 20), black);
    QCOMPARE(at(painted(l, 1, Clip::none), 4, 20), green);
}

void tst_Shapes::extremePenWidths_data() {
    // A stored width may be any int. A pen wider than the shape covers it, on screen and on
    // the page; a negative width is no pen on screen (the figure lies outside the bounds, so
    // the fill shows) and hundredths of an inch on the page.
    QTest::addColumn<int>("width");
    QTest::addColumn<uint>("screen");
    QTest::addColumn<uint>("page");
    constexpr int intMax = std::numeric_limits<int>::max(),
                  intMin = std::numeric_limits<int>::min();
    const uint red = 0xFFFF0000;
    QTest::newRow("int max") << intMax << uint(black) << uint(black);
    QTest::newRow("int max - 1") << intMax - 1 << uint(black) << uint(black);
    QTest::newRow("2^30 + 1") << (1 << 30) + 1 << uint(black) << uint(black);
    QTest::newRow("int min") << intMin << red << uint(black);
    QTest::newRow("-(2^30 + 1)") << -(1 << 30) - 1 << red << uint(black);
}

void tst_Shapes::extremePenWidths() {
    QFETCH(int, width);
    QFETCH(uint, screen);
    QFETCH(uint, page);
    TBCShapes s;
    s.setBounds(50, 20, 100, 40);
    s.pen()->setWidth(width);
    s.brush()->setColor(TColor::clRed);
    for (float zoom : {1.0f, 1.5f}) {
        s.setZoomFactor(zoom);
        const QImage img = painted(s, 1, Clip::none);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 100; ++x)
                QCOMPARE(at(img, x, y), QRgb(screen));
    }
    // At 100 pixels per inch the shape prints over (150, 120)-(250, 160).
    s.setZoomFactor(1.0f);
    const QImage img = printed(s);
    QVERIFY(!img.isNull());
    for (int y = 120; y < 160; ++y)
        for (int x = 150; x < 250; ++x)
            QCOMPARE(img.pixel(x, y) | 0xFF000000, QRgb(page));
}

QTEST_MAIN(tst_Shapes)
#include "tst_Shapes.moc"
