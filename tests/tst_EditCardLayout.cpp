// The card layout: the predefined stocks, the on-screen card's pixel size, and the "Business Card
// Layout" dialog scripted through the dialog host (fields set by object name, then OK).
#include "platform/widgets/NumericEdit.h"
#include "printing/TCardLayout.h"
#include "printing/TEditCardLayout.h"
#include "support/DialogControl.h"
#include "support/ScriptedDialogHost.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

using platform::NumericEdit;

namespace {

NumericEdit* edit(QDialog& d, const char* name) {
    return control<NumericEdit>(d, name);
}

int clickOk(QDialog& d) {
    control<QPushButton>(d, "OKButton")->click();
    return d.result();
}
} // namespace

class tst_EditCardLayout : public QObject {
    Q_OBJECT
  private slots:
    void predefinedTable();
    void cardPixelSize_data();
    void cardPixelSize();
    void choosingAPredefinedLayout();
    void millimetreLimits_data();
    void millimetreLimits();
    void pitchRules_data();
    void pitchRules();
    void leavingASizeFieldRaisesThePitch_data();
    void leavingASizeFieldRaisesThePitch();
    void unitRoundTrip();
    void reopeningShowsTheStoredLayout();
    void paperList();
    void cancelChangesNothing();
    void okFromTheHostRunsTheChecks();
    void staysOpenUntilValid();
};

void tst_EditCardLayout::predefinedTable() {
    const auto& table = TCardLayout::predefinedLayouts();
    QCOMPARE(int(table.size()), 14);
    QCOMPARE(QString::fromLatin1(table[13].name), QStringLiteral("Avery Business Card L7419 (A4)"));
    // The defaults are the first stock.
    TCardLayout fromRow;
    fromRow.width = fromRow.height = 0;
    fromRow.loadPredefined(0);
    QCOMPARE(fromRow, TCardLayout());
    TCardLayout l;
    l.loadPredefined(9);
    QCOMPARE(l.width, 3.543f);
    QCOMPARE(l.topMargin, 0.846f);
    QCOMPARE(l.papersize, 9);
    l.loadPredefined(14); // no such row: nothing changes
    QCOMPARE(l.topMargin, 0.846f);
}

void tst_EditCardLayout::cardPixelSize_data() {
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<int>("ppi");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("default at 96") << 3.5f << 2.0f << 96 << QSize(336, 192);
    QTest::newRow("A4 stock at 96") << 3.543f << 2.047f << 96 << QSize(340, 197);
    QTest::newRow("half rounds to even") << 3.5f << 2.5f << 1 << QSize(4, 2);
    QTest::newRow("120") << 3.5f << 2.0f << 120 << QSize(420, 240);
}

void tst_EditCardLayout::cardPixelSize() {
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(int, ppi);
    QFETCH(QSize, expected);
    TCardLayout l;
    l.width = width;
    l.height = height;
    QCOMPARE(l.cardPixelSize(ppi), expected);
}

void tst_EditCardLayout::choosingAPredefinedLayout() {
    ScriptedDialogHost host;
    QStringList inches, millimetres;
    host.dialogs.push_back([&](QDialog& d) {
        control<QComboBox>(d, "PredefinedLayouts")->setCurrentIndex(10);
        for (const char* name :
             {"eCardwidth", "eCardHeight", "eHorizPitch", "eVertPitch", "eleftmarg", "etopmarg"})
            inches << edit(d, name)->text();
        inches << control<QSpinBox>(d, "enbracross")->text()
               << control<QSpinBox>(d, "enbrdown")->text()
               << control<QComboBox>(d, "epapersize")->currentText();
        control<QRadioButton>(d, "MMButton")->setChecked(true);
        millimetres << edit(d, "eCardwidth")->text() << edit(d, "eCardHeight")->text();
        return clickOk(d);
    });
    TCardLayout start;
    start.across = 1;
    start.down = 1;
    const auto result = TEditCardLayout::execute(start);
    QCOMPARE(host.dialogTitles, QStringList{"Business Card Layout"});
    QCOMPARE(inches, QStringList({"3.543", "2.047", "3.543", "2.047", "0.591", "0.728", "2", "5",
                                  "A4 (210 x 297mm)"}));
    QCOMPARE(millimetres, QStringList({"89.99", "51.99"}));
    QVERIFY(result);
    TCardLayout expected;
    expected.loadPredefined(10);
    expected.predefLayout = 10;
    expected.useMM = true;
    QCOMPARE(*result, expected);
}

void tst_EditCardLayout::millimetreLimits_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("mm");
    QTest::addColumn<float>("inches"); // 0: rejected
    QTest::addColumn<QString>("message");
    QTest::newRow("height 7 mm") << "eCardHeight"
                                 << "7" << 0.0f
                                 << "Card Height must be at least .3 inches (or 7mm)";
    QTest::newRow("height 8 mm") << "eCardHeight"
                                 << "8" << 0.315f << "";
    QTest::newRow("width 13 mm") << "eCardwidth"
                                 << "13" << 0.512f << "";
    QTest::newRow("width 12 mm") << "eCardwidth"
                                 << "12" << 0.0f << "Card Width must be at least .5 inch (or 13mm)";
    QTest::newRow("height is tested before width") << "both"
                                                   << "1" << 0.0f
                                                   << "Card Height must be at least .3 inches "
                                                      "(or 7mm)";
}

void tst_EditCardLayout::millimetreLimits() {
    QFETCH(QString, field);
    QFETCH(QString, mm);
    QFETCH(float, inches);
    QFETCH(QString, message);
    ScriptedDialogHost host;
    host.dialogs.push_back([&](QDialog& d) {
        if (field == "both") {
            edit(d, "eCardHeight")->setText(mm);
            edit(d, "eCardwidth")->setText(mm);
        } else {
            edit(d, field.toLatin1().constData())->setText(mm);
        }
        return clickOk(d);
    });
    TCardLayout start;
    start.useMM = true;
    const auto result = TEditCardLayout::execute(start);
    QCOMPARE(host.messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(bool(result), inches != 0.0f);
    if (result) QCOMPARE(field == "eCardHeight" ? result->height : result->width, inches);
}

void tst_EditCardLayout::pitchRules_data() {
    QTest::addColumn<int>("across");
    QTest::addColumn<int>("down");
    QTest::addColumn<QString>("hpitch");
    QTest::addColumn<QString>("vpitch");
    QTest::addColumn<QString>("message");
    QTest::newRow("1 across, pitch below width") << 1 << 5 << "3"
                                                 << "2"
                                                 << "";
    QTest::newRow("2 across, pitch below width")
        << 2 << 5 << "3"
        << "2"
        << "Horizontal Pitch must be at least = Card Width";
    QTest::newRow("1 down, pitch below height") << 2 << 1 << "3.5"
                                                << "1"
                                                << "";
    QTest::newRow("2 down, pitch below height") << 2 << 2 << "3.5"
                                                << "1.999"
                                                << "Vertical Pitch must be at least = Card Height";
    QTest::newRow("pitch equal to size") << 10 << 30 << "3.5"
                                         << "2"
                                         << "";
}

void tst_EditCardLayout::pitchRules() {
    QFETCH(int, across);
    QFETCH(int, down);
    QFETCH(QString, hpitch);
    QFETCH(QString, vpitch);
    QFETCH(QString, message);
    ScriptedDialogHost host;
    host.dialogs.push_back([&](QDialog& d) {
        control<QSpinBox>(d, "enbracross")->setValue(across);
        control<QSpinBox>(d, "enbrdown")->setValue(down);
        edit(d, "eHorizPitch")->setText(hpitch);
        edit(d, "eVertPitch")->setText(vpitch);
        return clickOk(d);
    });
    const auto result = TEditCardLayout::execute(TCardLayout());
    QCOMPARE(host.messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(bool(result), message.isEmpty());
    if (result) {
        QCOMPARE(result->across, across);
        QCOMPARE(result->down, down);
        QCOMPARE(result->hPitch, hpitch.toFloat());
    }
}

void tst_EditCardLayout::leavingASizeFieldRaisesThePitch_data() {
    QTest::addColumn<QByteArray>("size");
    QTest::addColumn<QByteArray>("pitch");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pitchAfter");
    QTest::newRow("wider card") << QByteArray("eCardwidth") << QByteArray("eHorizPitch") << "4"
                                << "4";
    QTest::newRow("narrower card leaves the pitch")
        << QByteArray("eCardwidth") << QByteArray("eHorizPitch") << "3"
        << "3.5";
    QTest::newRow("taller card") << QByteArray("eCardHeight") << QByteArray("eVertPitch") << "2.25"
                                 << "2.25";
    QTest::newRow("height does not touch the horizontal pitch")
        << QByteArray("eCardHeight") << QByteArray("eHorizPitch") << "4"
        << "3.5";
}

void tst_EditCardLayout::leavingASizeFieldRaisesThePitch() {
    QFETCH(QByteArray, size);
    QFETCH(QByteArray, pitch);
    QFETCH(QString, typed);
    QFETCH(QString, pitchAfter);
    ScriptedDialogHost host;
    QString shown;
    host.dialogs.push_back([&](QDialog& d) {
        NumericEdit* field = edit(d, size.constData());
        field->setText(typed);
        emit field->editingFinished();
        shown = edit(d, pitch.constData())->text();
        return clickOk(d);
    });
    const auto result = TEditCardLayout::execute(TCardLayout());
    QCOMPARE(shown, pitchAfter);
    QVERIFY(result);
    QCOMPARE(pitch == "eHorizPitch" ? result->hPitch : result->vPitch, pitchAfter.toFloat());
}

void tst_EditCardLayout::unitRoundTrip() {
    ScriptedDialogHost host;
    QStringList mmShown;
    host.dialogs.push_back([&](QDialog& d) {
        control<QRadioButton>(d, "MMButton")->setChecked(true);
        mmShown << edit(d, "eleftmarg")->text() << edit(d, "etopmarg")->text();
        control<QRadioButton>(d, "Inchesbutton")->setChecked(true);
        return clickOk(d);
    });
    TCardLayout start;
    start.loadPredefined(12);
    start.predefLayout = 12;
    const auto result = TEditCardLayout::execute(start);
    QCOMPARE(mmShown, QStringList({"15.01", "13.49"}));
    QVERIFY(result);
    QVERIFY(!result->useMM);
    const float before[] = {start.width,  start.height,     start.hPitch,
                            start.vPitch, start.leftMargin, start.topMargin};
    const float after[] = {result->width,  result->height,     result->hPitch,
                           result->vPitch, result->leftMargin, result->topMargin};
    for (int i = 0; i < 6; ++i)
        QVERIFY2(qAbs(after[i] - before[i]) < 0.0005f, qPrintable(QString::number(i)));
}

void tst_EditCardLayout::reopeningShowsTheStoredLayout() {
    ScriptedDialogHost host;
    host.dialogs.push_back([](QDialog& d) {
        control<QComboBox>(d, "PredefinedLayouts")->setCurrentIndex(12);
        edit(d, "eCardwidth")->setText("3.25");
        return clickOk(d);
    });
    const auto first = TEditCardLayout::execute(TCardLayout());
    QVERIFY(first);
    QCOMPARE(first->predefLayout, 12);
    QCOMPARE(first->width, 3.25f);

    int index = -1;
    QString width;
    host.dialogs.push_back([&](QDialog& d) {
        index = control<QComboBox>(d, "PredefinedLayouts")->currentIndex();
        width = edit(d, "eCardwidth")->text();
        return int(QDialog::Rejected);
    });
    QVERIFY(!TEditCardLayout::execute(*first));
    QCOMPARE(index, 12);
    QCOMPARE(width, QStringLiteral("3.25"));
}

void tst_EditCardLayout::paperList() {
    // A code the list does not know keeps the list and the code as they are.
    TEditCardLayout d;
    TCardLayout l;
    l.papersize = 5;
    d.setCardLayout(l);
    auto* paper = control<QComboBox>(d, "epapersize");
    QCOMPARE(paper->count(), 3);
    QCOMPARE(paper->currentIndex(), 0);
    paper->setCurrentIndex(2);
    ScriptedDialogHost host;
    QCOMPARE(clickOk(d), int(QDialog::Accepted));
    QCOMPARE(d.cardLayout().papersize, 5);
}

void tst_EditCardLayout::cancelChangesNothing() {
    ScriptedDialogHost host;
    host.dialogs.push_back([](QDialog& d) {
        edit(d, "eCardwidth")->setText("3");
        control<QPushButton>(d, "CancelButton")->click();
        return d.result();
    });
    QVERIFY(!TEditCardLayout::execute(TCardLayout()));
}

void tst_EditCardLayout::okFromTheHostRunsTheChecks() {
    // Answering OK without the button still cannot close with an invalid card.
    ScriptedDialogHost host;
    host.dialogs.push_back([](QDialog& d) {
        edit(d, "eCardHeight")->setText("0.1");
        return int(QDialog::Accepted);
    });
    QVERIFY(!TEditCardLayout::execute(TCardLayout()));
    QCOMPARE(host.messages, QStringList{"Card Height must be at least .3 inches (or 7mm)"});
}

void tst_EditCardLayout::staysOpenUntilValid() {
    ScriptedDialogHost host;
    host.dialogs.push_back([](QDialog& d) {
        edit(d, "eCardwidth")->setText("20"); // wider than the paper
        edit(d, "eHorizPitch")->setText("20");
        if (clickOk(d) == QDialog::Accepted) return int(QDialog::Rejected);
        edit(d, "eCardwidth")->setText("4");
        return clickOk(d);
    });
    const auto result = TEditCardLayout::execute(TCardLayout());
    QCOMPARE(host.messages, QStringList{"The card must fit on the paper"});
    QVERIFY(result);
    QCOMPARE(result->width, 4.0f);
    QCOMPARE(result->hPitch, 20.0f);
}

QTEST_MAIN(tst_EditCardLayout)
#include "tst_EditCardLayout.moc"
