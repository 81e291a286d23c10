#pragma once
// "Symbol Selector": picks one character of a symbol font for the effect text. The font
// list holds the installed symbol fonts (a "WINGDING" font preselected); the grid shows
// codes 32 to 255 in the chosen font, 15 to a row.
#include <QDialog>

class QComboBox;
class QTableWidget;

class TSuperTextGetSymbol : public QDialog {
    Q_OBJECT
  public:
    explicit TSuperTextGetSymbol(QWidget* parent = nullptr);

    // The installed symbol fonts, sorted.
    static QStringList symbolFonts();
    // Runs the chooser; false with "No Symbol fonts installed" when there is none to
    // choose from, or when the user cancels.
    static bool execute(QString& symbol, QString& fontName);

    QString chosenFont() const;
    // The chosen character, or empty.
    QString chosenSymbol() const;

  private:
    void fontChosen();
    void okButtonClick();

    QComboBox* fontCombo_ = nullptr;
    QTableWidget* symbolGrid_ = nullptr;
};
