// The effect text: its layout and size rules, the letters filled, shadowed and outlined
// through the text path, the setter rules, the card file round trip, the tool with the
// properties dialog and its symbol chooser, and the letters printed as vector outlines.
#include "support/DialogControl.h"
#include "support/PaintedObject.h"
#include "support/PdfReadBack.h"
#include "support/SurfaceFixture.h"

#include "document/TGLabelObjectFiler.h"
#include "objects/shapes/ShapeKinds.h"
#include "objects/shapes/TGSuperText.h"
#include "objects/shapes/TSuperShape.h"
#include "objects/shapes/TSuperShapeProperties.h"
#include "objects/shapes/TSuperTextGetSymbol.h"
#include "objects/shapes/TSuperTextProperties.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/drawing/TextMetrics.h"
#include "platform/report/PdfReportTarget.h"
#include "platform/report/Report.h"
#include "platform/widgets/ColorComboBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

namespace {
constexpr QRgb green = 0xFF00FF00, red = 0xFFFF0000, blue = 0xFF0000FF, black = 0xFF000000;
constexpr TColor cRed = 0x0000FF, cBlue = 0xFF0000;

int count(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) | 0xFF000000) == colour) ++n;
    return n;
}

struct Fixture : SurfaceFixture {
    Fixture() { ShapeKinds::registerAll(*surface); }
};
} // namespace

class tst_SuperText : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { platform::ScreenMetrics::setPixelsPerInch(96); }
    void layoutOrigins();
    void sizeRules();
    void captionCutToFit();
    void zoomScalesFontAndDepth();
    void layers_data();
    void layers();
    void gradientAcrossTheLetters();
    void emptyCaptionShowsCrossedFrame();
    void setterRules();
    void cardRoundTrip();
    void toolAndDialog();
    void emptyTextKeepsDialogOpen();
    void textFromToolShowsWhole_data();
    void textFromToolShowsWhole();
    void sampleLargerThanPanelShowsWhole();
    void fontSizeBox_data();
    void fontSizeBox();
    void shadowNamesMatchEffectShape();
    void symbolChooser();
    void symbolChooserShowsEveryCell();
    void lettersPrintAsVectors();
};

void tst_SuperText::layoutOrigins() {
    TGSuperText t;
    t.setShadowOrientation(TGSuperText::sdDownLeft);
    t.setShadowDepth(4);
    t.layout();
    QCOMPARE(t.textOrigin(), QPoint(9, 0));
    QCOMPARE(t.shadowOrigin(), QPoint(5, 4));
}

void tst_SuperText::sizeRules() {
    TGSuperText t;
    t.setShadowDepth(4);
    const int th = platform::TextMetrics(t.textFont().gdiFont()).tmHeight;
    const int f = th + 4;
    t.setBounds(0, 0, 300, 100);
    t.layout();
    QCOMPARE(t.height(), int(f * 1.2)); // transparent, borderless: shrinks to the text
    t.setBorderStyle(Gdi::bsSingle);
    t.setBounds(0, 0, 300, 100);
    t.layout();
    QCOMPARE(t.height(), 100); // with a border it keeps its height
    t.setBounds(0, 0, 300, 10);
    t.layout();
    QCOMPARE(t.height(), f); // never lower than the text
    t.setBounds(0, 0, 4, 100);
    t.layout();
    QCOMPARE(t.width(),
             platform::TextMetrics(t.textFont().gdiFont()).textWidth(QStringLiteral("Text ")));
}

void tst_SuperText::captionCutToFit() {
    TGSuperText t;
    t.setCaption(QStringLiteral("Wide caption"));
    t.setBounds(0, 0, 120, 80);
    t.layout();
    const QString shown = t.shownText();
    QVERIFY(!shown.isEmpty());
    QVERIFY(QStringLiteral("Wide caption").startsWith(shown) && shown.size() < 12);
    const platform::TextMetrics tm(t.textFont().gdiFont());
    QVERIFY(tm.textWidth(shown) <= 120 - 5);
    QVERIFY(tm.textWidth(QStringView(t.caption()).left(shown.size() + 1).toString()) > 115);
    QCOMPARE(t.caption(), QStringLiteral("Wide caption"));
}

void tst_SuperText::zoomScalesFontAndDepth() {
    TGSuperText t;
    t.setShadowDepth(5);
    t.setZoomFactor(0.5f);
    t.layout();
    QCOMPARE(t.shadowOrigin() - t.textOrigin(), QPoint(2, 2));
    QCOMPARE(platform::GdiFont::pointsForHeight(t.textFont().gdiFont(0.5f).height), 24);
}

void tst_SuperText::layers_data() {
    QTest::addColumn<int>("surface");
    QTest::addColumn<bool>("shadow");
    QTest::addColumn<bool>("outline");
    QTest::addColumn<QRgb>("colour"); // a colour the paint must show
    QTest::addColumn<QRgb>("absent"); // one it must not
    QTest::newRow("normal face in the font colour")
        << int(TGSuperText::stNormal) << false << false << red << blue;
    QTest::newRow("shadow") << int(TGSuperText::stBrushTransparent) << true << false << blue << red;
    QTest::newRow("outline only") << int(TGSuperText::stBrushTransparent) << false << true << black
                                  << red;
}

void tst_SuperText::layers() {
    QFETCH(int, surface);
    QFETCH(bool, shadow);
    QFETCH(bool, outline);
    QFETCH(QRgb, colour);
    QFETCH(QRgb, absent);
    TGSuperText t;
    t.setCaption(QStringLiteral("HI"));
    t.setBounds(0, 0, 200, 80);
    t.font()->setColor(cRed);
    t.setGradientFromColor(cRed);
    t.setGradientToColor(0x00FF00);
    t.setSurfaceType(TGSuperText::TSurfaceType(surface));
    t.setShadowColor(cBlue);
    t.setShadowDepth(shadow ? 4 : 0);
    t.setOutlineWidth(outline ? 1 : 0);
    const QImage image = painted(t);
    QVERIFY(count(image, colour) > 0);
    QCOMPARE(count(image, absent), 0);
}

void tst_SuperText::gradientAcrossTheLetters() {
    TGSuperText t;
    t.setCaption(QStringLiteral("MMMM"));
    t.setGradientFromColor(cRed);
    t.setGradientToColor(cBlue);
    t.setOutlineWidth(0);
    t.fitToText();
    const QImage image = painted(t);
    const QRect ink = PdfReadBack::inkBounds(image, [](QRgb p) { return qGreen(p) < 100; });
    QVERIFY(!ink.isEmpty());
    // The start colour at the left, the end colour at the right.
    auto column = [&](int x) {
        for (int y = ink.top(); y <= ink.bottom(); ++y)
            if (qGreen(image.pixel(x, y)) < 100) return image.pixel(x, y);
        return QRgb(0);
    };
    QVERIFY(qRed(column(ink.left())) > qBlue(column(ink.left())));
    QVERIFY(qBlue(column(ink.right())) > qRed(column(ink.right())));
}

void tst_SuperText::emptyCaptionShowsCrossedFrame() {
    TGSuperText t;
    t.setCaption(QString());
    t.font()->setSize(10);
    t.setBorderStyle(Gdi::bsSingle); // keeps its height
    t.setBounds(0, 0, 60, 60);
    t.layout();
    QCOMPARE(t.height(), 60);
    const QImage image = painted(t);
    QCOMPARE(image.pixel(0, 0) | 0xFF000000, black);
    QCOMPARE(image.pixel(30, 30) | 0xFF000000, black); // on a diagonal
    QCOMPARE(image.pixel(30, 10) | 0xFF000000, green);
}

void tst_SuperText::setterRules() {
    TGSuperText t;
    t.setOutlineStyle(Gdi::psClear);
    t.setSurfaceType(TGSuperText::stBrushImage);
    t.setTexture(QImage(3, 3, QImage::Format_RGB32));
    t.setSurfaceType(TGSuperText::stBrushTransparent);
    QCOMPARE(t.outlineStyle(), Gdi::psSolid); // the letters stay visible
    QVERIFY(t.texture().isNull());
    t.setShadowDepth(-1);
    t.setOutlineWidth(5000);
    QCOMPARE(t.shadowDepth(), 0);
    QCOMPARE(t.outlineWidth(), 1);
}

void tst_SuperText::cardRoundTrip() {
    Fixture f;
    auto* t = new TGSuperText(f.surface->owner());
    f.surface->addObject(t, QRect(10, 20, 200, 60));
    QImage texture(5, 6, QImage::Format_RGB32);
    texture.fill(qRgb(1, 2, 3));
    t->setShadowDepth(6);
    t->setShadowOrientation(TGSuperText::sdLeft);
    t->setShadowColor(0x102030);
    t->setBorderStyle(Gdi::bsSingle);
    t->setControlTransparent(false);
    t->setBGColor(0xC0C0C0);
    t->setCaption(QStringLiteral("Caf\u00e9 Orlanto"));
    t->font()->setName(QStringLiteral("DejaVu Serif"));
    t->font()->setSize(30);
    t->font()->setStyle(Gdi::fsItalic);
    t->font()->setColor(0x0000FF);
    t->setFillDirection(Effect::gdDown);
    t->setGradientToColor(0x00FF00);
    t->setGradientFromColor(0x800080);
    t->setSurfaceType(TGSuperText::stBrushImage);
    t->setTexture(texture);
    t->setOutlineColor(0x808000);
    t->setOutlineStyle(Gdi::psDot);
    t->setOutlineWidth(3);
    t->setLastBitmapFileNameandPath(QStringLiteral("/tmp/textures/wood.bmp"));
    TGLabelObjectFiler filer(f.surface->classes());
    const QByteArray bytes = filer.writeObjects({t});
    const auto read = filer.readObjects(bytes, f.surface->owner(), *f.surface);
    auto* back = qobject_cast<TGSuperText*>(read.front());
    QVERIFY(back);
    const QMetaObject* mo = t->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < mo->propertyCount(); ++i) {
        const QMetaProperty p = mo->property(i);
        if (qstrcmp(p.name(), "Image") == 0 || qstrcmp(p.name(), "Font") == 0) continue;
        QVERIFY2(p.read(back) == p.read(t), p.name());
    }
    QVERIFY(back->textFont().sameAs(t->textFont()));
    QCOMPARE(back->texture(), t->texture());
    const QByteArray again = filer.writeObjects({back});
    QCOMPARE(again.mid(again.indexOf("Left")), bytes.mid(bytes.indexOf("Left")));
    // The stored defaults of the shadow are left out.
    TGSuperText plain;
    const QByteArray defaults = filer.writeObjects({&plain});
    QVERIFY(!defaults.contains("ShadowDepth") && !defaults.contains("Shadowcolor"));
    QVERIFY(defaults.contains("GradientFromColor"));
}

void tst_SuperText::toolAndDialog() {
    Fixture f;
    f.dialogs.dialogs.push_back([](QDialog& d) {
        auto& props = dynamic_cast<TSuperTextProperties&>(d);
        control<QLineEdit>(props, "CaptionText")->setText(QStringLiteral("Hello"));
        control<QComboBox>(props, "SurfaceTypeCombo")->setCurrentIndex(0);
        control<platform::ColorComboBox>(props, "FontColorButton")->setColor(cRed);
        emit control<platform::ColorComboBox>(props, "FontColorButton")->colorChanged(cRed);
        control<QComboBox>(props, "ShadowOrientationCombo")->setCurrentIndex(2);
        control<QSpinBox>(props, "ShadowDepthSpinner")->setValue(3);
        d.findChild<QPushButton*>("OKButton")->click();
        return d.result();
    });
    f.surface->setPanelState(TGBusinessCardPanel32::psSuperText);
    f.drag({20, 20}, {200, 80});
    QCOMPARE(f.dialogs.dialogTitles, QStringList{QStringLiteral("SuperText Properties")});
    auto* t = qobject_cast<TGSuperText*>(f.surface->objects().front());
    QVERIFY(t);
    QCOMPARE(t->caption(), QStringLiteral("Hello"));
    QCOMPARE(t->surfaceType(), TGSuperText::stNormal);
    QCOMPARE(t->textFont().color(), TColor(cRed));
    QCOMPARE(t->shadowOrientation(), TGSuperText::sdLeft);
    QCOMPARE(t->shadowDepth(), 3);
    QVERIFY(f.changes > 0);
    // The popup offers the object's own commands.
    for (const char* caption : {"Font", "Transparent", "Background Color", "Border", "Properties"})
        QVERIFY2(t->objectMenu()->find(QLatin1String(caption)), caption);
}

void tst_SuperText::emptyTextKeepsDialogOpen() {
    SurfaceFixture f;
    TGSuperText t;
    TSuperTextProperties d(t);
    control<QLineEdit>(d, "CaptionText")->setText(QString());
    d.okButtonClick();
    QCOMPARE(f.dialogs.messages, QStringList{QStringLiteral("Please enter some text")});
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(t.caption(), QStringLiteral("Text"));
}

void tst_SuperText::textFromToolShowsWhole_data() {
    QTest::addColumn<QPoint>("releaseAt"); // the press is at (20, 20)
    QTest::newRow("click") << QPoint(20, 20);
    QTest::newRow("narrow box") << QPoint(80, 40);
}

void tst_SuperText::textFromToolShowsWhole() {
    QFETCH(QPoint, releaseAt);
    Fixture f;
    QSize fitted;
    f.dialogs.dialogs.push_back([&](QDialog& d) {
        auto& props = dynamic_cast<TSuperTextProperties&>(d);
        control<QLineEdit>(props, "CaptionText")->setText(QStringLiteral("Sunrise Bay"));
        // "Ok" at once, before the fit's timer has run.
        d.findChild<QPushButton*>("OKButton")->click();
        fitted = props.sample.bounds().size();
        return d.result();
    });
    f.surface->setPanelState(TGBusinessCardPanel32::psSuperText);
    if (releaseAt == QPoint(20, 20))
        f.click(20, 20);
    else
        f.drag({20, 20}, releaseAt);
    auto* t = qobject_cast<TGSuperText*>(f.surface->objects().front());
    QVERIFY(t);
    t->layout();
    QCOMPARE(t->bounds().size(), fitted);
    QCOMPARE(t->shownText(), QStringLiteral("Sunrise Bay"));
    QCOMPARE(t->bounds().topLeft(), QPoint(20, 20));
}

void tst_SuperText::sampleLargerThanPanelShowsWhole() {
    SurfaceFixture f;
    TGSuperText t;
    t.setCaption(QStringLiteral("Sunrise Bay"));
    t.font()->setSize(72);
    t.setControlTransparent(false);
    t.setBGColor(cRed);
    t.setBorderStyle(Gdi::bsSingle);
    TSuperTextProperties d(t);
    d.fitSample();
    auto* panel = d.findChild<QFrame*>(QStringLiteral("PreviewPanel"));
    QVERIFY(panel);
    const QRect room = panel->contentsRect();
    QVERIFY(d.sample.width() > room.width()); // the case: a sample wider than the panel
    QCOMPARE(d.sample.shownText(), QStringLiteral("Sunrise Bay"));
    const QImage image = panel->grab().toImage().copy(room);
    // The red box shows whole: its black frame's right edge is inside the panel.
    const int y = image.height() / 4;
    int right = image.width() - 1;
    while (right > 0 && (image.pixel(right, y) | 0xFF000000) == 0xFFFFFFFF)
        --right;
    QVERIFY2(qGray(image.pixel(right, y)) < 64, "the sample is cut at the panel's right edge");
    QCOMPARE(image.pixel(right - 3, y) | 0xFF000000, red);
    int bottom = image.height() - 1;
    while (bottom > 0 && (image.pixel(right - 3, bottom) | 0xFF000000) == 0xFFFFFFFF)
        --bottom;
    QVERIFY2(qGray(image.pixel(right - 3, bottom)) < 64, "the sample is cut at the panel's bottom");
}

void tst_SuperText::fontSizeBox_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("change");
    QTest::newRow("up arrow") << int(Qt::Key_Up) << 1;
    QTest::newRow("down arrow") << int(Qt::Key_Down) << -1;
    QTest::newRow("page up") << int(Qt::Key_PageUp) << 10;
    QTest::newRow("page down") << int(Qt::Key_PageDown) << -10;
}

void tst_SuperText::fontSizeBox() {
    QFETCH(int, key);
    QFETCH(int, change);
    SurfaceFixture f;
    TGSuperText t;
    TSuperTextProperties d(t);
    auto* box = d.findChild<QSpinBox*>(QStringLiteral("RapidChangeFontSize"));
    QVERIFY(box);
    QVERIFY(!box->toolTip().isEmpty());
    QCOMPARE(box->value(), 48);
    d.fitSample();
    const int width = d.sample.width();
    QTest::keyClick(box, Qt::Key(key));
    QCOMPARE(d.sample.textFont().size(), 48 + change);
    QCOMPARE(box->value(), 48 + change);
    // The sample is fitted to the new size at once.
    QCOMPARE(d.sample.width() > width, change > 0);
}

void tst_SuperText::shadowNamesMatchEffectShape() {
    SurfaceFixture f;
    TGSuperText text;
    TSuperTextProperties textDialog(text);
    TSuperShape shape;
    TSuperShapeProperties shapeDialog(shape);
    auto names = [](QComboBox* combo) {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    };
    const QStringList t = names(control<QComboBox>(textDialog, "ShadowOrientationCombo"));
    const QStringList s = names(control<QComboBox>(shapeDialog, "ShadowOrientationCombo"));
    // The directions both dialogs offer carry one name.
    QCOMPARE(t.value(TGSuperText::sdNone), s.value(TSuperShape::soNone));
    QCOMPARE(t.value(TGSuperText::sdDownRight), s.value(TSuperShape::soLowerRight));
    QCOMPARE(t.value(TGSuperText::sdDownLeft), s.value(TSuperShape::soLowerLeft));
}

void tst_SuperText::symbolChooser() {
    SurfaceFixture f;
    QString symbol, font;
    if (TSuperTextGetSymbol::symbolFonts().isEmpty()) {
        QVERIFY(!TSuperTextGetSymbol::execute(symbol, font));
        QCOMPARE(f.dialogs.messages, QStringList{QStringLiteral("No Symbol fonts installed")});
        return;
    }
    f.dialogs.dialogs.push_back([](QDialog& d) {
        auto& chooser = dynamic_cast<TSuperTextGetSymbol&>(d);
        if (chooser.windowTitle() != QStringLiteral("Symbol Selector") ||
            control<QTableWidget>(chooser, "SymbolGrid")->columnCount() != 15)
            return int(QDialog::Rejected);
        control<QTableWidget>(chooser, "SymbolGrid")->setCurrentCell(2, 3); // code 32 + 33
        return int(QDialog::Accepted);
    });
    QVERIFY(TSuperTextGetSymbol::execute(symbol, font));
    QCOMPARE(symbol, QString(QChar(65)));
    QVERIFY(!font.isEmpty());
}

void tst_SuperText::symbolChooserShowsEveryCell() {
    // All fifteen columns (and every row) at one glance, without scroll bars.
    TSuperTextGetSymbol chooser;
    chooser.show();
    QCoreApplication::processEvents();
    QTableWidget& grid = *control<QTableWidget>(chooser, "SymbolGrid");
    QVERIFY(!grid.horizontalScrollBar()->isVisible());
    QVERIFY(!grid.verticalScrollBar()->isVisible());
    const int last = grid.columnCount() - 1, bottom = grid.rowCount() - 1;
    QVERIFY2(grid.columnViewportPosition(last) + grid.columnWidth(last) <= grid.viewport()->width(),
             qPrintable(QStringLiteral("viewport %1 wide").arg(grid.viewport()->width())));
    QVERIFY(grid.rowViewportPosition(bottom) + grid.rowHeight(bottom) <= grid.viewport()->height());
}

void tst_SuperText::lettersPrintAsVectors() {
    if (!PdfReadBack::available()) QSKIP("poppler-utils are not installed");
    SurfaceFixture f;
    TGSuperText t;
    t.setCaption(QStringLiteral("Ok"));
    t.setBounds(0, 0, 160, 80);
    t.setSurfaceType(TGSuperText::stNormal);
    t.font()->setColor(cRed);
    t.setOutlineWidth(0);
    const QString pdf = f.home.filePath(QStringLiteral("text.pdf"));
    platform::PdfReportTarget target(pdf, 300);
    platform::Report report(target);
    report.onPrint = [&](platform::Report& r) { t.print(r, 1.0, 1.0); };
    QVERIFY(report.run());
    // No bitmap: the letters are outlines, filled on the page.
    QVERIFY(PdfReadBack::embeddedImages(pdf).isEmpty());
    // The object's inches, (1, 1) to (2.67, 1.83), at 1200 dpi.
    const QImage part = PdfReadBack::render(pdf, 1200, QRect(1100, 1100, 2200, 1200));
    QVERIFY(!part.isNull());
    const QRect ink = PdfReadBack::inkBounds(
        part, [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60; });
    QVERIFY(ink.width() > 200 && ink.height() > 200);
    // Sharp: going right from the ink's first column, a row crosses from white to full red
    // within two pixels at 1200 dpi.
    const int y = ink.center().y();
    int x = 0;
    while (x < part.width() && qGray(part.pixel(x, y)) > 250)
        ++x;
    QVERIFY(x < part.width());
    int edge = x;
    while (edge < part.width() && qGreen(part.pixel(edge, y)) > 40)
        ++edge;
    QVERIFY2(edge - x <= 2, qPrintable(QString::number(edge - x)));
}

QTEST_MAIN(tst_SuperText)
#include "tst_SuperText.moc"
