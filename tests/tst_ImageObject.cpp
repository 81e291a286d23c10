// The picture object: auto-size at the zoom, the Stretch/AutoSize pair, what it paints
// (mirroring of bitmaps only, the empty white box, the border), its popup, the picture
// tool, and its pictures through the card file.
#include "support/CardBytes.h"
#include "support/PaintedObject.h"
#include "support/SurfaceFixture.h"

#include "document/TGFilerError.h"
#include "document/TGLabelObjectFiler.h"
#include "objects/shapes/ShapeKinds.h"
#include "objects/shapes/TGImage.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ScreenMetrics.h"

#include <QtTest>

Q_DECLARE_METATYPE(TGValue)

namespace {
constexpr QRgb white = 0xFFFFFFFF, black = 0xFF000000, green = 0xFF00FF00, red = 0xFFFF0000;
const QString dir = QStringLiteral(ORLANTO_FIXTURES "/pictures/");

// The object painted in its own coordinates, one pixel in from the image's edges, over a
// green backdrop.
QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x + 1, y + 1) | 0xFF000000;
}

// A white bitmap of w x h with only its top-left pixel red.
platform::Graphic markedBitmap(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(white);
    image.setPixel(0, 0, red);
    return platform::Graphic::fromImage(image);
}

// A fixture picture; an enhanced metafile (which no picture file extension names) from
// its bytes.
platform::Graphic fromFile(const QString& name) {
    platform::Graphic g;
    if (name.endsWith(QLatin1String(".emf"))) {
        QFile file(dir + name);
        if (file.open(QIODevice::ReadOnly))
            g = platform::Graphic::fromMetafileData(file.readAll()).value_or(g);
    } else {
        g.loadFromFile(dir + name);
    }
    if (g.isEmpty()) qWarning("fixture %s did not load", qPrintable(name));
    return g;
}

struct ImageFixture : SurfaceFixture {
    ImageFixture() { ShapeKinds::registerAll(*surface); }
    TGImage* add(int l, int t, int w, int h) {
        auto* o = surface->place<TGImage>(QRect(QPoint(l, t), QPoint(l + w, t + h)));
        surface->processPendingEvents();
        return o;
    }
    platform::MenuModel::Item* item(TGImage* o, const QString& caption) {
        o->objectMenu()->aboutToShow();
        return o->objectMenu()->find(caption);
    }
};

// A card file of one TGImage record with the given properties after its bounds.
QByteArray card(const CardProperties& props) {
    CardProperties all{{"Left", TGValue::fromInt(10)},
                       {"Top", TGValue::fromInt(10)},
                       {"Width", TGValue::fromInt(40)},
                       {"Height", TGValue::fromInt(30)}};
    all.insert(all.end(), props.begin(), props.end());
    return oneObjectCard("TGImage", all);
}
} // namespace

class tst_ImageObject : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { platform::ScreenMetrics::setPixelsPerInch(96); }
    void autoSize_data();
    void autoSize();
    void stretchAndAutoSizeStayOpposite();
    void mirroring_data();
    void mirroring();
    void metafileIgnoresFlipAndReverse_data();
    void metafileIgnoresFlipAndReverse();
    void emptyPictureIsWhiteBox();
    void metafileShowsWhatLiesBeneath();
    void border();
    void popupCommands();
    void tool();
    void cardFileRoundTrip_data();
    void cardFileRoundTrip();
    void defaultsLeftOut();
    void damagedPictureData_data();
    void damagedPictureData();
    void foreignGraphicClassLeavesPictureEmpty();
};

void tst_ImageObject::autoSize_data() {
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("pictureWidth");
    QTest::addColumn<int>("pictureHeight");
    QTest::addColumn<QSize>("expected");
    // The view's zoom leaves the card alone: the picture's own size in card pixels.
    QTest::newRow("200 x 100 shown at 1.5") << 1.5f << 200 << 100 << QSize(200, 100);
    QTest::newRow("200 x 100 at 1.0") << 1.0f << 200 << 100 << QSize(200, 100);
    QTest::newRow("odd size shown at 1.5") << 1.5f << 33 << 35 << QSize(33, 35);
    QTest::newRow("no picture keeps its size") << 1.5f << 0 << 0 << QSize(60, 40);
}

void tst_ImageObject::autoSize() {
    QFETCH(float, zoom);
    QFETCH(int, pictureWidth);
    QFETCH(int, pictureHeight);
    QFETCH(QSize, expected);
    ImageFixture f;
    f.surface->setZoom(zoom);
    TGImage* o = f.add(10, 20, 60, 40);
    QCOMPARE(o->zoomFactor(), 1.0f);
    if (pictureWidth > 0) o->picture()->setGraphic(markedBitmap(pictureWidth, pictureHeight));
    QCOMPARE(o->bounds().size(), QSize(60, 40)); // Stretch: the picture fills the object
    const int before = f.changes;
    o->setAutoSize(true);
    QVERIFY(!o->stretch());
    QCOMPARE(o->bounds(), QRect(QPoint(10, 20), expected));
    QVERIFY(f.changes > before);

    // Zooming back to 1.0 keeps the picture's own size.
    f.surface->setZoom(1.0f);
    if (pictureWidth > 0) QCOMPARE(o->bounds().size(), QSize(pictureWidth, pictureHeight));
}

void tst_ImageObject::stretchAndAutoSizeStayOpposite() {
    ImageFixture f;
    TGImage* o = f.add(10, 20, 60, 40);
    QVERIFY(o->stretch());
    QVERIFY(!o->autoSize());
    o->picture()->setGraphic(markedBitmap(80, 50));
    QVERIFY(f.item(o, "Stretch to Fit")->checked);
    QVERIFY(o->objectMenu()->trigger("AutoSize"));
    QVERIFY(o->autoSize());
    QVERIFY(!o->stretch());
    QCOMPARE(o->bounds(), QRect(10, 20, 80, 50));
    QVERIFY(f.item(o, "AutoSize")->checked);
    QVERIFY(!f.item(o, "Stretch to Fit")->checked);

    // "Stretch to Fit" turns AutoSize off and keeps the size; the card is changed.
    o->setBounds(10, 20, 30, 30);
    QCOMPARE(o->bounds(), QRect(10, 20, 80, 50)); // auto-sized objects keep the picture's size
    const int before = f.changes;
    QVERIFY(o->objectMenu()->trigger("Stretch to Fit"));
    QVERIFY(o->stretch());
    QVERIFY(!o->autoSize());
    QCOMPARE(o->bounds(), QRect(10, 20, 80, 50));
    QCOMPARE(f.changes, before + 1);
    o->setBounds(10, 20, 30, 30);
    QCOMPARE(o->bounds(), QRect(10, 20, 30, 30));
}

void tst_ImageObject::mirroring_data() {
    QTest::addColumn<bool>("flip");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<QPoint>("marked");
    QTest::newRow("neither") << false << false << QPoint(0, 0);
    QTest::newRow("reverse: column 0 at x = 99") << false << true << QPoint(99, 0);
    QTest::newRow("flip") << true << false << QPoint(0, 49);
    QTest::newRow("both") << true << true << QPoint(99, 49);
}

void tst_ImageObject::mirroring() {
    QFETCH(bool, flip);
    QFETCH(bool, reverse);
    QFETCH(QPoint, marked);
    TGImage o;
    o.setBounds(0, 0, 100, 50);
    o.picture()->setGraphic(markedBitmap(100, 50));
    o.setFlip(flip);
    o.setReverse(reverse);
    const QImage img = painted(o, 1);
    for (QPoint corner : {QPoint(0, 0), QPoint(99, 0), QPoint(0, 49), QPoint(99, 49)})
        QCOMPARE(at(img, corner.x(), corner.y()), corner == marked ? red : white);
    QCOMPARE(at(img, 100, 25), green);
}

void tst_ImageObject::metafileIgnoresFlipAndReverse_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("placeable WMF") << QStringLiteral("clipart.wmf");
    QTest::newRow("EMF") << QStringLiteral("drawing.emf");
}

void tst_ImageObject::metafileIgnoresFlipAndReverse() {
    QFETCH(QString, file);
    ImageFixture f;
    TGImage* o = f.add(0, 0, 120, 80);
    o->picture()->setGraphic(fromFile(file));
    QCOMPARE(o->graphic().kind(), platform::Graphic::Kind::Metafile);
    QVERIFY(!f.item(o, "Flip")->enabled);
    QVERIFY(!f.item(o, "Reverse")->enabled);
    const QImage plain = painted(*o, 1);
    o->setFlip(true);
    o->setReverse(true);
    QCOMPARE(painted(*o, 1), plain);
    // The picture drew something besides the white it is drawn on.
    bool ink = false;
    for (int y = 0; y < 80 && !ink; ++y)
        for (int x = 0; x < 120 && !ink; ++x)
            ink = at(plain, x, y) != white;
    QVERIFY(ink);

    // A bitmap enables them again.
    o->picture()->setGraphic(markedBitmap(10, 10));
    QVERIFY(f.item(o, "Flip")->enabled);
    QVERIFY(f.item(o, "Reverse")->enabled);
    QVERIFY(f.item(o, "Flip")->checked);
}

void tst_ImageObject::emptyPictureIsWhiteBox() {
    TGImage o;
    QCOMPARE(o.bounds(), QRect(0, 0, 105, 105));
    o.setBounds(0, 0, 40, 30);
    const QImage img = painted(o, 1);
    for (QPoint p : {QPoint(0, 0), QPoint(39, 0), QPoint(0, 29), QPoint(39, 29), QPoint(20, 0),
                     QPoint(39, 15)})
        QCOMPARE(at(img, p.x(), p.y()), black);
    QCOMPARE(at(img, 1, 1), white);
    QCOMPARE(at(img, 20, 15), white);
    QCOMPARE(at(img, 38, 28), white);
    QCOMPARE(at(img, 40, 15), green);
}

void tst_ImageObject::metafileShowsWhatLiesBeneath() {
    // An SVG drawing's undrawn parts show what lies beneath on screen, as they do on paper.
    ImageFixture f;
    TGImage* o = f.add(0, 0, 40, 20);
    o->picture()->setGraphic(*platform::Graphic::fromFileData(
        "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='20'>"
        "<rect x='10' y='5' width='20' height='10' fill='blue'/></svg>",
        QStringLiteral(".SVG")));
    const QImage img = painted(*o, 1);
    QCOMPARE(at(img, 2, 2), green);
    QCOMPARE(at(img, 20, 10), 0xFF0000FFu);
}

void tst_ImageObject::border() {
    ImageFixture f;
    TGImage* o = f.add(0, 0, 40, 30);
    o->picture()->setGraphic(markedBitmap(40, 30));
    QCOMPARE(at(painted(*o, 1), 39, 29), white);
    const int before = f.changes;
    QVERIFY(o->objectMenu()->trigger("Border"));
    QCOMPARE(o->borderStyle(), Gdi::bsSingle);
    QCOMPARE(f.changes, before + 1);
    QVERIFY(f.item(o, "Border")->checked);
    const QImage img = painted(*o, 1);
    QCOMPARE(at(img, 39, 29), black);
    QCOMPARE(at(img, 20, 0), black);
    QCOMPARE(at(img, 20, 15), white);
    o->setBorderStyle(Gdi::bsSingle); // unchanged: nothing happens
    QCOMPARE(f.changes, before + 1);
}

void tst_ImageObject::popupCommands() {
    ImageFixture f;
    TGImage* o = f.add(0, 0, 40, 30);
    QStringList captions;
    for (const auto& item : o->objectMenu()->items())
        captions << item.caption;
    QCOMPARE(captions.mid(captions.indexOf("Center Horizontally") + 1),
             (QStringList{"-", "Load Image From Disk", "-", "Border", "Stretch to Fit", "AutoSize",
                          "Flip", "Reverse"}));
    // Without a bitmap Flip and Reverse are disabled; with one they toggle and flag.
    QVERIFY(!f.item(o, "Flip")->enabled);
    QVERIFY(!o->objectMenu()->trigger("Flip"));
    o->picture()->setGraphic(markedBitmap(40, 30));
    for (const char* caption : {"Flip", "Reverse"}) {
        const int before = f.changes;
        QVERIFY(f.item(o, caption)->enabled);
        QVERIFY(o->objectMenu()->trigger(caption));
        QVERIFY(f.item(o, caption)->checked);
        QCOMPARE(f.changes, before + 1);
        QVERIFY(o->objectMenu()->trigger(caption));
        QVERIFY(!f.item(o, caption)->checked);
    }
}

void tst_ImageObject::tool() {
    ImageFixture f;
    f.surface->setPanelState(TGBusinessCardPanel32::psImage);
    bool sawPointing = false;
    f.dialogs.dialogs.push_back([&](QDialog&) {
        sawPointing = f.surface->panelState() == TGBusinessCardPanel32::psPointing &&
                      f.surface->screenCursor() == platform::Cursor::Default;
        return int(QDialog::Rejected);
    });
    f.surface->createObjectInRect(QRect(QPoint(20, 30), QPoint(220, 130)));
    QCOMPARE(f.dialogs.dialogTitles, QStringList{"Load Image File "});
    QVERIFY(sawPointing);
    QCOMPARE(f.surface->objects().size(), size_t(1));
    auto* o = qobject_cast<TGImage*>(f.surface->objects().front());
    QVERIFY(o);
    QCOMPARE(o->objectName(), QStringLiteral("Special1"));
    QCOMPARE(o->bounds(), QRect(20, 30, 200, 100));
    QVERIFY(o->objectMenu());
    QVERIFY(o->graphic().isEmpty());
}

void tst_ImageObject::cardFileRoundTrip_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("kind");
    QTest::newRow("bitmap") << QStringLiteral("rgb24.bmp") << int(platform::Graphic::Kind::Bitmap);
    QTest::newRow("icon") << QStringLiteral("icon.ico") << int(platform::Graphic::Kind::Icon);
    QTest::newRow("placeable WMF")
        << QStringLiteral("clipart.wmf") << int(platform::Graphic::Kind::Metafile);
    QTest::newRow("EMF") << QStringLiteral("drawing.emf") << int(platform::Graphic::Kind::Metafile);
}

void tst_ImageObject::cardFileRoundTrip() {
    QFETCH(QString, file);
    QFETCH(int, kind);
    ImageFixture from, to;
    TGImage* o = from.add(10, 20, 60, 40);
    o->picture()->setGraphic(fromFile(file));
    QCOMPARE(int(o->graphic().kind()), kind);
    o->setAutoSize(true);
    o->setBorderStyle(Gdi::bsSingle);
    o->setFlip(true);
    o->setReverse(true);

    TGLabelObjectFiler writer(from.surface->classes());
    const QByteArray bytes = writer.writeObjects({o});
    QVERIFY(bytes.contains("\x0CPicture.Data\x0A"));
    TGLabelObjectFiler reader(to.surface->classes());
    const std::vector<TGGraphicControl*> back =
        reader.readObjects(bytes, to.surface->owner(), *to.surface);
    QCOMPARE(back.size(), size_t(1));
    auto* r = qobject_cast<TGImage*>(back.front());
    QVERIFY(r);
    QVERIFY(r->graphic() == o->graphic());
    QCOMPARE(r->bounds(), o->bounds());
    QVERIFY(r->autoSize());
    QVERIFY(!r->stretch());
    QCOMPARE(r->borderStyle(), Gdi::bsSingle);
    QVERIFY(r->flip());
    QVERIFY(r->reverse());
    QVERIFY(r->objectMenu());
    QCOMPARE(painted(*r, 1), painted(*o, 1));
}

void tst_ImageObject::defaultsLeftOut() {
    // A fresh picture object writes only the common properties: no picture, no defaults.
    ImageFixture f;
    TGImage* o = f.add(10, 20, 60, 40);
    TGLabelObjectFiler writer(f.surface->classes());
    const QByteArray bytes = writer.writeObjects({o});
    for (const char* name : {"AutoSize", "BorderStyle", "Picture", "Stretch", "Reverse", "Flip"})
        QVERIFY2(!bytes.contains(name), name);
    // Stretch cleared is written, as the negation of its default.
    o->setAutoSize(true);
    QVERIFY(writer.writeObjects({o}).contains("\x07Stretch\x08"));
}

void tst_ImageObject::damagedPictureData_data() {
    QTest::addColumn<TGValue>("value");
    QTest::addColumn<QString>("message");
    QImage small(4, 4, QImage::Format_RGB32);
    small.fill(white);
    const QByteArray bmp = platform::Graphic::fromImage(small).writeData();
    QTest::newRow("garbage block")
        << TGValue::fromData("\x07TBitmap\xFF\xFF\xFF\x7F junk") << "Invalid property value";
    QTest::newRow("bitmap cut short")
        << TGValue::fromData(bmp.left(bmp.size() - 8)) << "Invalid property value";
    QTest::newRow("string instead of data")
        << TGValue::fromString("TBitmap") << "Invalid property value";
}

void tst_ImageObject::damagedPictureData() {
    QFETCH(TGValue, value);
    QFETCH(QString, message);
    ImageFixture f;
    TGLabelObjectFiler reader(f.surface->classes());
    try {
        reader.readObjects(card({{"Picture.Data", value}}), f.surface->owner(), *f.surface);
        QFAIL("the damaged picture was read");
    } catch (const TGFilerError& e) {
        QCOMPARE(e.message(), message);
    }
    QVERIFY(f.surface->objects().empty());

    // A block longer than the bytes left stops the read where the bytes run out.
    QByteArray cut = card({{"Picture.Data", TGValue::fromData(QByteArray(100, 'x'))}});
    cut.chop(60);
    try {
        reader.readObjects(cut, f.surface->owner(), *f.surface);
        QFAIL("the truncated card was read");
    } catch (const TGFilerError& e) {
        QCOMPARE(e.message(), QStringLiteral("Stream read error"));
    }
}

void tst_ImageObject::foreignGraphicClassLeavesPictureEmpty() {
    ImageFixture f;
    TGLabelObjectFiler reader(f.surface->classes());
    const auto back = reader.readObjects(
        card({{"Picture.Data", TGValue::fromData("\x0ATJPEGImage" + QByteArray(20, '\x01'))},
              {"AutoSize", TGValue::fromBool(true)}}),
        f.surface->owner(), *f.surface);
    QCOMPARE(back.size(), size_t(1));
    auto* o = qobject_cast<TGImage*>(back.front());
    QVERIFY(o->graphic().isEmpty());
    QCOMPARE(o->bounds(), QRect(10, 10, 40, 30));
}

QTEST_MAIN(tst_ImageObject)
#include "tst_ImageObject.moc"
