#pragma once
// The "Multi-line Text Editor": a resizable window filled by the edit field Memo, which
// takes typing up to 254 characters in all (a line break counts as one), with "Ok", "Cancel"
// and "Help". Runs through the dialog host.
#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class TGFont;

class TMultiLineTextEditor : public QDialog {
    Q_OBJECT
  public:
    static constexpr int maxLength = 254;

    explicit TMultiLineTextEditor(QWidget* parent = nullptr);

    // The edit field shows the font at its nominal size.
    void setEditorFont(const TGFont& font);
    // The lines of the text: none for an empty text, and a final line break ends the last
    // line rather than starting an empty one.
    QStringList lines() const;
    void setLines(const QStringList& lines);

  private:
    // Takes back whatever an edit put beyond the limit.
    void enforceLimit(int position, int removed, int added);

    bool settingText_ = false;

    QPlainTextEdit* memo_ = nullptr;
};
