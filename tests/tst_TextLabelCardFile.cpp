// Text labels through the card file: every stored property survives a round trip, values
// equal to their defaults and a font that was never the label's own are left out, and
// values only a damaged or foreign file holds leave the label usable.
#include "document/TGLabelObjectFiler.h"
#include "objects/text/TGBusinessCardLabel.h"
#include "objects/text/TextKinds.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ScreenMetrics.h"
#include "support/CardBytes.h"
#include "support/LabelOn.h"
#include "support/SurfaceFixture.h"

#include <QtTest>

namespace {
// Every stored property of an object by dotted name, embedded objects walked.
QVariantMap storedValues(const QObject& o, const QByteArray& prefix = {}) {
    QVariantMap out;
    const QMetaObject* mo = o.metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < mo->propertyCount(); ++i) {
        const QMetaProperty p = mo->property(i);
        if (!p.isStored()) continue;
        const QVariant v = p.read(&o);
        if (const QObject* inner = v.value<QObject*>()) {
            out.insert(storedValues(*inner, prefix + p.name() + '.'));
            continue;
        }
        out.insert(QString::fromLatin1(prefix + p.name()), v);
    }
    return out;
}

std::vector<TGGraphicControl*> roundTrip(SurfaceFixture& from, SurfaceFixture& to,
                                         const std::vector<TGGraphicControl*>& objects) {
    TGLabelObjectFiler writer(from.surface->classes());
    const QByteArray bytes = writer.writeObjects(objects);
    TGLabelObjectFiler reader(to.surface->classes());
    return reader.readObjects(bytes, to.surface->owner(), *to.surface);
}

const QRect labelBox(QPoint(10, 20), QPoint(150, 45));

// A card file of one label record with the given properties.
QByteArray card(const QByteArray& className, const CardProperties& props) {
    return oneObjectCard(className, props);
}
} // namespace

class tst_TextLabelCardFile : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { platform::ScreenMetrics::setPixelsPerInch(96); }
    void everyPropertyRoundTrips_data();
    void everyPropertyRoundTrips();
    void defaultsAndParentFontLeftOut();
    void damagedValuesLeaveLabelUsable();
    void constructionFontStaysOwn_data();
    void constructionFontStaysOwn();
    void emptiedTextStaysEmpty();
};

void tst_TextLabelCardFile::everyPropertyRoundTrips_data() {
    QTest::addColumn<QByteArray>("className");
    QTest::addColumn<int>("angle");
    QTest::newRow("TGPLabel, centred") << QByteArray("TGPLabel") << 0;
    QTest::newRow("TGBusinessCardLabel, turned") << QByteArray("TGBusinessCardLabel") << 270;
}

void tst_TextLabelCardFile::everyPropertyRoundTrips() {
    QFETCH(QByteArray, className);
    QFETCH(int, angle);
    SurfaceFixture a, b;
    TextKinds::registerAll(*a.surface);
    TextKinds::registerAll(*b.surface);
    auto* l = qobject_cast<TGBaseLabel*>(
        a.surface->classes().create(QString::fromLatin1(className), a.surface->owner()));
    QVERIFY(l);
    l->setSurface(a.surface.get());
    l->buildPopup();
    a.surface->addObject(l, QRect(QPoint(10, 20), QPoint(150, 45)));
    l->setTag(7);
    l->setHint(QStringLiteral("a hint"));
    l->setAlignment(Gdi::taCenter);
    l->setDepthHighlight(4);
    l->setDepthShadow(12);
    l->setDirectionHighlight(TGBaseLabel::hdright);
    l->setDirectionShadow(TGBaseLabel::sdLeft);
    l->setColorHighlight(0x123456);
    l->setColorShadow(0x0000FF);
    l->setAngle(angle);
    l->setCaption(QString(300, QLatin1Char('x')) + QStringLiteral(" long caption"));
    TGFont f;
    f.setName(QStringLiteral("Liberation Serif"));
    f.setHeight(-21);
    f.setStyle(Gdi::fsBold | Gdi::fsItalic);
    f.setPitch(Gdi::fpVariable);
    f.setColor(0x00AA00);
    l->takeFont(f);
    l->setTransparent(false);
    l->setBackColor(0x00FFFF);
    l->setBorderStyle(Gdi::bsSingle);
    l->setLocked(true);
    l->setUnselectable(true);

    const std::vector<TGGraphicControl*> read = roundTrip(a, b, {l});
    QCOMPARE(int(read.size()), 1);
    auto* copy = qobject_cast<TGBaseLabel*>(read.front());
    QVERIFY(copy);
    QCOMPARE(QByteArray(copy->metaObject()->className()), className);
    const QVariantMap expected = storedValues(*l), actual = storedValues(*copy);
    // The comparison below sees colours and font styles by value.
    QVERIFY(QVariant::fromValue(TColor(1)) != QVariant::fromValue(TColor(2)));
    QVERIFY(QVariant::fromValue(Gdi::TFontStyles(Gdi::fsBold)) !=
            QVariant::fromValue(Gdi::TFontStyles()));
    QVERIFY(expected.contains(QStringLiteral("Font.Name")));
    QVERIFY(!expected.contains(QStringLiteral("Font.Size")));
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QVERIFY2(actual.value(it.key()) == it.value(), qPrintable(it.key()));
    QCOMPARE(copy->angle(), angle);
    QCOMPARE(copy->alignment(), angle == 0 ? Gdi::taCenter : Gdi::taLeftJustify);
    QVERIFY(copy->isFontStored());
    // The offsets follow the depths and directions read.
    QCOMPARE(copy->shadowOffset(), QPoint(-12, 0));
    QCOMPARE(copy->highlightOffset(), QPoint(4, 0));
    // The popup was built after loading.
    QVERIFY(copy->objectMenu());
    QVERIFY(copy->objectMenu()->find(QStringLiteral("Locked"))->checked);
}

void tst_TextLabelCardFile::defaultsAndParentFontLeftOut() {
    SurfaceFixture a, b;
    TextKinds::registerAll(*a.surface);
    TextKinds::registerAll(*b.surface);
    TGBusinessCardLabel* l = labelOn<TGBusinessCardLabel>(a, labelBox);
    TGLabelObjectFiler writer(a.surface->classes());
    const QByteArray bytes = writer.writeObjects({l});
    for (const char* written :
         {"Caption", "Transparent", "BackColor", "BorderStyle", "Left", "Locked"})
        QVERIFY2(bytes.contains(written), written);
    for (const char* left :
         {"Font.", "Alignment", "DepthShadow", "DepthHighlight", "DirectionShadow",
          "DirectionHighlight", "colorShadow", "colorHighlight", "Angle", "Tag"})
        QVERIFY2(!bytes.contains(left), left);

    b.surface->font().setSize(16);
    TGLabelObjectFiler reader(b.surface->classes());
    const auto read = reader.readObjects(bytes, b.surface->owner(), *b.surface);
    auto* copy = qobject_cast<TGBusinessCardLabel*>(read.front());
    QVERIFY(copy);
    QVERIFY(!copy->isFontStored());
    // Without a font of its own the label shows the surface's font.
    QCOMPARE(copy->displayFont().size(), 16);
    QCOMPARE(copy->directionShadow(), TGBaseLabel::sdDownRight);
    QCOMPARE(copy->colorHighlight(), TColor(16776960));
    // A label that took the surface's font stores it, even though it equals the default.
    l->takeFont(a.surface->font());
    QVERIFY(writer.writeObjects({l}).contains("Font.Name"));
}

void tst_TextLabelCardFile::damagedValuesLeaveLabelUsable() {
    SurfaceFixture f;
    TextKinds::registerAll(*f.surface);
    const QByteArray bytes =
        card("TGBusinessCardLabel",
             {
                 {"Left", TGValue::fromInt(10)},
                 {"Top", TGValue::fromInt(10)},
                 {"Width", TGValue::fromInt(-40)},
                 {"Height", TGValue::fromInt(20)},
                 {"Locked", TGValue::fromBool(false)},
                 {"Unselectable", TGValue::fromBool(false)},
                 {"DepthHighlight", TGValue::fromInt(std::numeric_limits<qint32>::min())},
                 {"DepthShadow", TGValue::fromInt(std::numeric_limits<qint32>::max())},
                 {"DirectionShadow", TGValue::fromIdent("sdDown")},
                 {"Angle", TGValue::fromInt(45)},
                 {"Caption", TGValue::fromString(QString(100000, QLatin1Char('M')))},
                 {"Font.Height", TGValue::fromInt(std::numeric_limits<qint32>::min())},
                 {"Font.Name", TGValue::fromString(QStringLiteral("No Such Face"))},
             });
    TGLabelObjectFiler reader(f.surface->classes());
    const auto read = reader.readObjects(bytes, f.surface->owner(), *f.surface);
    QCOMPARE(int(read.size()), 1);
    auto* l = qobject_cast<TGBusinessCardLabel*>(read.front());
    QVERIFY(l);
    QCOMPARE(l->angle(), 0);
    QCOMPARE(l->caption().size(), 100000);
    QCOMPARE(l->depthShadow(), std::numeric_limits<qint32>::max());
    // It paints, lays itself out to a finite size, and its commands work.
    QImage img(f.surface->width(), f.surface->height(), QImage::Format_RGB32);
    {
        QPainter p(&img);
        f.surface->paintTo(p);
    }
    l->layoutPass();
    QVERIFY(l->width() >= 1);
    QVERIFY(l->height() >= 1 && l->height() <= 4 * TGBaseLabel::maxEffectDepth);
    QVERIFY(l->objectMenu()
                ->find(QStringLiteral("Rotation"))
                ->submenu->trigger(QStringLiteral("90 Degrees")));
    QCOMPARE(l->angle(), 90);
    l->layoutPass();
    QVERIFY(l->height() >= 1 && l->width() <= 4 * TGBaseLabel::maxEffectDepth);
}

void tst_TextLabelCardFile::constructionFontStaysOwn_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("opened") << "open";
    QTest::newRow("pasted") << "paste";
    QTest::newRow("cloned") << "clone";
}

// A label whose own font equals the font a label is made with (what the text tool gives
// with the default settings) keeps it as its own however it comes back.
void tst_TextLabelCardFile::constructionFontStaysOwn() {
    QFETCH(QString, path);
    SurfaceFixture a, b;
    TextKinds::registerAll(*a.surface);
    TextKinds::registerAll(*b.surface);
    TGBusinessCardLabel* l = labelOn<TGBusinessCardLabel>(a, labelBox);
    l->takeFont(TGFont());
    QVERIFY(l->isFontStored());

    SurfaceFixture& target = path == "open" ? b : a;
    if (path == "open") {
        const QString card = a.home.filePath("card.ORL");
        a.surface->saveCard(card);
        b.surface->loadCard(card);
    } else if (path == "paste") {
        a.surface->handle().add(l);
        a.key(Qt::Key_C, Qt::ControlModifier);
        a.key(Qt::Key_V, Qt::ControlModifier);
    } else {
        QVERIFY(l->objectMenu()->trigger(QStringLiteral("Clone")));
    }
    auto* copy = qobject_cast<TGBusinessCardLabel*>(target.surface->objects().back());
    QVERIFY(copy && copy != l);
    QVERIFY(copy->isFontStored());
    // A new default font leaves it alone, and the next save writes it again.
    target.surface->font().setName(QStringLiteral("Liberation Serif"));
    target.surface->font().setSize(20);
    QCOMPARE(copy->displayFont().name(), QStringLiteral("Arial"));
    QCOMPARE(copy->displayFont().height(), -13);
    QVERIFY(
        TGLabelObjectFiler(target.surface->classes()).writeObjects({copy}).contains("Font.Name"));
}

// Picking an empty personal-information entry empties the text; saved and opened again,
// the text stays empty instead of becoming "Text".
void tst_TextLabelCardFile::emptiedTextStaysEmpty() {
    SurfaceFixture a, b;
    TextKinds::registerAll(*a.surface);
    TextKinds::registerAll(*b.surface);
    TGBusinessCardLabel* l = labelOn<TGBusinessCardLabel>(a, labelBox);
    platform::MenuModel* info =
        l->objectMenu()->find(QStringLiteral("Personal Information"))->submenu.get();
    QVERIFY(info->trigger(QStringLiteral("Fax\t")));
    QCOMPARE(l->caption(), QString());
    const QString card = a.home.filePath("card.ORL");
    a.surface->saveCard(card);
    QFile file(card);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains(QByteArray("\x07"
                                               "Caption\x06\x00",
                                               10)));
    b.surface->loadCard(card);
    QCOMPARE(b.surface->objects().size(), size_t(1));
    QCOMPARE(qobject_cast<TGBaseLabel*>(b.surface->objects().front())->caption(), QString());
}

QTEST_MAIN(tst_TextLabelCardFile)
#include "tst_TextLabelCardFile.moc"
