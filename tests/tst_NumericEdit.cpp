// The numeric edit field: what it shows for a value under each display pattern, that it keeps
// the value at full precision, and what typing can put into it.
#include "platform/widgets/NumericEdit.h"

#include <QtTest>

using platform::NumericEdit;

class tst_NumericEdit : public QObject {
    Q_OBJECT
  private slots:
    void shown_data();
    void shown();
    void keepsFullPrecision();
    void typing_data();
    void typing();
};

void tst_NumericEdit::shown_data() {
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("#0.### whole") << 3 << 0 << 2.0 << "2";
    QTest::newRow("#0.### fraction") << 3 << 0 << 3.5 << "3.5";
    QTest::newRow("#0.### three decimals") << 3 << 0 << double(2.047f) << "2.047";
    QTest::newRow("#0.0## whole") << 3 << 1 << 2.0 << "2.0";
    QTest::newRow("#0.0## rounds") << 3 << 1 << 0.59149 << "0.591";
    QTest::newRow("2 decimals, #0.###") << 2 << 0 << 89.9922 << "89.99";
    QTest::newRow("2 decimals, #0.0##") << 2 << 1 << 88.9 << "88.9";
    QTest::newRow("rounds to zero") << 2 << 0 << 0.001 << "0";
    QTest::newRow("no minus zero") << 2 << 1 << -0.001 << "0.0";
}

void tst_NumericEdit::shown() {
    QFETCH(int, decimals);
    QFETCH(int, minimum);
    QFETCH(double, value);
    QFETCH(QString, text);
    NumericEdit e;
    e.setDecimals(decimals);
    e.setMinimumDecimals(minimum);
    e.setValue(value);
    QCOMPARE(e.text(), text);
}

void tst_NumericEdit::keepsFullPrecision() {
    NumericEdit e;
    e.setDecimals(2);
    e.setValue(51.9938);
    QCOMPARE(e.text(), QStringLiteral("51.99"));
    QCOMPARE(e.value(), 51.9938);
    e.setText(QStringLiteral("8"));
    QCOMPARE(e.value(), 8.0);
}

void tst_NumericEdit::typing_data() {
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("inches") << 3 << "12.3456"
                            << "12.345";
    QTest::newRow("millimetres") << 2 << "88.905"
                                 << "88.90";
    QTest::newRow("six digits in all") << 3 << "1234567"
                                       << "123456";
    QTest::newRow("six digits with decimals") << 3 << "1234.567"
                                              << "1234.56";
    QTest::newRow("no letters or signs") << 3 << "-a1,5"
                                         << "15";
}

void tst_NumericEdit::typing() {
    QFETCH(int, decimals);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    NumericEdit e;
    e.setDecimals(decimals);
    e.clear();
    QTest::keyClicks(&e, keys);
    QCOMPARE(e.text(), text);
    QCOMPARE(e.value(), text.toDouble());
}

QTEST_MAIN(tst_NumericEdit)
#include "tst_NumericEdit.moc"
