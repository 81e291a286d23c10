#include "platform/widgets/NumericEdit.h"

#include <QLocale>
#include <QRegularExpressionValidator>

#include <cmath>

namespace platform {

NumericEdit::NumericEdit(QWidget* parent) : QLineEdit(parent) {
    validator_ = new QRegularExpressionValidator(this);
    setValidator(validator_);
    updateValidator();
    connect(this, &QLineEdit::textChanged, this, &NumericEdit::takeText);
    setValue(0.0);
}

void NumericEdit::setValue(double v) {
    settingValue_ = true;
    setText(format(v));
    settingValue_ = false;
    value_ = v;
}

void NumericEdit::setDecimals(int decimals) {
    decimals_ = std::max(0, decimals);
    updateValidator();
}

void NumericEdit::setMinimumDecimals(int minimum) {
    minimumDecimals_ = std::max(0, minimum);
}

void NumericEdit::setDigits(int digits) {
    digits_ = std::max(1, digits);
    updateValidator();
}

QString NumericEdit::format(double v) const {
    QString s = QString::number(v, 'f', decimals_);
    if (decimals_ > minimumDecimals_) {
        const qsizetype point = s.indexOf(QLatin1Char('.'));
        qsizetype keep = s.size();
        while (keep > point + 1 + minimumDecimals_ && s.at(keep - 1) == QLatin1Char('0'))
            --keep;
        if (keep == point + 1) --keep; // no decimals left: drop the point too
        s.truncate(keep);
    }
    if (s.startsWith(QLatin1Char('-')) && QLocale::c().toDouble(s) == 0.0) s.remove(0, 1);
    return s;
}

void NumericEdit::updateValidator() {
    // Up to digits_ digits in all, at most decimals_ of them after the point: one alternative
    // per number of digits before the point (a look-ahead would make every text a partial
    // match, which the field lets the user type).
    QStringList alternatives;
    for (int whole = 0; whole <= digits_; ++whole) {
        const int fraction = std::min(decimals_, digits_ - whole);
        alternatives << (fraction > 0
                             ? QStringLiteral("\\d{%1}(?:\\.\\d{0,%2})?").arg(whole).arg(fraction)
                             : QStringLiteral("\\d{%1}").arg(whole));
    }
    const QString pattern = QStringLiteral("^(?:%1)$").arg(alternatives.join(QLatin1Char('|')));
    validator_->setRegularExpression(QRegularExpression(pattern));
}

void NumericEdit::takeText(const QString& text) {
    if (settingValue_) return;
    bool ok = false;
    const double v = QLocale::c().toDouble(text, &ok);
    value_ = ok && std::isfinite(v) ? v : 0.0;
}

} // namespace platform
