// File names by their bytes: names that are not UTF-8 survive the way into a QString and
// back, show readably, keep in text, and are found again after the toolkit's lossy reading.
#include "platform/FileName.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

class tst_FileName : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void lossyToolkitNameFound();
};

void tst_FileName::roundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ASCII") << QByteArray("/cards/Smith.ORL") << "/cards/Smith.ORL";
    QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9 \xf0\x9f\x98\x80.ORL") << QStringLiteral("café 😀.ORL");
    QTest::newRow("Latin-1") << QByteArray("caf\xe9.ORL") << QStringLiteral("café.ORL");
    QTest::newRow("code page 1252") << QByteArray("\x93quoted\x94") << QStringLiteral("\u201cquoted\u201d");
    QTest::newRow("not in the code page") << QByteArray("a\x81z") << QStringLiteral("a\ufffdz");
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QStringLiteral("\u00c0\u00af");
    QTest::newRow("encoded surrogate") << QByteArray("\xed\xb3\xa9") << QStringLiteral("\u00ed\u00b3\u00a9");
    QTest::newRow("cut short") << QByteArray("\xe2\x82.ORL") << QStringLiteral("\u00e2\u201a.ORL");
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << QStringLiteral("\u00f4\ufffd\u20ac\u20ac");
}

void tst_FileName::roundTrip()
{
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

void tst_FileName::lossyToolkitNameFound()
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    QFile card(dir.filePath("x"));
    QVERIFY(card.open(QIODevice::WriteOnly));
    card.close();
    QVERIFY(::rename(QFile::encodeName(card.fileName()), folder + "caf\xe9.ORL") == 0);
    const auto cleanUp = qScopeGuard([&folder] { ::unlink(folder + "caf\xe9.ORL"); });
    // As a file dialog returns it.
    const QString lossy = QFile::decodeName(folder + "caf\xe9.ORL");
    QVERIFY(!platform::FileName::exists(lossy));
    const QString found = platform::FileName::fromToolkit(lossy);
    QCOMPARE(platform::FileName::toBytes(found), folder + "caf\xe9.ORL");
    QVERIFY(platform::FileName::isFile(found));
    // Two names that read alike cannot be told apart: the name stays as it was given.
    QVERIFY(::link(folder + "caf\xe9.ORL", folder + "caf\xe8.ORL") == 0);
    const auto cleanUp2 = qScopeGuard([&folder] { ::unlink(folder + "caf\xe8.ORL"); });
    QCOMPARE(platform::FileName::fromToolkit(lossy), lossy);
}

QTEST_MAIN(tst_FileName)
#include "tst_FileName.moc"
