// The effect shape and the fill engine it shares with the effect text: gradient bands,
// texture tiling, the star and the other figures, the shadow layouts, the setter rules,
// the card file round trip, the tool and the properties dialog with its texture chooser.
#include "support/CardBytes.h"
#include "support/DialogControl.h"
#include "support/PaintedObject.h"
#include "support/SurfaceFixture.h"

#include "document/TGLabelObjectFiler.h"
#include "objects/shapes/ShapeKinds.h"
#include "objects/shapes/TGBrushImageBrowser.h"
#include "objects/shapes/TSuperShape.h"
#include "objects/shapes/TSuperShapeProperties.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/widgets/ColorComboBox.h"
#include "platform/widgets/HelpViewer.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMetaProperty>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <sys/stat.h>

namespace {
constexpr QRgb green = 0xFF00FF00, red = 0xFFFF0000, blue = 0xFF0000FF, black = 0xFF000000;
constexpr TColor cBlue = 0xFF0000, cRed = 0x0000FF, cWhite = 0xFFFFFF, cBlack = 0;

// The object painted in its own coordinates over a green backdrop.
QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xFF000000;
}

// A shape with a plain surface and no outline, so that pixels show the figure alone.
void plain(TSuperShape& s, int w, int h, TSuperShape::TGPShapeType shape) {
    s.setBounds(0, 0, w, h);
    s.setShape(shape);
    s.setSurfaceType(TSuperShape::stBrushPattern);
    s.setBackColor(cBlue);
    s.setOutlineStyle(Gdi::psClear);
}

struct Fixture : SurfaceFixture {
    Fixture() { ShapeKinds::registerAll(*surface); }
};
} // namespace

class tst_SuperShape : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { platform::ScreenMetrics::setPixelsPerInch(96); }
    void mulDivRoundsHalvesAwayFromZero();
    void gradientBands_data();
    void gradientBands();
    void gradientBuiltOncePerChange();
    void textureTiles_data();
    void textureTiles();
    void starVertices();
    void starPixels();
    void polygonFigures_data();
    void polygonFigures();
    void shadowLayouts_data();
    void shadowLayouts();
    void setterRules();
    void cardRoundTrip();
    void cardValuesOutOfRangeAreRefused();
    void toolOpensDialogAndOkAppliesInOrder();
    void dialogCancelChangesNothing();
    void textureChooserLoadsIntoSample_data();
    void dialogKeepsItsSize();
    void textureChooserLoadsIntoSample();
    void textureChooserRefusesBadFiles();
    void textureLibraryOfferedFirst();
};

void tst_SuperShape::mulDivRoundsHalvesAwayFromZero() {
    QCOMPARE(TGEffectControl::mulDiv(1, 100, 256), 0);
    QCOMPARE(TGEffectControl::mulDiv(2, 100, 256), 1);   // 0.78
    QCOMPARE(TGEffectControl::mulDiv(1, 128, 256), 1);   // 0.5 away from zero
    QCOMPARE(TGEffectControl::mulDiv(-1, 128, 256), -1); // -0.5 away from zero
    QCOMPARE(TGEffectControl::mulDiv(5, 3, 0), -1);
    QCOMPARE(TGEffectControl::bandColor(Qt::black, Qt::white, 128), QColor(128, 128, 128));
}

void tst_SuperShape::gradientBands_data() {
    QTest::addColumn<int>("direction");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<int>("grey");
    // Black to white over 100 pixels: band 0 is empty, row 0 takes band 1, row 1 band 3,
    // row 99 band 254.
    QTest::newRow("down, row 0") << int(Effect::gdDown) << QPoint(5, 0) << 1;
    QTest::newRow("down, row 1") << int(Effect::gdDown) << QPoint(5, 1) << 3;
    QTest::newRow("down, row 99") << int(Effect::gdDown) << QPoint(5, 99) << 254;
    QTest::newRow("up: the end colour on top") << int(Effect::gdUp) << QPoint(5, 0) << 254;
    QTest::newRow("up, row 99") << int(Effect::gdUp) << QPoint(5, 99) << 1;
    QTest::newRow("right: the start colour at the left")
        << int(Effect::gdRight) << QPoint(0, 5) << 1;
    QTest::newRow("left, column 99") << int(Effect::gdLeft) << QPoint(99, 5) << 1;
}

void tst_SuperShape::gradientBands() {
    QFETCH(int, direction);
    QFETCH(QPoint, pixel);
    QFETCH(int, grey);
    TSuperShape s;
    const bool vertical = direction == Effect::gdUp || direction == Effect::gdDown;
    s.setBounds(0, 0, vertical ? 10 : 100, vertical ? 100 : 10);
    s.setShape(TSuperShape::gstRectangle);
    s.setOutlineStyle(Gdi::psClear);
    s.setBackColor(cBlack);
    s.setGradientToColor(cWhite);
    s.setFillDirection(Effect::TFillDirection(direction));
    QCOMPARE(at(painted(s), pixel.x(), pixel.y()), qRgb(grey, grey, grey));
}

void tst_SuperShape::gradientBuiltOncePerChange() {
    TSuperShape s;
    s.setBounds(0, 0, 40, 30);
    painted(s);
    const qint64 built = s.gradientBitmap().cacheKey();
    painted(s);
    QCOMPARE(s.gradientBitmap().cacheKey(), built); // a repaint reuses it
    s.setGradientToColor(cWhite);
    QVERIFY(s.gradientBitmap().cacheKey() != built);
    s.setBounds(0, 0, 60, 30);
    painted(s);
    QCOMPARE(s.gradientBitmap().size(), QSize(60, 30)); // a new size, a new bitmap
}

void tst_SuperShape::textureTiles_data() {
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("tile");
    QTest::newRow("zoom 1: 9 tiles of 10") << 1.0f << 25 << 10;
    QTest::newRow("zoom 2: tiles of 20") << 2.0f << 50 << 20;
}

void tst_SuperShape::textureTiles() {
    QFETCH(float, zoom);
    QFETCH(int, size);
    QFETCH(int, tile);
    // Blue with one red corner pixel: every tile shows where it starts.
    QImage texture(10, 10, QImage::Format_RGB32);
    texture.fill(blue);
    texture.setPixel(0, 0, red);
    TSuperShape s;
    s.setZoomFactor(zoom);
    plain(s, size, size, TSuperShape::gstRectangle);
    s.setSurfaceType(TSuperShape::stBrushImage);
    s.setTexture(texture);
    const QImage image = painted(s);
    int corners = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (at(image, x, y) == red) {
                QVERIFY2(x % tile < tile / 10 && y % tile < tile / 10,
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                if (x % tile == 0 && y % tile == 0) ++corners;
            }
    QCOMPARE(corners, 9);

    // A 1-pixel texture at a zoom that truncates its tile to nothing still paints.
    QImage dot(1, 1, QImage::Format_RGB32);
    dot.fill(red);
    s.setTexture(dot);
    s.setZoomFactor(0.5f);
    QCOMPARE(at(painted(s), 3, 3), red);
}

void tst_SuperShape::starVertices() {
    TSuperShape s;
    s.setBounds(0, 0, 100, 100);
    const QPolygon star = s.starPolygon(s.figureBox());
    QCOMPARE(star.size(), 10);
    QCOMPARE(star[0], QPoint(50, 4));
    QCOMPARE(star[1], QPoint(64, 31));
    // A regular pentagon: no inward points, a vertex straight above the centre.
    s.setShape(TSuperShape::gstPolyGon);
    s.setInVectorPercent(0);
    s.setVectors(5);
    const QPolygon pentagon = s.starPolygon(s.figureBox());
    QCOMPARE(pentagon.size(), 5);
    QCOMPARE(pentagon[0], QPoint(50, 4));
    QCOMPARE(pentagon[1], QPoint(94, 36)); // 46 at -18 degrees
    QCOMPARE(pentagon[4], QPoint(6, 36));
}

void tst_SuperShape::starPixels() {
    TSuperShape s;
    plain(s, 100, 100, TSuperShape::gstStar);
    const QImage image = painted(s);
    QCOMPARE(at(image, 50, 50), blue);  // centre
    QCOMPARE(at(image, 50, 8), blue);   // inside the top point
    QCOMPARE(at(image, 50, 2), green);  // above it
    QCOMPARE(at(image, 73, 18), green); // between two points, beyond the inner radius
}

void tst_SuperShape::polygonFigures_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<QPoint>("inside");
    QTest::addColumn<QPoint>("outside");
    QTest::newRow("diamond") << int(TSuperShape::gstDiamond) << QPoint(30, 20) << QPoint(5, 5);
    QTest::newRow("triangle left")
        << int(TSuperShape::gstTriangleLeft) << QPoint(55, 5) << QPoint(5, 5);
    QTest::newRow("triangle right")
        << int(TSuperShape::gstTriangleRight) << QPoint(5, 5) << QPoint(55, 5);
    QTest::newRow("triangle up") << int(TSuperShape::gstTriangleUp) << QPoint(30, 35)
                                 << QPoint(5, 5);
    QTest::newRow("triangle down")
        << int(TSuperShape::gstTriangleDown) << QPoint(30, 5) << QPoint(5, 35);
    QTest::newRow("ellipse") << int(TSuperShape::gstEllipse) << QPoint(30, 20) << QPoint(1, 1);
}

void tst_SuperShape::polygonFigures() {
    QFETCH(int, shape);
    QFETCH(QPoint, inside);
    QFETCH(QPoint, outside);
    TSuperShape s;
    plain(s, 60, 40, TSuperShape::TGPShapeType(shape));
    const QImage image = painted(s);
    QCOMPARE(at(image, inside.x(), inside.y()), blue);
    QCOMPARE(at(image, outside.x(), outside.y()), green);
}

void tst_SuperShape::shadowLayouts_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("orient");
    QTest::addColumn<QRect>("figure"); // left, top, right, bottom as a QRect's corners
    QTest::addColumn<QRect>("shadow");
    QTest::addColumn<QPoint>("shadowPixel");
    QTest::addColumn<QPoint>("figurePixel");
    const int rect = TSuperShape::gstRectangle;
    auto box = [](int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r, b)); };
    QTest::newRow("none") << rect << int(TSuperShape::soNone) << box(0, 0, 60, 40)
                          << box(0, 0, 0, 0) << QPoint(-1, -1) << QPoint(57, 37);
    QTest::newRow("lower right") << rect << int(TSuperShape::soLowerRight) << box(0, 0, 55, 35)
                                 << box(5, 5, 60, 40) << QPoint(57, 37) << QPoint(2, 2);
    QTest::newRow("upper right") << rect << int(TSuperShape::soUpperRight) << box(0, 5, 55, 40)
                                 << box(5, 0, 60, 35) << QPoint(57, 2) << QPoint(2, 37);
    QTest::newRow("upper left") << rect << int(TSuperShape::soUpperLeft) << box(5, 5, 60, 40)
                                << box(0, 0, 55, 35) << QPoint(2, 2) << QPoint(57, 37);
    QTest::newRow("lower left") << rect << int(TSuperShape::soLowerLeft) << box(5, 0, 60, 35)
                                << box(0, 5, 55, 40) << QPoint(2, 37) << QPoint(57, 2);
    QTest::newRow("diamond, sideways")
        << int(TSuperShape::gstDiamond) << int(TSuperShape::soLowerRight) << box(0, 0, 55, 40)
        << box(5, 0, 60, 40) << QPoint(57, 20) << QPoint(27, 20);
}

void tst_SuperShape::shadowLayouts() {
    QFETCH(int, shape);
    QFETCH(int, orient);
    QFETCH(QRect, figure);
    QFETCH(QRect, shadow);
    QFETCH(QPoint, shadowPixel);
    QFETCH(QPoint, figurePixel);
    TSuperShape s;
    plain(s, 60, 40, TSuperShape::TGPShapeType(shape));
    s.setShadowColor(cRed);
    s.setShadowOrient(TSuperShape::TShadowOrient(orient));
    const TSuperShape::Box f = s.figureBox(), sh = s.shadowBox();
    QCOMPARE(QRect(QPoint(f.left, f.top), QPoint(f.right, f.bottom)), figure);
    QCOMPARE(QRect(QPoint(sh.left, sh.top), QPoint(sh.right, sh.bottom)), shadow);
    const QImage image = painted(s);
    if (shadowPixel.x() >= 0) QCOMPARE(at(image, shadowPixel.x(), shadowPixel.y()), red);
    QCOMPARE(at(image, figurePixel.x(), figurePixel.y()), blue);

    // At zoom 0.5 the depth of 5 becomes 2; the outline width stays as stored.
    s.setZoomFactor(0.5f);
    QCOMPARE(s.zoomedShadowDepth(), 2);
}

void tst_SuperShape::setterRules() {
    TSuperShape s;
    s.setBounds(0, 0, 100, 100);
    // Out of range: ignored.
    s.setVectors(2);
    s.setVectors(61);
    s.setStartingAngle(360);
    s.setInVectorPercent(101);
    QCOMPARE(s.vectors(), 10);
    QCOMPARE(s.startingAngle(), 90);
    QCOMPARE(s.inVectorPercent(), 50);
    // A star forces its values back.
    s.setShape(TSuperShape::gstPolyGon);
    s.setInVectorPercent(0);
    s.setVectors(5);
    s.setStartingAngle(30);
    s.setShape(TSuperShape::gstStar);
    QCOMPARE(s.inVectorPercent(), 50);
    QCOMPARE(s.vectors(), 10);
    QCOMPARE(s.startingAngle(), 90);
    // A transparent surface drops the shadow, the pattern and a clear outline, and the
    // texture goes with any surface but a texture.
    s.setShadowOrient(TSuperShape::soLowerLeft);
    s.setPattern(Gdi::bsCross);
    s.setOutlineStyle(Gdi::psClear);
    s.setSurfaceType(TSuperShape::stBrushImage);
    s.setTexture(QImage(4, 4, QImage::Format_RGB32));
    s.setSurfaceType(TSuperShape::stBrushTransparent);
    QCOMPARE(s.shadowOrient(), TSuperShape::soNone);
    QCOMPARE(s.pattern(), Gdi::bsClear);
    QCOMPARE(s.outlineStyle(), Gdi::psSolid);
    QVERIFY(s.texture().isNull());
    // The depth held, measured against the size, refuses every later change.
    s.setBounds(0, 0, 8, 100);
    s.setShadowDepth(2);
    QCOMPARE(s.shadowDepth(), 5);
    s.setBounds(0, 0, 10, 100);
    s.setShadowDepth(9); // 5 is not more than half of 10: the new value is not compared
    QCOMPARE(s.shadowDepth(), 9);
}

void tst_SuperShape::cardRoundTrip() {
    Fixture f;
    auto* s = new TSuperShape(f.surface->owner());
    f.surface->addObject(s, QRect(10, 20, 120, 80));
    QImage texture(7, 5, QImage::Format_RGB32);
    texture.fill(qRgb(10, 200, 30));
    texture.setPixel(3, 2, qRgb(250, 1, 2));
    s->setBackColor(0x123456);
    s->setFillDirection(Effect::gdLeft);
    s->setForeColor(0x00FF00);
    s->setGradientToColor(0x654321);
    s->setSurfaceType(TSuperShape::stBrushImage);
    s->setTexture(texture);
    s->setShape(TSuperShape::gstPolyGon);
    s->setInVectorPercent(35);
    s->setOutlineColor(0x808080);
    s->setOutlineStyle(Gdi::psDashDot);
    s->setOutlineWidth(4);
    s->setPattern(Gdi::bsCross);
    s->setRoundPerc(40);
    s->setShadowColor(0xC0C0C0);
    s->setShadowDepth(7);
    s->setShadowOrient(TSuperShape::soUpperLeft);
    s->setStartingAngle(45);
    s->setVectors(7);
    s->setLastBitmapFileNameandPath(QStringLiteral("/home/ann/bmbrush/linen.bmp"));

    TGLabelObjectFiler filer(f.surface->classes());
    const QByteArray bytes = filer.writeObjects({s});
    const auto read = filer.readObjects(bytes, f.surface->owner(), *f.surface);
    QCOMPARE(read.size(), size_t(1));
    auto* back = qobject_cast<TSuperShape*>(read.front());
    QVERIFY(back);
    const QMetaObject* mo = s->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < mo->propertyCount(); ++i) {
        const QMetaProperty p = mo->property(i);
        if (qstrcmp(p.name(), "Image") == 0) continue;
        QVERIFY2(p.read(back) == p.read(s), p.name());
    }
    QCOMPARE(back->texture(), s->texture());
    QCOMPARE(back->lastBitmapFileNameandPath(), QStringLiteral("/home/ann/bmbrush/linen.bmp"));
    // Written again, the same properties (the names differ).
    const QByteArray again = filer.writeObjects({back});
    QCOMPARE(again.mid(again.indexOf("Left")), bytes.mid(bytes.indexOf("Left")));
}

void tst_SuperShape::cardValuesOutOfRangeAreRefused() {
    Fixture f;
    const QByteArray card =
        oneObjectCard("TSuperShape", {{"Left", TGValue::fromInt(0)},
                                      {"Top", TGValue::fromInt(0)},
                                      {"Width", TGValue::fromInt(60)},
                                      {"Height", TGValue::fromInt(60)},
                                      {"InVectorPercent", TGValue::fromInt(500)},
                                      {"OutlineWidth", TGValue::fromInt(-3)},
                                      {"ShadowDepth", TGValue::fromInt(2000000000)},
                                      {"StartingAngle", TGValue::fromInt(-1)},
                                      {"Vectors", TGValue::fromInt(1000)},
                                      {"Image.Data", TGValue::fromData(QByteArray(4, '\0'))}});
    TGLabelObjectFiler filer(f.surface->classes());
    const auto read = filer.readObjects(card, f.surface->owner(), *f.surface);
    auto* s = qobject_cast<TSuperShape*>(read.front());
    QVERIFY(s);
    QCOMPARE(s->inVectorPercent(), 50);
    QCOMPARE(s->outlineWidth(), 1);
    QCOMPARE(s->shadowDepth(), 5);
    QCOMPARE(s->startingAngle(), 90);
    QCOMPARE(s->vectors(), 10);
    QVERIFY(s->texture().isNull());
    painted(*s); // and it paints
}

void tst_SuperShape::toolOpensDialogAndOkAppliesInOrder() {
    Fixture f;
    f.dialogs.dialogs.push_back([](QDialog& d) {
        // Transparent first, then a shadow: the shape's shadow goes when its surface is
        // set after its shadow.
        d.findChild<QComboBox*>("SurfaceTypeCombo")->setCurrentIndex(0);
        d.findChild<QComboBox*>("ShadowOrientationCombo")->setCurrentIndex(1);
        d.findChild<QComboBox*>("ShapeCombo")->setCurrentIndex(3);
        d.findChild<QSpinBox*>("OutLineWidthSpinner")->setValue(3);
        return int(QDialog::Accepted);
    });
    f.surface->setPanelState(TGBusinessCardPanel32::psSuperShape);
    f.drag({20, 20}, {120, 90});
    QCOMPARE(f.dialogs.dialogTitles, QStringList{QStringLiteral("Super Shape Properties")});
    QCOMPARE(f.surface->objects().size(), size_t(1));
    auto* s = qobject_cast<TSuperShape*>(f.surface->objects().front());
    QVERIFY(s);
    QCOMPARE(s->shape(), TSuperShape::gstDiamond);
    QCOMPARE(s->surfaceType(), TSuperShape::stBrushTransparent);
    QCOMPARE(s->shadowOrient(), TSuperShape::soNone);
    QCOMPARE(s->outlineWidth(), 3);
    QVERIFY(f.changes > 0);
    QCOMPARE(f.surface->panelState(), TGBusinessCardPanel32::psPointing);
}

void tst_SuperShape::dialogCancelChangesNothing() {
    TSuperShape s;
    s.setBounds(0, 0, 80, 60);
    TSuperShapeProperties d(s);
    QCOMPARE(d.windowTitle(), QStringLiteral("Super Shape Properties"));
    for (int context : {40011, 40012, 40014})
        QVERIFY2(!platform::HelpViewer::topicPath(context).isEmpty(),
                 qPrintable(QString::number(context)));
    QCOMPARE(d.findChild<QPushButton*>("Helpbutton")->property("HelpContext").toInt(), 40011);
    QVERIFY(!d.findChild<QWidget*>("RoundPercent")->isVisibleTo(&d));
    d.findChild<QComboBox*>("ShapeCombo")->setCurrentIndex(1);
    QVERIFY(d.findChild<QWidget*>("RoundPercent")->isVisibleTo(&d));
    d.findChild<QSpinBox*>("ShadowDepthSpinner")->setValue(2);
    control<platform::ColorComboBox>(d, "BackGroundColorCombo2")->setColor(cWhite);
    QCOMPARE(d.sample.shape(), TSuperShape::gstRoundRect);
    QCOMPARE(d.sample.shadowDepth(), 2);
    // The gradient's start colour is the solid colour: a choice in one shows in the other.
    emit control<platform::ColorComboBox>(d, "BackGroundColorCombo2")->colorChanged(cWhite);
    QCOMPARE(d.sample.backColor(), TColor(cWhite));
    QCOMPARE(control<platform::ColorComboBox>(d, "BackGroundColorCombo")->color(), TColor(cWhite));
    d.findChild<QComboBox*>("ShadowOrientationCombo")->setCurrentIndex(3);
    QCOMPARE(d.sample.shadowOrient(), TSuperShape::soUpperLeft);
    // Nothing reached the shape itself.
    QCOMPARE(s.shape(), TSuperShape::gstStar);
    QCOMPARE(s.shadowDepth(), 5);
    QVERIFY(s.backColor() != TColor(cWhite));
}

void tst_SuperShape::textureChooserLoadsIntoSample_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("bitmap") << "Red.BMP" << QByteArray("BMP");
    QTest::newRow("today's format") << "red.png" << QByteArray("PNG");
}

void tst_SuperShape::dialogKeepsItsSize() {
    // The dialog as the shape tool opens it, shown: whichever option panel the shape and
    // the surface call for, the dialog keeps its size and its buttons their place.
    Fixture f;
    QStringList moved;
    f.dialogs.dialogs.push_back([&moved](QDialog& d) {
        d.show();
        QCoreApplication::processEvents();
        const auto* ok = d.findChild<QPushButton*>("OKButton");
        // The size it asks of the window system too, which shrinks a window to it.
        const QSize size = d.size(), asked = d.minimumSizeHint();
        const QPoint okAt = ok->mapTo(&d, QPoint());
        const auto check = [&](const char* combo, int items) {
            auto* c = d.findChild<QComboBox*>(combo);
            for (int i = 0; i < items; ++i) {
                c->setCurrentIndex(i);
                QCoreApplication::processEvents();
                if (d.size() != size || d.minimumSizeHint() != asked ||
                    ok->mapTo(&d, QPoint()) != okAt)
                    moved << QStringLiteral("%1 %2: %3 x %4 (asks %5), Ok at %6, %7")
                                 .arg(combo, c->currentText())
                                 .arg(d.width())
                                 .arg(d.height())
                                 .arg(d.minimumSizeHint().height())
                                 .arg(ok->mapTo(&d, QPoint()).x())
                                 .arg(ok->mapTo(&d, QPoint()).y());
            }
        };
        check("ShapeCombo", 9);
        check("SurfaceTypeCombo", 4);
        check("ShapeCombo", 9);
        return int(QDialog::Rejected);
    });
    f.surface->setPanelState(TGBusinessCardPanel32::psSuperShape);
    f.drag({20, 20}, {120, 90});
    QCOMPARE(f.dialogs.dialogTitles, QStringList{QStringLiteral("Super Shape Properties")});
    QVERIFY2(moved.isEmpty(), qPrintable(moved.join(QLatin1Char('\n'))));
}

void tst_SuperShape::textureChooserLoadsIntoSample() {
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    Fixture f;
    QImage art(12, 8, QImage::Format_RGB32);
    art.fill(red);
    const QString folder = f.home.filePath(QStringLiteral("bmbrush"));
    const QString file = folder + QLatin1Char('/') + name;
    QDir().mkpath(folder);
    QVERIFY(art.save(file, format.constData()));
    TSuperShape s;
    s.setBounds(0, 0, 80, 60);
    s.setSurfaceType(TSuperShape::stBrushImage);
    TSuperShapeProperties d(s);
    QString shown;
    f.dialogs.dialogs.push_back([&](QDialog& chooser) {
        // Qt's file dialog, listing today's picture formats; with nothing remembered it
        // starts in the texture folder. The user picks the file and opens it.
        auto* files = chooser.findChild<QFileDialog*>(QStringLiteral("FileDialog"));
        if (!files || QDir(files->directory()) != QDir(folder) ||
            !files->nameFilters().constFirst().contains(QStringLiteral("*.png")))
            return int(QDialog::Rejected);
        files->selectFile(name);
        static_cast<QDialog*>(files)->accept(); // as its Open button does
        shown = chooser.findChild<QLabel*>(QStringLiteral("TextureSize"))->text();
        return chooser.result();
    });
    control<QPushButton>(d, "LoadImageButton")->click();
    QCOMPARE(f.dialogs.dialogTitles.last(), QStringLiteral("Load Texture Image"));
    QCOMPARE(d.sample.texture().size(), QSize(12, 8));
    QCOMPARE(shown, QStringLiteral("12 × 8 pixels"));
    d.applyToShape();
    QCOMPARE(s.texture().size(), QSize(12, 8));
    QCOMPARE(QFileInfo(s.lastBitmapFileNameandPath()), QFileInfo(file));
}

void tst_SuperShape::textureChooserRefusesBadFiles() {
    Fixture f;
    const QString broken = f.home.filePath(QStringLiteral("broken.bmp"));
    QFile b(broken);
    QVERIFY(b.open(QIODevice::WriteOnly));
    b.write("BM not a bitmap at all");
    b.close();
    QVERIFY(TGBrushImageBrowser::loadTexture(broken).isNull());
    QCOMPARE(f.dialogs.errors, QStringList{QStringLiteral("Error loading file!")});
    // Other formats fail silently.
    const QString silent = f.home.filePath(QStringLiteral("broken.pcx"));
    QFile::copy(broken, silent);
    QVERIFY(TGBrushImageBrowser::loadTexture(silent).isNull());
    QCOMPARE(f.dialogs.messages.size(), 1);
    // A picture too large for a texture is refused from its header, with a message.
    const QString huge = f.home.filePath(QStringLiteral("huge.bmp"));
    QFile h(huge);
    QVERIFY(h.open(QIODevice::WriteOnly));
    QByteArray header(54, '\0');
    header[0] = 'B';
    header[1] = 'M';
    qToLittleEndian<quint32>(54, header.data() + 10);
    qToLittleEndian<quint32>(40, header.data() + 14);
    qToLittleEndian<qint32>(10000, header.data() + 18);
    qToLittleEndian<qint32>(10000, header.data() + 22);
    qToLittleEndian<quint16>(1, header.data() + 26);
    qToLittleEndian<quint16>(24, header.data() + 28);
    h.write(header);
    h.close();
    QVERIFY(TGBrushImageBrowser::loadTexture(huge).isNull());
    QCOMPARE(f.dialogs.messages.size(), 2);
    QVERIFY2(f.dialogs.messages.last().contains(QStringLiteral("10000 x 10000")),
             qPrintable(f.dialogs.messages.last()));
    // A pipe named like a picture is no picture: it is refused at once, not waited on.
    const QString pipe = f.home.filePath(QStringLiteral("pipe.bmp"));
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QVERIFY(TGBrushImageBrowser::loadTexture(pipe).isNull());
    QCOMPARE(f.dialogs.errors.last(), QStringLiteral("Error loading file!"));
}

void tst_SuperShape::textureLibraryOfferedFirst() {
    Fixture f; // a home without textures
    TGBrushImageBrowser chooser;
    chooser.start(QString(), TGBrushImageBrowser::textureFolder());
    const QDir folder(chooser.folder());
    QCOMPARE(folder, QDir(f.home.filePath(QStringLiteral("bmbrush"))));
    const QStringList names = folder.entryList(QDir::Files);
    QVERIFY2(names.size() >= 12, qPrintable(names.join(',')));
    // Every texture loads, and meets its own copy without a seam: the step from its last
    // column to its first is no larger than the largest step inside it.
    auto step = [](const QImage& t, int a, int b) {
        int sum = 0;
        for (int y = 0; y < t.height(); ++y) {
            const QRgb p = t.pixel(a, y), q = t.pixel(b, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
        return sum;
    };
    for (const QString& name : names) {
        const QImage t = TGBrushImageBrowser::loadTexture(folder.filePath(name));
        QVERIFY2(!t.isNull(), qPrintable(name));
        int largest = 0;
        for (int x = 0; x + 1 < t.width(); ++x)
            largest = std::max(largest, step(t, x, x + 1));
        QVERIFY2(step(t, t.width() - 1, 0) <= largest, qPrintable(name));
        const QImage rows = t.transformed(QTransform().rotate(90));
        largest = 0;
        for (int x = 0; x + 1 < rows.width(); ++x)
            largest = std::max(largest, step(rows, x, x + 1));
        QVERIFY2(step(rows, rows.width() - 1, 0) <= largest, qPrintable(name));
    }
    QVERIFY(f.dialogs.messages.isEmpty());
}

QTEST_MAIN(tst_SuperShape)
#include "tst_SuperShape.moc"
