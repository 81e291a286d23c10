// The multi-line text: what its paint draws (placeholders, alignment, wrapping, clipping),
// the re-wrap on every resize, the tool with its editor and size-to-lines, the editor's
// limit, and the popup's Word Wrap and alignment commands.
// Relies on fonts-liberation2 ("Arial" is Liberation Sans).
#include "objects/text/TGMultiLineLabel.h"
#include "objects/text/TMultiLineTextEditor.h"
#include "objects/text/TextKinds.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/drawing/TextMetrics.h"
#include "support/DialogControl.h"
#include "support/SurfaceFixture.h"
#include "support/TextRecorder.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QtTest>

using PS = TGBusinessCardPanel32;

namespace {
TGMultiLineLabel* textOn(SurfaceFixture& f, QRect r, const QStringList& lines) {
    auto* t = f.surface->place<TGMultiLineLabel>(r);
    t->setLines(lines);
    return t;
}

std::vector<TextRecorder::Text> drawn(TGMultiLineBaseLabel& t) {
    TextRecorder device;
    {
        QPainter painter(&device);
        platform::Canvas canvas(painter);
        t.paint(canvas);
    }
    return device.texts;
}

QStringList drawnTexts(TGMultiLineBaseLabel& t) {
    QStringList out;
    for (const TextRecorder::Text& d : drawn(t))
        out << d.text;
    return out;
}

// A text exactly `width` pixels wide in the font, made of digits and i's.
QString textOfWidth(const platform::TextMetrics& tm, int width) {
    for (int digits = 0; digits < 12; ++digits)
        for (int is = 0; is < 30; ++is) {
            const QString s = QString(digits, QLatin1Char('0')) + QString(is, QLatin1Char('i'));
            if (tm.textWidth(s) == width) return s;
        }
    return {};
}
} // namespace

class tst_MultiLineText : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { platform::ScreenMetrics::setPixelsPerInch(96); }
    void placeholders_data();
    void placeholders();
    void alignment_data();
    void alignment();
    void linesBelowBottomAreClipped();
    void resizeRewrapsAtOnce();
    void wordWrapCommandTogglesWrapping();
    void wrapBreaksLongWordsAndKeepsText();
    void toolSizesToLines_data();
    void toolSizesToLines();
    void editorRefusesTypingBeyondLimit();
    void editorKeepsLongerStoredText();
    void editLeavesSizeAndCancelChangesNothing();
    void surfaceFontCommandReachesText();
    void fontDialogOpensOnDrawingFace();
};

void tst_MultiLineText::placeholders_data() {
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("no line") << QStringList() << QStringList{"<blank>"};
    QTest::newRow("three spaces") << QStringList{"   "} << QStringList{"   ", "<blank>"};
    QTest::newRow("one empty line") << QStringList{""} << QStringList{"<blank>"};
    QTest::newRow("one word") << QStringList{"Acme"} << QStringList{"Acme"};
    QTest::newRow("two empty lines") << QStringList{"", " "} << QStringList{" "};
}

void tst_MultiLineText::placeholders() {
    QFETCH(QStringList, items);
    QFETCH(QStringList, expected);
    SurfaceFixture f;
    TGMultiLineLabel* t = textOn(f, QRect(10, 10, 200, 80), items);
    // Empty lines draw nothing; the placeholder is drawn on its own line.
    QCOMPARE(drawnTexts(*t), expected);
    QCOMPARE(t->paintedLines().last(), expected.last());
}

void tst_MultiLineText::alignment_data() {
    QTest::addColumn<Gdi::TAlignment>("alignment");
    QTest::addColumn<int>("x");
    QTest::newRow("left") << Gdi::taLeftJustify << 0;
    QTest::newRow("right") << Gdi::taRightJustify << 149;
    QTest::newRow("centre") << Gdi::taCenter << 76;
}

void tst_MultiLineText::alignment() {
    QFETCH(Gdi::TAlignment, alignment);
    QFETCH(int, x);
    SurfaceFixture f;
    TGMultiLineLabel* t = textOn(f, QRect(QPoint(10, 10), QPoint(210, 90)), {});
    QCOMPARE(t->width(), 200);
    const platform::TextMetrics tm(t->displayFont().gdiFont());
    const QString fifty = textOfWidth(tm, 50);
    QVERIFY(!fifty.isEmpty());
    t->setLines({fifty, fifty});
    t->setAlignment(alignment);
    const auto texts = drawn(*t);
    QCOMPARE(int(texts.size()), 2);
    const int h = tm.textExtent(QStringLiteral("XXX")).height();
    QCOMPARE(texts[0].origin, QPointF(x, 0));
    QCOMPARE(texts[1].origin, QPointF(x, h));
}

void tst_MultiLineText::linesBelowBottomAreClipped() {
    SurfaceFixture f;
    TGMultiLineLabel* t = textOn(f, QRect(10, 10, 200, 20), {"one", "two", "three"});
    const int h = t->lineHeight();
    t->setHeight(h + 1);
    // The second line starts inside the object; the third lies wholly below it.
    QCOMPARE(drawnTexts(*t), (QStringList{"one", "two"}));
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        platform::Canvas canvas(painter);
        canvas.setClipRect(QRect(0, 0, t->width(), t->height()));
        t->paint(canvas);
    }
    for (int y = h + 1; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(image.pixel(x, y), qRgb(255, 255, 255));
}

void tst_MultiLineText::resizeRewrapsAtOnce() {
    SurfaceFixture f;
    const QString text = QStringLiteral("Unit 4, Harbour Road Industrial Estate");
    TGMultiLineLabel* t = textOn(f, QRect(10, 10, 400, 60), {text});
    t->setWordWrap(true);
    QCOMPARE(t->wrappedLines(), QStringList{text});
    // Narrowing re-wraps without waiting for a paint.
    t->setWidth(120);
    const platform::TextMetrics tm(t->displayFont().gdiFont());
    QVERIFY(t->wrappedLines().size() > 2);
    QCOMPARE(t->wrappedLines().join(QString()), text);
    for (const QString& line : t->wrappedLines())
        QVERIFY2(tm.textWidth(line.trimmed()) <= 120, qPrintable(line));
    QCOMPARE(drawnTexts(*t), t->wrappedLines());
    // The zoom-scaled font wraps the same text into more lines.
    const qsizetype atOne = t->wrappedLines().size();
    t->setZoomFactor(1.5f);
    QVERIFY(t->paintedLines().size() > atOne);
}

void tst_MultiLineText::wordWrapCommandTogglesWrapping() {
    SurfaceFixture f;
    TGMultiLineLabel* t = textOn(f, QRect(10, 10, 80, 60), {"alpha beta gamma delta"});
    platform::MenuModel& menu = *t->objectMenu();
    QVERIFY(!menu.find(QStringLiteral("Word Wrap"))->checked);
    const int before = f.changes;
    QVERIFY(menu.trigger(QStringLiteral("Word Wrap")));
    QVERIFY(t->wordWrap());
    QVERIFY(menu.find(QStringLiteral("Word Wrap"))->checked);
    QVERIFY(f.changes > before);
    QVERIFY(drawnTexts(*t).size() > 1);
    QVERIFY(menu.trigger(QStringLiteral("Word Wrap")));
    // Off again: the line as entered, clipped at the right edge.
    QCOMPARE(drawnTexts(*t), QStringList{"alpha beta gamma delta"});

    menu.find(QStringLiteral("Alignment"))->submenu->trigger(QStringLiteral("Right"));
    QCOMPARE(t->alignment(), Gdi::taRightJustify);
    menu.aboutToShow();
    QVERIFY(menu.find(QStringLiteral("Alignment"))->submenu->find("Right")->checked);
    QVERIFY(!menu.find(QStringLiteral("Alignment"))->submenu->find("Left")->checked);
}

void tst_MultiLineText::wrapBreaksLongWordsAndKeepsText() {
    const platform::TextMetrics tm(platform::GdiFont{});
    const QString word = QStringLiteral("Supercalifragilistic");
    const QStringList pieces = tm.wrapLine(word + QStringLiteral("  end"), 40);
    QVERIFY(pieces.size() > 2);
    QCOMPARE(pieces.join(QString()), word + QStringLiteral("  end"));
    for (const QString& p : pieces)
        QVERIFY(!p.isEmpty());
    QCOMPARE(tm.wrapLine(QString(), 40), QStringList{QString()});
    // Narrower than one letter still makes progress.
    QCOMPARE(tm.wrapLine(QStringLiteral("ab"), 0), (QStringList{"a", "b"}));
}

void tst_MultiLineText::toolSizesToLines_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QPoint>("releaseAt"); // the press is at (20, 20)
    const QString sentence =
        QStringLiteral("Harbour Road boat tours leave every hour from the old pier");
    QTest::newRow("three lines") << QStringLiteral("Jane Example\nAcme Ltd\nHarbour Road") << 3
                                 << QPoint(60, 60);
    QTest::newRow("final line break") << QStringLiteral("Jane\n") << 1 << QPoint(60, 60);
    QTest::newRow("empty editor") << QString() << 0 << QPoint(60, 60);
    // A 1.7 inch box at 96 pixels per inch.
    QTest::newRow("long sentence in a dragged box") << sentence << 1 << QPoint(20 + 163, 60);
    QTest::newRow("long sentence from a click") << sentence << 1 << QPoint(20, 20);
}

void tst_MultiLineText::toolSizesToLines() {
    QFETCH(QString, typed);
    QFETCH(int, lines);
    QFETCH(QPoint, releaseAt);
    SurfaceFixture f;
    TextKinds::registerAll(*f.surface);
    f.surface->font().setName(QStringLiteral("Liberation Serif"));
    QString title;
    f.dialogs.dialogs.push_back([&](QDialog& d) {
        title = d.windowTitle();
        auto* memo = d.findChild<QPlainTextEdit*>(QStringLiteral("Memo"));
        if (!memo) return int(QDialog::Rejected);
        const QStringList lines = typed.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) QTest::keyClick(memo, Qt::Key_Return);
            QTest::keyClicks(memo, lines[i]);
        }
        return int(QDialog::Accepted);
    });
    f.surface->setPanelState(PS::psMultiLineLabel);
    if (releaseAt == QPoint(20, 20))
        f.click(20, 20);
    else
        f.drag(QPoint(20, 20), releaseAt);
    QCOMPARE(title, QStringLiteral("Multi-line Text Editor"));
    QCOMPARE(int(f.surface->objects().size()), 1);
    auto* t = qobject_cast<TGMultiLineLabel*>(f.surface->objects().front());
    QVERIFY(t);
    QCOMPARE(t->lines().size(), lines);
    QCOMPARE(t->displayFont().name(), QStringLiteral("Liberation Serif"));
    QVERIFY(t->isFontStored());
    const platform::TextMetrics tm(t->displayFont().gdiFont());
    const bool dragged = releaseAt.x() - 20 >= PS::minBandWidth;
    // A dragged box keeps its width and wraps the text inside it.
    QCOMPARE(t->wordWrap(), dragged);
    const QStringList shown = dragged ? t->wrappedLines() : t->lines();
    QCOMPARE(t->height(), int(shown.size()) * t->lineHeight());
    int widest = dragged ? releaseAt.x() - 20 : 50; // a click makes a 50 pixel box
    for (const QString& line : shown)
        widest = std::max(widest, tm.textWidth(line));
    QCOMPARE(t->width(), widest);
    if (dragged) QCOMPARE(t->width(), releaseAt.x() - 20);
    QVERIFY(t->left() + t->width() <= f.surface->width());
}

void tst_MultiLineText::editorRefusesTypingBeyondLimit() {
    TMultiLineTextEditor editor;
    auto* memo = control<QPlainTextEdit>(editor, "Memo");
    QTest::keyClicks(memo, QString(200, QLatin1Char('a')));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QString(60, QLatin1Char('b')));
    // 200 + the line break + 53 = 254; the rest is refused.
    QCOMPARE(memo->toPlainText().size(), TMultiLineTextEditor::maxLength);
    QCOMPARE(editor.lines(),
             (QStringList{QString(200, QLatin1Char('a')), QString(53, QLatin1Char('b'))}));
    QTest::keyClick(memo, Qt::Key_Backspace);
    QTest::keyClicks(memo, QStringLiteral("cd"));
    QVERIFY(memo->toPlainText().endsWith(QStringLiteral("bc")));
}

void tst_MultiLineText::editorKeepsLongerStoredText() {
    // Lines from a card file longer than the limit survive opening the editor and "Ok".
    SurfaceFixture f;
    const QStringList long_{QString(300, QLatin1Char('x')), QStringLiteral("end")};
    TGMultiLineLabel* t = textOn(f, QRect(10, 10, 100, 40), long_);
    f.dialogs.dialogs.push_back([](QDialog&) { return int(QDialog::Accepted); });
    QVERIFY(t->editText());
    QCOMPARE(t->lines(), long_);
}

void tst_MultiLineText::editLeavesSizeAndCancelChangesNothing() {
    SurfaceFixture f;
    TGMultiLineLabel* t = textOn(f, QRect(10, 10, 100, 20), {"one"});
    const QRect bounds = t->bounds();
    f.dialogs.dialogs.push_back([](QDialog& d) {
        d.findChild<QPlainTextEdit*>(QStringLiteral("Memo"))->setPlainText("a\nb\nc\nd");
        return int(QDialog::Rejected);
    });
    QVERIFY(t->objectMenu()->trigger(QStringLiteral("Text")));
    QCOMPARE(t->lines(), QStringList{"one"});
    const int before = f.changes;
    f.dialogs.dialogs.push_back([](QDialog& d) {
        d.findChild<QPlainTextEdit*>(QStringLiteral("Memo"))->setPlainText("a\nb\nc\nd");
        return int(QDialog::Accepted);
    });
    QVERIFY(t->objectMenu()->trigger(QStringLiteral("Text")));
    QCOMPARE(t->lines(), (QStringList{"a", "b", "c", "d"}));
    QCOMPARE(t->bounds(), bounds);
    QVERIFY(f.changes > before);
}

void tst_MultiLineText::surfaceFontCommandReachesText() {
    SurfaceFixture f;
    TGMultiLineLabel* t = textOn(f, QRect(10, 10, 150, 60), {"alpha beta gamma delta"});
    t->setWordWrap(true);
    const qsizetype before = t->wrappedLines().size();
    TGFont big;
    big.setSize(20);
    t->applyFont(big);
    QCOMPARE(t->displayFont().size(), 20);
    QVERIFY(t->wrappedLines().size() > before);
}

void tst_MultiLineText::fontDialogOpensOnDrawingFace() {
    SurfaceFixture f;
    TGMultiLineLabel* t = textOn(f, QRect(10, 10, 150, 60), {"Jane"});
    TGFont arial;
    arial.setName(QStringLiteral("Arial"));
    t->takeFont(arial);
    // The dialog's answer: bold, 12 points, on the face it opened on.
    const QString drawing = QFontInfo(QFont(QStringLiteral("Arial"))).family();
    QFont bold(drawing);
    bold.setPointSize(12);
    bold.setBold(true);
    f.dialogs.fonts.push_back(bold);
    QVERIFY(t->objectMenu()->trigger(QStringLiteral("Font")));
    // Opened on the installed face that draws Arial, whose styles include bold, and not on
    // an alias the font list lacks.
    QCOMPARE(f.dialogs.fontsShown.size(), 1);
    QCOMPARE(f.dialogs.fontsShown.front().family(), drawing);
    QVERIFY(QFontDatabase::styles(drawing).join(' ').contains(QStringLiteral("Bold")));
    // Left on that face, the text keeps the name it had.
    QCOMPARE(t->displayFont().name(), QStringLiteral("Arial"));
    QVERIFY(t->displayFont().style().testFlag(Gdi::fsBold));
    QCOMPARE(t->displayFont().size(), 12);
}

QTEST_MAIN(tst_MultiLineText)
#include "tst_MultiLineText.moc"
