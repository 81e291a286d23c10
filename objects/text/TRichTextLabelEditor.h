#pragma once
// The rich text label's editor ("Rich Text Editor"): a tool bar of font name, size and
// colour, normal, bold, italic and underline, paragraph alignment, copy, cut and paste, and
// "Zoom In" / "Zoom Out"; below it the editing area, the label's size on screen, in which
// the text is laid out on the label's page exactly as the label paints it and shown at the
// zoom. RTF on the clipboard (from a word processor) pastes with its formatting.
#include <QDialog>
#include <QGraphicsTextItem>
#include <QSize>

class QFontComboBox;
class QComboBox;
class QGraphicsView;
class QTextCharFormat;
class QTextDocument;
class QToolButton;
class TGPRichBaseLabel;

class TRichTextLabelEditor : public QDialog {
    Q_OBJECT
  public:
    // The editor for the label, its text a copy of the label's (not shown yet).
    explicit TRichTextLabelEditor(const TGPRichBaseLabel& label, QWidget* parent = nullptr);

    // The "Edit" command: runs the editor through the dialog host; on "Ok" the label takes
    // the edited text.
    static void edit(TGPRichBaseLabel& label);

    QTextDocument& document() const;
    int zoom() const { return zoom_; }
    // The editing area's size on screen.
    QSize editingAreaSize() const;

    // Tool bar commands.
    void zoomIn();
    void zoomOut();
    void copy();
    void cut();
    void paste();

  signals:
    void shown();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void setZoom(int zoom);
    // Sets the size in points typed or chosen in the size box (1 to 1638).
    void applySize(const QString& text);
    void mergeFormat(const QTextCharFormat& format);
    void setAlignment(Qt::Alignment alignment);
    void chooseColor();
    void showCursorFormat();

    QGraphicsView* view_ = nullptr;
    QGraphicsTextItem* text_ = nullptr;
    QFontComboBox* fontName_ = nullptr;
    QComboBox* fontSize_ = nullptr;
    QToolButton* bold_ = nullptr;
    QToolButton* italic_ = nullptr;
    QToolButton* underline_ = nullptr;
    int zoom_ = 100;
    // The editing area's size and the zoom when the dialog was shown.
    QSize baseSize_;
    int baseZoom_ = 100;
};
