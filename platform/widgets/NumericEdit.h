#pragma once
// A numeric edit field: holds a value at full precision and shows it rounded to a number of
// decimals, with at least a minimum number of them (display pattern "#0.###" has none,
// "#0.0##" one). Typing changes the value to what was typed; values the field cannot hold
// (letters, too many digits or decimals) cannot be typed.
#include <QLineEdit>

class QRegularExpressionValidator;

namespace platform {

class NumericEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit NumericEdit(QWidget* parent = nullptr);

    double value() const { return value_; }
    void setValue(double v);
    int decimals() const { return decimals_; }
    // Changes the input filter only; the shown text stays until the next setValue.
    void setDecimals(int decimals);
    void setMinimumDecimals(int minimum);
    // How many digits the field takes before and after the decimal point together.
    void setDigits(int digits);

    // The text the field shows for a value.
    QString format(double v) const;

  private:
    void updateValidator();
    void takeText(const QString& text);

    QRegularExpressionValidator* validator_ = nullptr; // owned by the field
    double value_ = 0.0;
    int decimals_ = 3;
    int minimumDecimals_ = 0;
    int digits_ = 6;
    bool settingValue_ = false;
};

} // namespace platform
