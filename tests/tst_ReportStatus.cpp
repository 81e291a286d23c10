// The report's status line: page and line macros, percent signs and line breaks.
#include "platform/report/ReportStatus.h"

#include <QtTest>

using platform::ReportStatus;

class tst_ReportStatus : public QObject {
    Q_OBJECT
  private slots:
    void expand_data();
    void expand();
    void refreshReachesSink();
};

void tst_ReportStatus::expand_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("expected");

    const QStringList two{QStringLiteral("first"), QStringLiteral("second")};
    QTest::newRow("printing") << "Printing Page %p\r%0\r%1" << 3 << QStringList{"", ""}
                              << "Printing Page 3\n\n";
    QTest::newRow("preview") << "Preparing Preview Page %p\r%0\r%1" << 1 << two
                             << "Preparing Preview Page 1\nfirst\nsecond";
    QTest::newRow("page twice, two digits") << "%p/%p" << 12 << QStringList() << "12/12";
    QTest::newRow("missing lines are empty") << "[%2][%9]" << 1 << two << "[][]";
    QTest::newRow("all ten lines")
        << "%0%1%2%3%4%5%6%7%8%9" << 1
        << QStringList{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"} << "abcdefghij";
    QTest::newRow("doubled percent") << "100%% done" << 1 << QStringList() << "100% done";
    QTest::newRow("doubled percent before a macro letter") << "%%p" << 7 << QStringList() << "%p";
    QTest::newRow("unknown macro kept") << "50%x %q" << 1 << QStringList() << "50%x %q";
    QTest::newRow("trailing percent kept") << "ends with %" << 1 << QStringList() << "ends with %";
    QTest::newRow("percent before a macro") << "%%%p" << 4 << QStringList() << "%4";
    QTest::newRow("quoted line is not expanded again") << "%0" << 5 << QStringList{"%p"} << "%p";
    QTest::newRow("leading carriage return") << "\rBusiness Card Print Canceled!" << 1
                                             << QStringList() << "\nBusiness Card Print Canceled!";
    QTest::newRow("CRLF is one break") << "a\r\nb" << 1 << QStringList() << "a\nb";
    QTest::newRow("line break inside a quoted line") << "%0" << 1 << QStringList{"x\ry"} << "x\ny";
    QTest::newRow("empty") << "" << 1 << QStringList() << "";
}

void tst_ReportStatus::expand() {
    QFETCH(QString, format);
    QFETCH(int, page);
    QFETCH(QStringList, lines);
    QFETCH(QString, expected);
    QCOMPARE(ReportStatus::expand(format, page, lines), expected);
}

void tst_ReportStatus::refreshReachesSink() {
    ReportStatus status;
    status.refresh(1); // no sink: nothing happens
    QStringList shown;
    status.sink = [&shown](const QString& t) { shown << t; };
    status.format = QStringLiteral("Page %p of %0");
    status.text = {QStringLiteral("many")};
    status.refresh(2);
    QCOMPARE(shown, QStringList{QStringLiteral("Page 2 of many")});
}

QTEST_GUILESS_MAIN(tst_ReportStatus)
#include "tst_ReportStatus.moc"
