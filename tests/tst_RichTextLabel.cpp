// The rich text label on a card surface: the tool and its editor, the page the text is laid
// out on, the popup commands, the card file and painting.
#include "objects/text/TGPRichBaseLabel.h"
#include "objects/text/TRichTextLabelEditor.h"
#include "objects/text/TextKinds.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/richtext/RtfReader.h"
#include "support/CardBytes.h"
#include "support/SurfaceFixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QtTest>

namespace {
using PS = TGBusinessCardPanel32;

const QByteArray redBold = "{\\rtf1{\\fonttbl{\\f0 Liberation Sans;}}{\\colortbl;\\red255\\green0"
                           "\\blue0;}\\f0\\fs28 Plain \\b\\cf1 Bold\\par}";

struct RichFixture : SurfaceFixture {
    RichFixture() { TextKinds::registerAll(*surface); }

    // Draws a label with the rich text tool; the editor that opens takes the RTF text
    // (or is cancelled when there is none).
    TGPRichBaseLabel* draw(QPoint from, QPoint to, const QByteArray& rtf = {}) {
        dialogs.dialogs.push_back([rtf](QDialog& d) {
            auto* editor = qobject_cast<TRichTextLabelEditor*>(&d);
            if (!editor || rtf.isEmpty()) return int(QDialog::Rejected);
            platform::RtfReader::read(rtf, editor->document());
            return int(QDialog::Accepted);
        });
        surface->setPanelState(PS::psRichLabel);
        drag(from, to);
        surface->processPendingEvents();
        return labels().isEmpty() ? nullptr : labels().last();
    }

    QList<TGPRichBaseLabel*> labels() const {
        return surface->owner()->findChildren<TGPRichBaseLabel*>();
    }
};

QString plainText(const QByteArray& rtf) {
    QTextDocument doc;
    platform::RtfReader::read(rtf, doc);
    return doc.toPlainText();
}

int countColour(const QImage& image, const QRect& r, QRgb colour) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) ++n;
    return n;
}
} // namespace

class tst_RichTextLabel : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { platform::ScreenMetrics::setPixelsPerInch(96); }
    void toolCreatesBorderedLabelAndOpensEditor();
    void newLabelStartsInTheDefaultFont();
    void doubleClickOpensEditor();
    void pageIsTheLabelAtZoomOne_data();
    void pageIsTheLabelAtZoomOne();
    void editorZoomLimits_data();
    void editorZoomLimits();
    void editorToolBarFormatsTheSelection();
    void unchangedOkKeepsTheText();
    void editorKeys_data();
    void editorKeys();
    void backgroundColorThenTransparent();
    void borderCommand();
    void cardFileRoundTrip();
    void damagedTextOpensWithWhatCouldBeRead();
    void surfaceWithoutMasterFails();
    void paintsTextBackgroundAndBorder();
};

void tst_RichTextLabel::toolCreatesBorderedLabelAndOpensEditor() {
    RichFixture f;
    TGPRichBaseLabel* label = f.draw({20, 20}, {220, 80}, redBold);
    QVERIFY(label);
    QCOMPARE(f.dialogs.dialogTitles, QStringList{"Rich Text Editor"});
    QCOMPARE(label->bounds(), QRect(20, 20, 200, 60));
    QCOMPARE(label->borderStyle(), Gdi::bsSingle);
    QVERIFY(label->transparent());
    QCOMPARE(plainText(label->richText().rtf()), QStringLiteral("Plain Bold"));
    QVERIFY(f.changes > 0);
    QCOMPARE(f.surface->panelState(), PS::psPointing);

    // Cancelling the editor leaves a new label empty.
    TGPRichBaseLabel* empty = f.draw({20, 100}, {120, 130});
    QVERIFY(empty && empty != label);
    QVERIFY(empty->richText().document().isEmpty());
}

void tst_RichTextLabel::newLabelStartsInTheDefaultFont() {
    RichFixture f;
    f.surface->font().setName(QStringLiteral("Liberation Serif"));
    f.surface->font().setSize(14);
    f.surface->font().setStyle(Gdi::TFontStyles(Gdi::fsBold));
    QStringList shown;
    f.dialogs.dialogs.push_back([&shown](QDialog& d) {
        shown << d.findChild<QComboBox*>(QStringLiteral("FontName"))->currentText()
              << d.findChild<QComboBox*>(QStringLiteral("FontSize"))->currentText()
              << QString::number(
                     d.findChild<QToolButton*>(QStringLiteral("BoldButton"))->isChecked());
        // Typed where the editor's caret stands.
        auto* view = d.findChild<QGraphicsView*>(QStringLiteral("EditingArea"));
        auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(view->scene()->items().value(0));
        text->textCursor().insertText(QStringLiteral("Hi"));
        return int(QDialog::Accepted);
    });
    f.surface->setPanelState(PS::psRichLabel);
    f.drag({20, 20}, {220, 80});
    QCOMPARE(shown, (QStringList{"Liberation Serif", "14", "1"}));
    const QByteArray rtf = f.labels().value(0)->richText().rtf();
    QCOMPARE(plainText(rtf), QStringLiteral("Hi"));
    QVERIFY2(rtf.contains("Liberation Serif;") && rtf.contains("\\b") && rtf.contains("\\fs28"),
             rtf.constData());
}

void tst_RichTextLabel::doubleClickOpensEditor() {
    RichFixture f;
    TGPRichBaseLabel* label = f.draw({20, 20}, {220, 80}, redBold);
    f.clock.advance(300);
    f.click(50, 50);
    f.clock.advance(300);
    f.dialogs.dialogs.push_back([](QDialog& d) {
        auto* editor = qobject_cast<TRichTextLabelEditor*>(&d);
        // The editor holds a copy of the label's text.
        if (!editor || editor->document().toPlainText() != QLatin1String("Plain Bold"))
            return int(QDialog::Rejected);
        QTextCursor(&editor->document()).insertText(QStringLiteral("New "));
        return int(QDialog::Accepted);
    });
    f.surface->doubleClick({}, 50, 50);
    f.surface->mouseUp(Qt::LeftButton, {}, 50, 50);
    QCOMPARE(f.dialogs.dialogTitles.size(), 2);
    QVERIFY(!f.dialogs.lastPopup);
    QCOMPARE(plainText(label->richText().rtf()), QStringLiteral("New Plain Bold"));
}

void tst_RichTextLabel::pageIsTheLabelAtZoomOne_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("pageWidth");
    QTest::addColumn<int>("zoomPercent");
    QTest::newRow("400 pixels at zoom 1") << 400 << 1.0f << 6000 << 100;
    QTest::newRow("200 pixels at zoom 0.5") << 200 << 0.5f << 6000 << 50;
    QTest::newRow("301 pixels at zoom 1.5") << 301 << 1.5f << 3010 << 150;
}

void tst_RichTextLabel::pageIsTheLabelAtZoomOne() {
    QFETCH(int, width);
    QFETCH(float, zoom);
    QFETCH(int, pageWidth);
    QFETCH(int, zoomPercent);
    TGPRichBaseLabel label;
    label.setZoomFactor(zoom);
    label.setBounds(0, 0, width, 48);
    QCOMPARE(label.pageTwips().width(), pageWidth);
    QCOMPARE(label.zoomPercent(), zoomPercent);
    // The editor lays the text out on the same page width, in pixels at zoom 1.
    TRichTextLabelEditor editor(label);
    QCOMPARE(editor.document().textWidth(), pageWidth * 96 / 1440.0);
    QCOMPARE(editor.zoom(), zoomPercent);
    QCOMPARE(editor.editingAreaSize(), QSize(width + 1, 49));
}

void tst_RichTextLabel::editorZoomLimits_data() {
    QTest::addColumn<float>("labelZoom");
    QTest::addColumn<bool>("in");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("areaWidth");
    QTest::newRow("Zoom In at 100 does nothing") << 1.0f << true << 100 << 201;
    QTest::newRow("Zoom Out at 50 does nothing") << 0.5f << false << 50 << 201;
    QTest::newRow("Zoom Out from 60 goes to 50") << 0.6f << false << 50 << 168;
    QTest::newRow("Zoom Out from 100 goes to 90") << 1.0f << false << 90 << 181;
    QTest::newRow("Zoom In from 60 goes to 70") << 0.6f << true << 70 << 235;
}

void tst_RichTextLabel::editorZoomLimits() {
    QFETCH(float, labelZoom);
    QFETCH(bool, in);
    QFETCH(int, zoom);
    QFETCH(int, areaWidth);
    TGPRichBaseLabel label;
    label.setZoomFactor(labelZoom);
    label.setBounds(0, 0, 200, 40);
    TRichTextLabelEditor editor(label);
    auto* button = editor.findChild<QToolButton*>(in ? "ZoomInButton" : "ZoomOutButton");
    QVERIFY(button);
    QCOMPARE(button->text(), in ? QStringLiteral("Zoom In") : QStringLiteral("Zoom Out"));
    button->click();
    QCOMPARE(editor.zoom(), zoom);
    QCOMPARE(editor.editingAreaSize().width(), areaWidth);
}

void tst_RichTextLabel::editorToolBarFormatsTheSelection() {
    ScriptedDialogHost dialogs;
    TGPRichBaseLabel label;
    label.setBounds(0, 0, 300, 60);
    label.setRtf("{\\rtf1 Hello world}");
    TRichTextLabelEditor editor(label);
    auto* view = editor.findChild<QGraphicsView*>(QStringLiteral("EditingArea"));
    QVERIFY(view);
    auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(view->scene()->items().value(0));
    QVERIFY(text);
    const auto press = [&editor](const char* name) {
        auto* b = editor.findChild<QToolButton*>(QLatin1String(name));
        QVERIFY2(b, name);
        b->click();
    };
    QTextCursor all(text->document());
    all.select(QTextCursor::Document);
    text->setTextCursor(all);
    press("BoldButton");
    press("CenterButton");
    dialogs.colors.push_back(TColor(0x0000FF)); // red
    press("FontColor");
    const QTextBlock block = text->document()->begin();
    QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextCharFormat f = block.begin().fragment().charFormat();
    QCOMPARE(block.begin().fragment().text(), QStringLiteral("Hello world"));
    QCOMPARE(f.fontWeight(), int(QFont::Bold));
    QCOMPARE(f.foreground().color(), QColor(Qt::red));

    // RTF from a word processor pastes with its formatting.
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/rtf"), "{\\rtf1 {\\i pasted}}");
    mime->setText(QStringLiteral("pasted"));
    QGuiApplication::clipboard()->setMimeData(mime);
    QTextCursor end(text->document());
    end.movePosition(QTextCursor::End);
    text->setTextCursor(end);
    press("PasteButton");
    QCOMPARE(text->document()->toPlainText(), QStringLiteral("Hello worldpasted"));
    QTextCursor last(text->document());
    last.movePosition(QTextCursor::End);
    QVERIFY(last.charFormat().fontItalic());
}

void tst_RichTextLabel::unchangedOkKeepsTheText() {
    RichFixture f;
    TGPRichBaseLabel* label = f.draw({20, 20}, {220, 80}, redBold);
    const QByteArray rtf =
        "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}{\\*\\generator g;}"
        "{\\*\\listtable{\\list{\\listlevel\\levelnfc23}\\listid1}}"
        "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}\\pard\\ls1 "
        "{\\listtext \\'95\\tab}item\\par\\trowd\\cellx1000\\pard\\intbl a\\cell\\row"
        "\\pard\\tqr\\tx2000 x\\tab y{\\v hidden}{\\*\\bkmkstart b}\\par}";
    label->setRtf(rtf);
    const int changes = f.changes;
    f.clock.advance(300);
    f.click(50, 50);
    f.clock.advance(300);
    f.dialogs.dialogs.push_back([](QDialog&) { return int(QDialog::Accepted); });
    f.surface->doubleClick({}, 50, 50);
    f.surface->mouseUp(Qt::LeftButton, {}, 50, 50);
    QCOMPARE(f.dialogs.dialogTitles.size(), 2);
    QCOMPARE(label->richText().rtf(), rtf);
    QCOMPARE(f.changes, changes);
}

void tst_RichTextLabel::editorKeys_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("Ctrl+B") << "Ctrl+B"
                            << "bold" << QVariant(true);
    QTest::newRow("Ctrl+I") << "Ctrl+I"
                            << "italic" << QVariant(true);
    QTest::newRow("Ctrl+U") << "Ctrl+U"
                            << "underline" << QVariant(true);
    QTest::newRow("6 pt typed, Enter in the size box") << "6"
                                                       << "size" << QVariant(6.0);
}

// Keys pressed in the shown editor, the whole text selected; "Ok" stays unpressed.
void tst_RichTextLabel::editorKeys() {
    QFETCH(QString, keys);
    QFETCH(QString, property);
    QFETCH(QVariant, value);
    TGPRichBaseLabel label;
    label.setBounds(0, 0, 300, 60);
    label.setRtf("{\\rtf1 Hello}");
    TRichTextLabelEditor editor(label);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    auto* view = editor.findChild<QGraphicsView*>(QStringLiteral("EditingArea"));
    auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(view->scene()->items().value(0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(250, 40));
    QVERIFY(text->hasFocus());
    QTextCursor all(text->document());
    all.select(QTextCursor::Document);
    text->setTextCursor(all);
    if (property == QLatin1String("size")) {
        auto* size = editor.findChild<QComboBox*>(QStringLiteral("FontSize"));
        size->setFocus();
        size->lineEdit()->selectAll();
        QTest::keyClicks(size->lineEdit(), keys);
        QTest::keyClick(size->lineEdit(), Qt::Key_Return);
    } else {
        QTest::keySequence(view->viewport(), QKeySequence(keys));
    }
    QVERIFY(editor.isVisible());
    QCOMPARE(editor.result(), 0);
    const QTextCharFormat f = text->document()->begin().begin().fragment().charFormat();
    const QVariant actual = property == QLatin1String("bold")
                                ? QVariant(f.fontWeight() > QFont::Medium)
                            : property == QLatin1String("italic")    ? QVariant(f.fontItalic())
                            : property == QLatin1String("underline") ? QVariant(f.fontUnderline())
                                                                     : QVariant(f.fontPointSize());
    QCOMPARE(actual, value);
}

void tst_RichTextLabel::backgroundColorThenTransparent() {
    RichFixture f;
    TGPRichBaseLabel* label = f.draw({20, 20}, {220, 80}, redBold);
    const int changes = f.changes;
    f.dialogs.colors.push_back(TColor(0x00FFFF));
    QVERIFY(label->objectMenu()->trigger(QStringLiteral("Background Color")));
    QCOMPARE(label->bgColor(), TColor(0x00FFFF));
    QVERIFY(!label->transparent());
    QVERIFY(!label->objectMenu()->find(QStringLiteral("Transparent"))->checked);
    QVERIFY(f.changes > changes);

    QVERIFY(label->objectMenu()->trigger(QStringLiteral("Transparent")));
    QVERIFY(label->transparent());
    QVERIFY(label->objectMenu()->find(QStringLiteral("Transparent"))->checked);
    QCOMPARE(label->bgColor(), TColor(0x00FFFF));
}

void tst_RichTextLabel::borderCommand() {
    RichFixture f;
    TGPRichBaseLabel* label = f.draw({20, 20}, {220, 80}, redBold);
    QVERIFY(label->objectMenu()->find(QStringLiteral("Border"))->checked);
    const int changes = f.changes;
    QVERIFY(label->objectMenu()->trigger(QStringLiteral("Border")));
    QCOMPARE(label->borderStyle(), Gdi::bsNone);
    QVERIFY(!label->objectMenu()->find(QStringLiteral("Border"))->checked);
    QVERIFY(f.changes > changes);
}

void tst_RichTextLabel::cardFileRoundTrip() {
    RichFixture f;
    TGPRichBaseLabel* label = f.draw({20, 20}, {220, 80}, redBold);
    label->setBGColor(TColor(0x123456));
    f.draw({20, 100}, {120, 130}); // left empty
    const QString card = f.home.filePath(QStringLiteral("rich.ORL"));
    f.surface->saveCard(card);
    QFile file(card);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // Only the label with text stores it: its RTF text and four zero bytes.
    QCOMPARE(bytes.count("RTFText.Data"), 1);
    QVERIFY(bytes.contains(label->richText().rtf() + QByteArray(4, '\0')));
    // The other properties have no default and are always stored.
    for (const char* name : {"BorderStyle", "Transparent", "BGColor"})
        QCOMPARE(bytes.count(name), 2);

    RichFixture g;
    g.surface->loadCard(card);
    const QList<TGPRichBaseLabel*> read = g.labels();
    QCOMPARE(read.size(), 2);
    QCOMPARE(read[0]->richText().rtf(), label->richText().rtf());
    QCOMPARE(read[0]->bgColor(), TColor(0x123456));
    QCOMPARE(read[0]->bounds(), QRect(20, 20, 200, 60));
    QVERIFY(read[1]->richText().document().isEmpty());
    // Read labels paint through the surface's engine.
    QVERIFY(read[0]->master());
}

void tst_RichTextLabel::damagedTextOpensWithWhatCouldBeRead() {
    RichFixture f;
    const QString card = f.home.filePath(QStringLiteral("damaged.ORL"));
    QFile file(card);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(oneObjectCard("TGPRichBaseLabel",
                             {{"Left", TGValue::fromInt(10)},
                              {"Top", TGValue::fromInt(10)},
                              {"Width", TGValue::fromInt(150)},
                              {"Height", TGValue::fromInt(40)},
                              {"RTFText.Data", TGValue::fromData("{\\rtf1 Hello {\\b wor\\'")}}));
    file.close();
    f.surface->loadCard(card);
    QCOMPARE(f.labels().size(), 1);
    QCOMPARE(f.labels()[0]->richText().document().document().toPlainText(),
             QStringLiteral("Hello wor"));
}

void tst_RichTextLabel::surfaceWithoutMasterFails() {
    SurfaceFixture f; // no text kinds, so no rich text engine
    auto* label = new TGPRichBaseLabel(f.surface->owner());
    label->setSurface(f.surface.get());
    try {
        label->buildPopup();
        QFAIL("no error");
    } catch (const ENoMasterWPRich& e) {
        QCOMPARE(e.message(), QStringLiteral("No master rich text object found"));
    }
    // Without its engine the label paints nothing.
    label->setBounds(10, 10, 100, 40);
    const QImage& image = f.surface->image();
    QCOMPARE(countColour(image, QRect(10, 10, 100, 40), qRgb(0, 0, 0)), 0);
}

void tst_RichTextLabel::paintsTextBackgroundAndBorder() {
    RichFixture f;
    TGPRichBaseLabel* label = f.draw({20, 20}, {220, 80}, redBold);
    TGPRichBaseLabel* empty = f.draw({20, 100}, {120, 130});
    f.surface->handle().clear(); // the tool leaves the new label selected, with its grips
    f.surface->processPendingEvents();
    const QImage& image = f.surface->image();
    const QRect inside = label->bounds().adjusted(1, 1, -1, -1);
    QVERIFY(countColour(image, inside, qRgb(255, 0, 0)) > 20);
    QVERIFY(countColour(image, inside, qRgb(0, 0, 0)) > 20);
    // The border is on the label's edge; an empty label shows nothing else.
    QCOMPARE(countColour(image, QRect(20, 20, 200, 1), qRgb(0, 0, 0)), 200);
    QCOMPARE(countColour(image, empty->bounds().adjusted(1, 1, -1, -1), qRgb(255, 255, 255)),
             98 * 28);

    // An opaque label fills its area with its colour.
    empty->setBGColor(TColor(0x00FF00)); // green
    empty->setTransparent(false);
    QCOMPARE(
        countColour(f.surface->image(), empty->bounds().adjusted(1, 1, -1, -1), qRgb(0, 255, 0)),
        98 * 28);

    // At zoom 1.5 the text keeps its line breaks: the same words, scaled.
    f.surface->setZoom(1.5f);
    QVERIFY(countColour(f.surface->image(), label->bounds(), qRgb(255, 0, 0)) > 40);
}

QTEST_MAIN(tst_RichTextLabel)
#include "tst_RichTextLabel.moc"
