#pragma once
// The "Symbol Selector": the characters with codes 32 to 255 of the chosen font in a
// multi-column list (drawn at 20 points whatever size is chosen), and a font button whose
// caption names the list font. The chosen font, with the size picked in the font dialog,
// becomes the symbol's.
#include "document/TGFont.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

class TGetSymbol : public QDialog {
    Q_OBJECT
  public:
    static constexpr int listPoints = 20;

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
    // The "Font" button: the font dialog with the chosen font.
    void FontbuttonClick();

    QPushButton* Fontbutton = nullptr;
    QListWidget* SymbolList = nullptr;
    QLabel* SelectedChar = nullptr;

  private:
    void showListFont();

    TGFont chosen_;
    TGFont listFont_;
};
