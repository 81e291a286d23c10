#include "TRichTextLabelEditor.h"

#include "TGPRichBaseLabel.h"
#include "document/TGBasePanel.h"
#include "document/TGFont.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/richtext/RtfKept.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"
#include "platform/widgets/DialogHost.h"
#include "platform/widgets/DialogParts.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontComboBox>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <functional>

namespace {
constexpr int kHelpContext = 40013;
const char* const rtfMimeTypes[] = {"text/rtf", "application/rtf"};

// The editing control; pasting goes through the editor, which reads RTF.
// Ctrl+B, Ctrl+I and Ctrl+U press the tool bar's buttons.
class EditingText : public QGraphicsTextItem {
  public:
    std::function<void()> onPaste;
    std::function<void(QKeySequence::StandardKey)> onStyle;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Paste) && onPaste) {
            onPaste();
            event->accept();
            return;
        }
        for (QKeySequence::StandardKey key :
             {QKeySequence::Bold, QKeySequence::Italic, QKeySequence::Underline}) {
            if (event->matches(key) && onStyle) {
                onStyle(key);
                event->accept();
                return;
            }
        }
        QGraphicsTextItem::keyPressEvent(event);
    }
};

// A click anywhere in the editing area, beside or below the text too, gives the caret to
// the text.
class EditingView : public QGraphicsView {
  public:
    EditingView(QGraphicsScene* scene, QGraphicsTextItem* text)
        : QGraphicsView(scene), text_(text) {}

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        QGraphicsView::mousePressEvent(event);
        if (itemAt(event->pos()) == text_) return;
        const QPointF p = text_->mapFromScene(mapToScene(event->pos()));
        const int position = text_->document()->documentLayout()->hitTest(p, Qt::FuzzyHit);
        QTextCursor cursor(text_->document());
        cursor.setPosition(position < 0 ? text_->document()->characterCount() - 1 : position);
        text_->setTextCursor(cursor);
        text_->setFocus();
    }

  private:
    QGraphicsTextItem* text_;
};

// What an empty document is typed in: the card's default font.
void startInFont(QTextDocument& doc, const TGFont& font) {
    QTextCharFormat f;
    f.setFontFamilies(QStringList{font.name()});
    f.setFontPointSize(font.size());
    f.setFontWeight(font.style().testFlag(Gdi::fsBold) ? QFont::Bold : QFont::Normal);
    f.setFontItalic(font.style().testFlag(Gdi::fsItalic));
    f.setFontUnderline(font.style().testFlag(Gdi::fsUnderline));
    QTextCursor(&doc).setBlockCharFormat(f);
}

QToolButton* addButton(QToolBar* bar, const char* name, const QString& text,
                       std::function<void()> action, bool checkable = false) {
    auto* b = new QToolButton(bar);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolTip(text);
    b->setCheckable(checkable);
    b->setFocusPolicy(Qt::NoFocus);
    QObject::connect(b, &QToolButton::clicked, b, [action = std::move(action)] { action(); });
    bar->addWidget(b);
    return b;
}
} // namespace

TRichTextLabelEditor::TRichTextLabelEditor(const TGPRichBaseLabel& label, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Rich Text Editor"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::WindowContextHelpButtonHint);
    setSizeGripEnabled(true);

    // The editing control: the label's page at zoom 1, shown at the zoom.
    auto* editing = new EditingText;
    editing->onPaste = [this] { paste(); };
    editing->onStyle = [this](QKeySequence::StandardKey key) {
        QToolButton* b = key == QKeySequence::Bold     ? bold_
                         : key == QKeySequence::Italic ? italic_
                                                       : underline_;
        b->click();
    };
    text_ = editing;
    QTextDocument* doc = text_->document();
    doc->setUseDesignMetrics(true);
    doc->setDocumentMargin(0);
    platform::RtfReader::read(label.richText().rtf(), *doc);
    if (doc->isEmpty() && label.surface()) startInFont(*doc, label.surface()->font());
    // "Ok" without an edit leaves the label's text as it is.
    doc->setModified(false);
    text_->setTextInteractionFlags(Qt::TextEditorInteraction);
    text_->setDefaultTextColor(Qt::black);
    const double ppi = platform::ScreenMetrics::pixelsPerInch();
    const QSizeF page(label.pageTwips().width() * ppi / 1440.0,
                      label.pageTwips().height() * ppi / 1440.0);
    text_->setTextWidth(page.width());
    auto* scene = new QGraphicsScene(this);
    scene->addItem(text_);
    scene->setSceneRect(QRectF(QPointF(0, 0), page));
    // Text beyond the label's box stays reachable: the page grows with the text.
    connect(doc->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, scene,
            [scene, page](const QSizeF& size) {
                scene->setSceneRect(
                    QRectF(0, 0, page.width(), std::max(page.height(), size.height())));
            });
    view_ = new EditingView(scene, text_);
    view_->setObjectName(QStringLiteral("EditingArea"));
    view_->setFrameShape(QFrame::Box);
    view_->setLineWidth(1);
    view_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view_->setBackgroundBrush(label.transparent() ? QColor(Qt::white) : label.bgColor().toQColor());
    view_->setFixedSize(label.width() + 1, label.height() + 1);
    setZoom(int(std::lround(label.zoomFactor() * 100)));
    baseSize_ = view_->size();
    baseZoom_ = zoom_;
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("ScrollBox"));
    scroll->setWidget(view_);
    scroll->setBackgroundRole(QPalette::Dark);

    // The tool bar bound to the editing control.
    auto* bar = new QToolBar;
    bar->setObjectName(QStringLiteral("ToolBar"));
    fontName_ = new QFontComboBox(bar);
    fontName_->setObjectName(QStringLiteral("FontName"));
    fontName_->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(fontName_);
    connect(fontName_, &QFontComboBox::currentFontChanged, this, [this](const QFont& f) {
        QTextCharFormat format;
        format.setFontFamilies(QStringList{f.family()});
        format.setProperty(platform::RtfKept::FontFamily, QString()); // the new face's own
        mergeFormat(format);
    });
    fontSize_ = new QComboBox(bar);
    fontSize_->setObjectName(QStringLiteral("FontSize"));
    fontSize_->setEditable(true);
    fontSize_->setFocusPolicy(Qt::ClickFocus);
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        fontSize_->addItem(QString::number(size));
    bar->addWidget(fontSize_);
    connect(fontSize_, &QComboBox::textActivated, this, &TRichTextLabelEditor::applySize);
    addButton(bar, "FontColor", QStringLiteral("Color"), [this] { chooseColor(); });
    bar->addSeparator();
    addButton(bar, "NormalButton", QStringLiteral("Normal"), [this] {
        QTextCharFormat format;
        format.setFontWeight(QFont::Normal);
        format.setFontItalic(false);
        format.setFontUnderline(false);
        mergeFormat(format);
    });
    bold_ = addButton(
        bar, "BoldButton", QStringLiteral("Bold"),
        [this] {
            QTextCharFormat format;
            format.setFontWeight(bold_->isChecked() ? QFont::Bold : QFont::Normal);
            mergeFormat(format);
        },
        true);
    italic_ = addButton(
        bar, "ItalicButton", QStringLiteral("Italic"),
        [this] {
            QTextCharFormat format;
            format.setFontItalic(italic_->isChecked());
            mergeFormat(format);
        },
        true);
    underline_ = addButton(
        bar, "UnderlineButton", QStringLiteral("Underline"),
        [this] {
            QTextCharFormat format;
            format.setFontUnderline(underline_->isChecked());
            mergeFormat(format);
        },
        true);
    bar->addSeparator();
    addButton(bar, "AlignLeftButton", QStringLiteral("Align Left"),
              [this] { setAlignment(Qt::AlignLeft); });
    addButton(bar, "AlignRightButton", QStringLiteral("Align Right"),
              [this] { setAlignment(Qt::AlignRight); });
    addButton(bar, "JustifyButton", QStringLiteral("Justify"),
              [this] { setAlignment(Qt::AlignJustify); });
    addButton(bar, "CenterButton", QStringLiteral("Center"),
              [this] { setAlignment(Qt::AlignHCenter); });
    bar->addSeparator();
    addButton(bar, "CopyButton", QStringLiteral("Copy"), [this] { copy(); });
    addButton(bar, "CutButton", QStringLiteral("Cut"), [this] { cut(); });
    addButton(bar, "PasteButton", QStringLiteral("Paste"), [this] { paste(); });
    bar->addSeparator();
    addButton(bar, "ZoomInButton", QStringLiteral("Zoom In"), [this] { zoomIn(); });
    addButton(bar, "ZoomOutButton", QStringLiteral("Zoom Out"), [this] { zoomOut(); });
    connect(text_->document(), &QTextDocument::cursorPositionChanged, this,
            &TRichTextLabelEditor::showCursorFormat);

    const auto [buttons, ok, cancel, help] = platform::ButtonRow(
        this, {"Ok", "OKButton"}, {"Cancel", "CancelButton"}, {"Help", "HelpButton"}, kHelpContext);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QVBoxLayout(this);
    top->addWidget(bar);
    top->addWidget(scroll, 1);
    top->addLayout(buttons);
    // Wide enough for the whole tool bar.
    resize(std::max({560, label.width() + 60, bar->sizeHint().width() + 24}),
           std::max(300, label.height() + 160));
    showCursorFormat();
}

void TRichTextLabelEditor::edit(TGPRichBaseLabel& label) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    bool waiting = true;
    const auto restore = [&waiting] {
        if (waiting) QGuiApplication::restoreOverrideCursor();
        waiting = false;
    };
    TRichTextLabelEditor dialog(label, QApplication::activeWindow());
    connect(&dialog, &TRichTextLabelEditor::shown, &dialog, restore);
    const int result = platform::DialogHost::current().exec(dialog);
    restore();
    if (result != QDialog::Accepted || !dialog.document().isModified()) return;
    label.setDocument(dialog.document());
    label.flagChanged();
}

QTextDocument& TRichTextLabelEditor::document() const {
    return *text_->document();
}

QSize TRichTextLabelEditor::editingAreaSize() const {
    return view_->size();
}

void TRichTextLabelEditor::keyPressEvent(QKeyEvent* event) {
    // Enter in the size box sets the size, not "Ok".
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && fontSize_->isAncestorOf(QApplication::focusWidget())) {
        applySize(fontSize_->currentText());
        view_->setFocus();
        text_->setFocus();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TRichTextLabelEditor::applySize(const QString& text) {
    const double size = text.toDouble();
    if (size < 1 || size > 1638) return;
    QTextCharFormat format;
    format.setFontPointSize(size);
    mergeFormat(format);
}

void TRichTextLabelEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    view_->setVisible(true);
    QTextCursor start(text_->document());
    text_->setTextCursor(start);
    text_->setFocus();
    view_->setFocus();
    baseSize_ = view_->size();
    baseZoom_ = zoom_;
    emit shown();
}

void TRichTextLabelEditor::setZoom(int zoom) {
    zoom_ = zoom;
    view_->setTransform(QTransform::fromScale(zoom / 100.0, zoom / 100.0));
}

void TRichTextLabelEditor::zoomIn() {
    if (zoom_ >= 100) return;
    setZoom(zoom_ + 10);
    view_->setFixedSize(int(std::lround(double(zoom_) * baseSize_.width() / baseZoom_)),
                        int(std::lround(double(zoom_) * baseSize_.height() / baseZoom_)));
}

void TRichTextLabelEditor::zoomOut() {
    if (zoom_ <= 50) return;
    setZoom(zoom_ - 10);
    view_->setFixedSize(int(std::lround(double(zoom_) * baseSize_.width() / baseZoom_)),
                        int(std::lround(double(zoom_) * baseSize_.height() / baseZoom_)));
}

void TRichTextLabelEditor::mergeFormat(const QTextCharFormat& format) {
    QTextCursor cursor = text_->textCursor();
    cursor.mergeCharFormat(format);
    text_->setTextCursor(cursor);
}

void TRichTextLabelEditor::setAlignment(Qt::Alignment alignment) {
    QTextCursor cursor = text_->textCursor();
    QTextBlockFormat format;
    format.setAlignment(alignment);
    cursor.mergeBlockFormat(format);
    text_->setTextCursor(cursor);
}

void TRichTextLabelEditor::chooseColor() {
    const QTextCharFormat current = text_->textCursor().charFormat();
    const TColor initial = TColor::fromQColor(current.foreground().color());
    const std::optional<TColor> chosen = platform::DialogHost::current().chooseColor(initial);
    if (!chosen) return;
    QTextCharFormat format;
    format.setForeground(chosen->toQColor());
    mergeFormat(format);
}

void TRichTextLabelEditor::showCursorFormat() {
    const QTextCharFormat f = text_->textCursor().charFormat();
    const QSignalBlocker b1(fontName_), b2(fontSize_);
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty()) {
        fontName_->setCurrentFont(QFont(families.first()));
        // The face the document names, installed or not.
        fontName_->setEditText(families.first());
    }
    if (f.fontPointSize() > 0) fontSize_->setEditText(QString::number(f.fontPointSize()));
    bold_->setChecked(f.fontWeight() > QFont::Medium);
    italic_->setChecked(f.fontItalic());
    underline_->setChecked(f.fontUnderline());
}

void TRichTextLabelEditor::copy() {
    const QTextCursor cursor = text_->textCursor();
    if (!cursor.hasSelection()) return;
    const QTextDocumentFragment fragment = cursor.selection();
    QTextDocument selected;
    QTextCursor(&selected).insertFragment(fragment);
    auto* mime = new QMimeData;
    mime->setText(fragment.toPlainText());
    mime->setHtml(fragment.toHtml());
    mime->setData(QLatin1String(rtfMimeTypes[0]), platform::RtfWriter::write(selected));
    QGuiApplication::clipboard()->setMimeData(mime);
}

void TRichTextLabelEditor::cut() {
    QTextCursor cursor = text_->textCursor();
    if (!cursor.hasSelection()) return;
    copy();
    cursor.removeSelectedText();
    text_->setTextCursor(cursor);
}

void TRichTextLabelEditor::paste() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime) return;
    QTextDocumentFragment fragment;
    bool found = false;
    for (const char* type : rtfMimeTypes) {
        if (!mime->hasFormat(QLatin1String(type))) continue;
        QTextDocument pasted;
        platform::RtfReader::read(mime->data(QLatin1String(type)), pasted);
        fragment = QTextDocumentFragment(&pasted);
        found = true;
        break;
    }
    if (!found && mime->hasHtml())
        fragment = QTextDocumentFragment::fromHtml(mime->html());
    else if (!found && mime->hasText())
        fragment = QTextDocumentFragment::fromPlainText(mime->text());
    if (fragment.isEmpty()) return;
    QTextCursor cursor = text_->textCursor();
    cursor.insertFragment(fragment);
    text_->setTextCursor(cursor);
}
