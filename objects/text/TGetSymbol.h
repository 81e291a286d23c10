#pragma once
// The "Symbol Selector": the characters with codes 32 to 255 of the chosen font in a
// multi-column list (drawn at 20 points whatever size is chosen), and a font button whose
// caption names the list font. The chosen font becomes the symbol's: its face from the
// symbol faces offered (also when they are not installed and draw through the mapping)
// or the font dialog, its size from the size box or the font dialog.
#include "document/TGFont.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

class TGetSymbol : public QDialog {
    Q_OBJECT
  public:
    static constexpr int listPoints = 20;
    static constexpr int minPoints = 4;
    static constexpr int maxPoints = 400;

    explicit TGetSymbol(QWidget* parent = nullptr);

    // The chosen font (SelectedChar's); the list takes its face, style and colour.
    void setChosenFont(const TGFont& font);
    const TGFont& chosenFont() const { return chosen_; }
    // The selected character code, 32 to 255, or -1 when none is selected.
    int code() const;
    void setCode(int code);
    // The code page 1252 code of a text's first character (-1 when it has none), and the
    // character of a code.
    static int codeOf(const QString& text);
    static QString characterOf(int code);
    // Columns of the list for a list font size in points.
    static int columnsFor(int points);
    // The font button's caption for the list font.
    QString fontButtonCaption() const;
    // The "Font" button: the font dialog with the chosen font. A symbol face that is not
    // installed opens the dialog on the face that draws it; left there, the face stays.
    void fontbuttonClick();
    // A face from the list of symbol faces.
    void chooseFace(const QString& face);

  private:
    void showListFont();

    TGFont chosen_;
    TGFont listFont_;

    QComboBox* symbolFaceCombo_ = nullptr;
    QSpinBox* symbolSizeBox_ = nullptr;
    QPushButton* fontButton_ = nullptr;
    QListWidget* symbolList_ = nullptr;
    QLabel* selectedChar_ = nullptr;
};
