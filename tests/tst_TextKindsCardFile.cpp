// Symbols, multi-line texts and circle texts through the card file: every stored property
// survives a round trip in its stream order, and damaged or extreme values load, paint and
// print without harm or are refused with the card file's own message.
#include "document/TGFilerError.h"
#include "document/TGLabelObjectFiler.h"
#include "objects/text/TGMultiLineLabel.h"
#include "objects/text/TGPCircleText.h"
#include "objects/text/TGSymbolLabel.h"
#include "objects/text/TextKinds.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/report/Report.h"
#include "platform/report/StoredReportTarget.h"
#include "support/CardBytes.h"
#include "support/SurfaceFixture.h"

#include <QBuffer>
#include <QtTest>

namespace {
// Every stored property of an object by dotted name, embedded objects walked.
QVariantMap storedValues(const QObject& o, const QByteArray& prefix = {}) {
    QVariantMap out;
    const QMetaObject* mo = o.metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < mo->propertyCount(); ++i) {
        const QMetaProperty p = mo->property(i);
        if (!p.isStored() || !p.isReadable()) continue;
        const QVariant v = p.read(&o);
        if (const QObject* inner = v.value<QObject*>(); inner && !p.isWritable()) {
            out.insert(storedValues(*inner, prefix + p.name() + '.'));
            continue;
        }
        out.insert(QString::fromLatin1(prefix + p.name()), v);
    }
    return out;
}

TGGraphicControl* make(SurfaceFixture& f, const QString& className) {
    TGGraphicControl* o = f.surface->classes().create(className, f.surface->owner());
    o->setSurface(f.surface.get());
    o->buildPopup();
    f.surface->addObject(o, QRect(QPoint(10, 20), QPoint(150, 120)));
    return o;
}

void makeSerif(TGFont& f) {
    f.setName(QStringLiteral("Liberation Serif"));
    f.setHeight(-21);
    f.setStyle(Gdi::fsItalic);
    f.setColor(0x00AA00);
}

void setUp(TGGraphicControl* o) {
    o->setTag(3);
    o->setHint(QStringLiteral("a hint"));
    o->setLocked(true);
    if (auto* s = qobject_cast<TGSymbolLabel*>(o)) {
        s->setCaption(QStringLiteral("("));
        s->setDepthShadow(3);
        s->setDirectionHighlight(TGBaseLabel::hdUp);
        s->setDepthHighlight(2);
        s->setColorShadow(0x0000FF);
        s->setTransparent(false);
        s->setBackColor(0xC0C0C0);
        s->setBorderStyle(Gdi::bsSingle);
        TGFont f;
        f.setName(QStringLiteral("Wingdings"));
        f.setSize(30);
        s->takeFont(f);
    } else if (auto* m = qobject_cast<TGMultiLineLabel*>(o)) {
        m->setLines({QStringLiteral("Jane Example"), QString(),
                     QString(300, QLatin1Char('w')) + QStringLiteral(" end")});
        m->setAutoSize(true);
        m->setAlignment(Gdi::taCenter);
        TGFont serif;
        makeSerif(serif);
        m->takeFont(serif);
        m->setWordWrap(true);
    } else if (auto* c = qobject_cast<TGPCircleText*>(o)) {
        c->setStartingVector(TGPCircleText::dg270);
        c->setDegrees(TGPCircleText::dg90);
        makeSerif(*c->font());
        c->setMirror(true);
        c->setDrawLettersAngled(false);
        c->setBorderStyle(Gdi::bsSingle);
        c->setControlTransparent(false);
        c->setBGColor(0x123456);
        c->setCaption(QStringLiteral("Orlanto Cards Ltd"));
    }
}

// The properties each class must write, in stream order.
QList<QByteArray> streamOrder(const QString& className) {
    if (className == QLatin1String("TGMultiLineLabel"))
        return {"Items.Strings", "AutoSize", "Alignment", "Font.Color", "WordWrap"};
    if (className == QLatin1String("TGPCircleText"))
        return {"StartingVector",
                "Degrees",
                "Font.Color",
                "Mirror",
                "DrawLettersAngled",
                "BorderStyle",
                "ControlTransparent",
                "BGColor",
                "Caption"};
    return {"DepthHighlight", "DepthShadow", "DirectionHighlight", "colorShadow", "Caption",
            "Font.Color",     "Transparent", "BackColor",          "BorderStyle"};
}

void paintAndPrint(SurfaceFixture& f) {
    QImage image(f.surface->width(), f.surface->height(), QImage::Format_RGB32);
    {
        QPainter p(&image);
        f.surface->paintTo(p);
    }
    QBuffer stored;
    platform::StoredReportTarget target(stored);
    platform::Report report(target);
    report.onPrint = [&](platform::Report& r) { f.surface->printObjects(r, 0.5, 0.5); };
    QVERIFY(report.run());
}
} // namespace

class tst_TextKindsCardFile : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { platform::ScreenMetrics::setPixelsPerInch(96); }
    void everyPropertyRoundTrips_data();
    void everyPropertyRoundTrips();
    void extremeValuesLoadPaintAndPrint_data();
    void extremeValuesLoadPaintAndPrint();
    void unknownEnumerationNameRefused();
};

void tst_TextKindsCardFile::everyPropertyRoundTrips_data() {
    QTest::addColumn<QString>("className");
    QTest::newRow("symbol") << QStringLiteral("TGSymbolLabel");
    QTest::newRow("multi-line") << QStringLiteral("TGMultiLineLabel");
    QTest::newRow("circle text") << QStringLiteral("TGPCircleText");
}

void tst_TextKindsCardFile::everyPropertyRoundTrips() {
    QFETCH(QString, className);
    SurfaceFixture a, b;
    TextKinds::registerAll(*a.surface);
    TextKinds::registerAll(*b.surface);
    TGGraphicControl* o = make(a, className);
    setUp(o);
    a.surface->settleLayout(); // settles a symbol's layout and size
    TGLabelObjectFiler writer(a.surface->classes());
    const QByteArray bytes = writer.writeObjects({o});
    qsizetype at = 0;
    for (const QByteArray& name : streamOrder(className)) {
        const qsizetype next = bytes.indexOf(name, at);
        QVERIFY2(next > at, name.constData());
        at = next;
    }
    TGLabelObjectFiler reader(b.surface->classes());
    const auto read = reader.readObjects(bytes, b.surface->owner(), *b.surface);
    QCOMPARE(int(read.size()), 1);
    TGGraphicControl* copy = read.front();
    QCOMPARE(QString::fromLatin1(copy->metaObject()->className()), className);
    const QVariantMap expected = storedValues(*o), actual = storedValues(*copy);
    QVERIFY(expected.contains(QStringLiteral("Font.Name")));
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QVERIFY2(actual.value(it.key()) == it.value(), qPrintable(it.key()));
    if (auto* m = qobject_cast<TGMultiLineLabel*>(o))
        QCOMPARE(qobject_cast<TGMultiLineLabel*>(copy)->lines(), m->lines());
    // Written again, the copy gives the same bytes but for its new name.
    const auto header = [](const TGGraphicControl* x) {
        const QByteArray name = x->objectName().toLatin1();
        return char(name.size()) + name;
    };
    QByteArray again = writer.writeObjects({copy});
    again.replace(header(copy), header(o));
    QCOMPARE(again, bytes);
}

void tst_TextKindsCardFile::extremeValuesLoadPaintAndPrint_data() {
    QTest::addColumn<QByteArray>("className");
    QTest::addColumn<CardProperties>("props");
    const CardProperties bounds{
        {"Left", TGValue::fromInt(5)},        {"Top", TGValue::fromInt(5)},
        {"Width", TGValue::fromInt(200)},     {"Height", TGValue::fromInt(150)},
        {"Locked", TGValue::fromBool(false)}, {"Unselectable", TGValue::fromBool(false)}};
    const auto with = [&](CardProperties extra) {
        CardProperties all = bounds;
        all.insert(all.end(), extra.begin(), extra.end());
        return all;
    };
    const QString huge(100000, QLatin1Char('M'));
    QTest::newRow("circle text, 100000 letters, no face")
        << QByteArray("TGPCircleText")
        << with({{"Font.Name", TGValue::fromString(QStringLiteral("No Such Face"))},
                 {"Caption", TGValue::fromString(huge)}});
    QTest::newRow("circle text, empty text, odd bounds")
        << QByteArray("TGPCircleText")
        << CardProperties{{"Width", TGValue::fromInt(std::numeric_limits<qint32>::min())},
                          {"Height", TGValue::fromInt(-7)},
                          {"Font.Height", TGValue::fromInt(std::numeric_limits<qint32>::max())},
                          {"Caption", TGValue::fromString(QString())}};
    QTest::newRow("multi-line, 100000 lines wrapped")
        << QByteArray("TGMultiLineLabel")
        << with({{"Items.Strings", TGValue::fromStrings(QStringList(100000, "a b"))},
                 {"WordWrap", TGValue::fromBool(true)}});
    QTest::newRow("multi-line, one 100000-letter line, no face")
        << QByteArray("TGMultiLineLabel")
        << with({{"Items.Strings", TGValue::fromStrings({huge})},
                 {"Font.Name", TGValue::fromString(QStringLiteral("No Such Face"))},
                 {"WordWrap", TGValue::fromBool(true)}});
    QTest::newRow("symbol, 100000 letters")
        << QByteArray("TGSymbolLabel") << with({{"Caption", TGValue::fromString(huge)}});
    QTest::newRow("symbol, empty text, missing face")
        << QByteArray("TGSymbolLabel")
        << with({{"Caption", TGValue::fromString(QString())},
                 {"Font.Name", TGValue::fromString(QStringLiteral("No Such Face"))}});
}

void tst_TextKindsCardFile::extremeValuesLoadPaintAndPrint() {
    QFETCH(QByteArray, className);
    QFETCH(CardProperties, props);
    SurfaceFixture f;
    TextKinds::registerAll(*f.surface);
    TGLabelObjectFiler reader(f.surface->classes());
    const auto read =
        reader.readObjects(oneObjectCard(className, props), f.surface->owner(), *f.surface);
    QCOMPARE(int(read.size()), 1);
    QVERIFY(read.front()->objectMenu());
    paintAndPrint(f);
}

void tst_TextKindsCardFile::unknownEnumerationNameRefused() {
    SurfaceFixture f;
    TextKinds::registerAll(*f.surface);
    TGLabelObjectFiler reader(f.surface->classes());
    const QByteArray bytes =
        oneObjectCard("TGPCircleText", {{"Degrees", TGValue::fromIdent("dg720")}});
    try {
        reader.readObjects(bytes, f.surface->owner(), *f.surface);
        QFAIL("read");
    } catch (const TGFilerError& e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Invalid property value"));
    }
}

QTEST_MAIN(tst_TextKindsCardFile)
#include "tst_TextKindsCardFile.moc"
