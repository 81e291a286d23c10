// File names by their bytes: names that are not UTF-8 survive the way into a QString and
// back, show readably and keep in text.
#include "platform/system/FileName.h"

#include <QtTest>

class tst_FileName : public QObject {
    Q_OBJECT
  private slots:
    void roundTrip_data();
    void roundTrip();
};

void tst_FileName::roundTrip_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ASCII") << QByteArray("/cards/Smith.ORL") << "/cards/Smith.ORL";
    QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9 \xf0\x9f\x98\x80.ORL")
                           << QStringLiteral("café 😀.ORL");
    QTest::newRow("Latin-1") << QByteArray("caf\xe9.ORL") << QStringLiteral("café.ORL");
    QTest::newRow("code page 1252")
        << QByteArray("\x93quoted\x94") << QStringLiteral("\u201cquoted\u201d");
    QTest::newRow("not in the code page") << QByteArray("a\x81z") << QStringLiteral("a\ufffdz");
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QStringLiteral("\u00c0\u00af");
    QTest::newRow("encoded surrogate")
        << QByteArray("\xed\xb3\xa9") << QStringLiteral("\u00ed\u00b3\u00a9");
    QTest::newRow("cut short") << QByteArray("\xe2\x82.ORL") << QStringLiteral("\u00e2\u201a.ORL");
    QTest::newRow("beyond U+10FFFF")
        << QByteArray("\xf4\x90\x80\x80") << QStringLiteral("\u00f4\ufffd\u20ac\u20ac");
}

void tst_FileName::roundTrip() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    using platform::FileName;
    const QString name = FileName::fromBytes(bytes);
    QCOMPARE(FileName::toBytes(name), bytes);
    QCOMPARE(FileName::display(name), shown);
    // Valid UTF-8 reads as the toolkit reads it, and is stored as it is.
    if (QString::fromUtf8(bytes).toUtf8() == bytes) {
        QCOMPARE(name, QString::fromUtf8(bytes));
        QCOMPARE(FileName::toText(name), name);
    } else {
        QVERIFY(FileName::toText(name).startsWith("file://"));
    }
    QCOMPARE(FileName::fromText(FileName::toText(name)), name);
}

QTEST_MAIN(tst_FileName)
#include "tst_FileName.moc"
