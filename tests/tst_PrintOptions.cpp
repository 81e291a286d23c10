// The print options: fine-tuning dialog, position chooser with its sheet miniature, the
// bottom-margin warning, and the print commands that string them together.
#include "support/DialogControl.h"
#include "support/SurfaceFixture.h"

#include "platform/drawing/ScreenMetrics.h"
#include "platform/report/PrinterReportTarget.h"
#include "platform/widgets/PaintBox.h"
#include "printing/TPrintCommands.h"
#include "printing/TPrintFineTune.h"
#include "printing/TSelectSpecificLabels.h"
#include "printing/TWarnBottomMargin.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

namespace {
template <typename T = QPushButton> void click(QDialog& d, const char* name) {
    control<T>(d, name)->click();
}

QString text(QDialog& d, const char* name) {
    auto* l = d.findChild<QLabel*>(QLatin1String(name));
    return l ? l->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}
} // namespace

class tst_PrintOptions : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { platform::ScreenMetrics::setPixelsPerInch(96); }
    void valueLine_data();
    void valueLine();
    void fineTuneClicksStopAtTheLimits();
    void fineTuneDefaultAndCancel();
    void miniatureGeometry_data();
    void miniatureGeometry();
    void clicksToggle();
    void noneThenOkIsRefused();
    void largeLayoutFitsTheArea();
    void warningNeeded_data();
    void warningNeeded();
    void warningTexts();
    void printerBorderUnrounded_data();
    void printerBorderUnrounded();
    void printCommandFlow_data();
    void printCommandFlow();
};

void tst_PrintOptions::valueLine_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("line");
    QTest::newRow("-8") << -8 << "Decrease by 8/32\"";
    QTest::newRow("-1") << -1 << "Decrease by 1/32\"";
    QTest::newRow("0") << 0 << "None";
    QTest::newRow("3") << 3 << "Increase by 3/32\"";
    QTest::newRow("edited file: 12") << 12 << "Increase by 12/32\"";
    QTest::newRow("edited file: minimum") << int(INT_MIN) << "Decrease by 2147483648/32\"";
}

void tst_PrintOptions::valueLine() {
    QFETCH(int, value);
    QFETCH(QString, line);
    QCOMPARE(TPrintFineTune::valueLine(value), line);
}

void tst_PrintOptions::fineTuneClicksStopAtTheLimits() {
    TPrintFineTune dialog(TFineTuneOffsets{});
    for (int i = 0; i < 9; ++i)
        click<QToolButton>(dialog, "TopMarginNudgeDown");
    for (int i = 0; i < 9; ++i)
        click<QToolButton>(dialog, "HorizontalSpacingUp");
    click<QToolButton>(dialog, "VerticalSpacingDown");
    QCOMPARE(dialog.offsets(), (TFineTuneOffsets{8, 0, 1, -8}));
    QCOMPARE(text(dialog, "TopMarginNudgeValue"), QStringLiteral("Increase by 8/32\""));
    QCOMPARE(text(dialog, "HorizontalSpacingValue"), QStringLiteral("Decrease by 8/32\""));
    QCOMPARE(text(dialog, "LeftMarginNudgeValue"), QStringLiteral("None"));
}

void tst_PrintOptions::fineTuneDefaultAndCancel() {
    SurfaceFixture fx;
    TPrintCommands commands(*fx.surface);
    int saves = 0;
    commands.savePreferences = [&](const TPrintSettings&) { ++saves; };
    TPrintSettings settings;
    settings.offsets = {3, -2, 1, 4};
    // Cancel keeps the offsets, whatever was clicked.
    fx.dialogs.dialogs.push_back([](QDialog& d) {
        click<QToolButton>(d, "TopMarginNudgeDown");
        return int(QDialog::Rejected);
    });
    QVERIFY(!commands.printerFineTuning(settings));
    QCOMPARE(settings.offsets, (TFineTuneOffsets{3, -2, 1, 4}));
    QCOMPARE(saves, 0);
    // "Default" then OK: all four are 0, shown as "None", and saved.
    fx.dialogs.dialogs.push_back([](QDialog& d) {
        click(d, "DefaultButton");
        for (const char* name : {"TopMarginNudgeValue", "LeftMarginNudgeValue",
                                 "VerticalSpacingValue", "HorizontalSpacingValue"})
            if (text(d, name) != QLatin1String("None")) return int(QDialog::Rejected);
        return int(QDialog::Accepted);
    });
    QVERIFY(commands.printerFineTuning(settings));
    QCOMPARE(settings.offsets, TFineTuneOffsets{});
    QCOMPARE(saves, 1);
    QCOMPARE(fx.dialogs.dialogTitles.constLast(), QStringLiteral("Printer Fine-Tuning"));
}

void tst_PrintOptions::miniatureGeometry_data() {
    QTest::addColumn<int>("paper");
    QTest::addColumn<QRect>("sheet");
    QTest::addColumn<QRect>("first");
    QTest::addColumn<QRect>("last");
    // Letter at 96 pixels per inch: a 163 x 211 sheet inside a 10-pixel border; position 1
    // spans 24 to 91 across and 19 to 57 down (right and bottom exclusive).
    QTest::newRow("Letter") << 1 << QRect(10, 10, 163, 211) << QRect(QPoint(24, 19), QPoint(90, 56))
                            << QRect(QPoint(24 + 67, 19 + 4 * 38), QPoint(90 + 67, 56 + 4 * 38));
    QTest::newRow("A4") << 9 << QRect(10, 10, 158, 224) << QRect(QPoint(24, 19), QPoint(90, 56))
                        << QRect(QPoint(24 + 67, 19 + 4 * 38), QPoint(90 + 67, 56 + 4 * 38));
}

void tst_PrintOptions::miniatureGeometry() {
    QFETCH(int, paper);
    QFETCH(QRect, sheet);
    QFETCH(QRect, first);
    QFETCH(QRect, last);
    TCardLayout layout;
    layout.papersize = paper;
    TCardSelection selection;
    selection.setSelected(9, false);
    TSelectSpecificLabels dialog(layout, selection);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Print Cards"));
    QCOMPARE(dialog.miniatureScale(), 0.2);
    QCOMPARE(dialog.sheetRectangle(), sheet);
    QCOMPARE(int(dialog.rectangles().size()), 10);
    QCOMPARE(dialog.rectangles().front(), first);
    QCOMPARE(dialog.rectangles().back(), last);

    // Painted: selected positions red inside a black outline, others white.
    auto* box = dialog.findChild<platform::PaintBox*>(QStringLiteral("Miniature"));
    QImage image(box->size(), QImage::Format_RGB32);
    image.fill(Qt::gray);
    box->render(&image);
    QCOMPARE(image.pixelColor(first.topLeft()), QColor(Qt::black));
    QCOMPARE(image.pixelColor(first.center()), QColor(Qt::red));
    QCOMPARE(image.pixelColor(last.center()), QColor(Qt::white));
    QCOMPARE(image.pixelColor(sheet.topLeft()), QColor(Qt::black));
    QCOMPARE(image.pixelColor(sheet.bottomRight()), QColor(Qt::black));
    QVERIFY(image.pixelColor(sheet.bottomRight() + QPoint(1, 1)) != QColor(Qt::black));
}

void tst_PrintOptions::clicksToggle() {
    TSelectSpecificLabels dialog{TCardLayout(), TCardSelection()};
    const std::vector<QRect> rects = dialog.rectangles();
    // Position 3 twice: selected again.
    dialog.miniatureMousePress(rects[2].center());
    QVERIFY(!dialog.selection().isSelected(2));
    dialog.miniatureMousePress(rects[2].center());
    QVERIFY(dialog.selection().isSelected(2));
    // A rectangle holds its left and top edges, not its right one: the pixel after
    // position 1 belongs to position 2.
    dialog.miniatureMousePress(QPoint(rects[0].right() + 1, rects[0].center().y()));
    QVERIFY(dialog.selection().isSelected(0));
    QVERIFY(!dialog.selection().isSelected(1));
    dialog.miniatureMousePress(rects[3].topLeft());
    QVERIFY(!dialog.selection().isSelected(3));
    // Outside every position nothing changes.
    dialog.miniatureMousePress(QPoint(2, 2));
    QCOMPARE(dialog.selection().anySelected(10), true);
}

void tst_PrintOptions::noneThenOkIsRefused() {
    SurfaceFixture fx;
    TPrintCommands commands(*fx.surface);
    TPrintSettings settings;
    // "&None" then Ok: refused with a message, the dialog stays; then "&All", 3 pages, Ok.
    bool stayedOpen = false;
    fx.dialogs.dialogs.push_back([&](QDialog& d) {
        click(d, "NoneButton");
        d.done(QDialog::Accepted);
        stayedOpen = d.result() != QDialog::Accepted;
        click(d, "AllButton");
        d.findChild<QSpinBox*>(QStringLiteral("PagesEdit"))->setValue(3);
        return int(QDialog::Accepted);
    });
    QVERIFY(commands.doPageSetup(settings));
    QVERIFY(stayedOpen);
    QCOMPARE(fx.dialogs.messages,
             QStringList{QStringLiteral("You must select at least one card to print")});
    QCOMPARE(commands.sheets(), 3);
    QCOMPARE(commands.cardSelection(), TCardSelection());

    // Cancel leaves the positions as they were.
    fx.dialogs.dialogs.push_back([](QDialog& d) {
        click(d, "NoneButton");
        return int(QDialog::Rejected);
    });
    QVERIFY(!commands.doPageSetup(settings));
    QCOMPARE(commands.cardSelection(), TCardSelection());
}

void tst_PrintOptions::largeLayoutFitsTheArea() {
    TCardLayout layout;
    layout.across = 4;
    layout.down = 12;
    layout.width = layout.hPitch = 2.5f;
    layout.height = layout.vPitch = 1.0f;
    TSelectSpecificLabels dialog(layout, TCardSelection());
    // 48 positions, all selected, every one inside the drawing area.
    QCOMPARE(int(dialog.rectangles().size()), 48);
    QCOMPARE(dialog.selection().size(), 48);
    QVERIFY(dialog.selection().anySelected(48));
    QVERIFY(dialog.miniatureScale() < 0.2);
    const QRect area(0, 0, TSelectSpecificLabels::areaWidth, TSelectSpecificLabels::areaHeight);
    for (const QRect& r : dialog.rectangles())
        QVERIFY(area.contains(r));
    QVERIFY(area.contains(dialog.sheetRectangle()));
    // "&None" clears all 48.
    dialog.noneButtonClick();
    QVERIFY(!dialog.selection().anySelected(48));
}

void tst_PrintOptions::warningNeeded_data() {
    QTest::addColumn<double>("border");
    QTest::addColumn<QList<int>>("deselected"); // counted from 1
    QTest::addColumn<bool>("show");
    QTest::addColumn<bool>("needed");
    QTest::newRow("0.667, all selected") << 0.667 << QList<int>{} << true << true;
    QTest::newRow("0.5 is close enough") << 0.5 << QList<int>{} << true << false;
    QTest::newRow("position 9 deselected") << 0.9 << QList<int>{9} << true << false;
    QTest::newRow("position 10 deselected") << 0.9 << QList<int>{10} << true << false;
    QTest::newRow("other positions deselected") << 0.9 << QList<int>{1, 2, 8} << true << true;
    QTest::newRow("turned off") << 0.9 << QList<int>{} << false << false;
}

void tst_PrintOptions::warningNeeded() {
    QFETCH(double, border);
    QFETCH(QList<int>, deselected);
    QFETCH(bool, show);
    QFETCH(bool, needed);
    TCardSelection selection;
    for (int p : deselected)
        selection.setSelected(p - 1, false);
    QCOMPARE(TWarnBottomMargin::needed(border, selection, 2, 5, show), needed);
}

void tst_PrintOptions::warningTexts() {
    TWarnBottomMargin warning(0.667);
    QCOMPARE(warning.windowTitle(), QStringLiteral("ALERT"));
    QCOMPARE(
        text(warning, "MarginLabel"),
        QStringLiteral("Business Cards need to print to within 0.5 inches of the bottom, but the "
                       "current printer has a bottom margin setting of : 0.667 inches"));
    QCOMPARE(text(warning, "CutOffLabel"),
             QStringLiteral("This could result in the bottom of the last two business cards being "
                            "cut off by approximately: 0.167 inches"));
    QVERIFY(text(warning, "NoteLabel").startsWith(QStringLiteral("(Note: some printers")));
    QVERIFY(warning.findChild<QLabel*>(QStringLiteral("NoteLabel"))->font().italic());
    QCOMPARE(warning.findChild<QCheckBox*>()->text(),
             QStringLiteral("Don't show this warning again"));
}

void tst_PrintOptions::printerBorderUnrounded_data() {
    // The print system gives a printer's unprintable border in its own unit (points from
    // the printer's description); the check sees it in inches, unrounded.
    QTest::addColumn<int>("unit");
    QTest::addColumn<double>("bottom");
    QTest::addColumn<bool>("warned");
    QTest::addColumn<QString>("cutOff");
    QTest::newRow("0.667 inch in points") << int(QPageLayout::Point) << 48.024 << true << "0.167";
    QTest::newRow("0.667 inch in millimetres")
        << int(QPageLayout::Millimeter) << 16.9418 << true << "0.167";
    QTest::newRow("0.504 inch in points") << int(QPageLayout::Point) << 36.288 << true << "0.004";
    QTest::newRow("half an inch") << int(QPageLayout::Point) << 36.0 << false << "0.000";
}

void tst_PrintOptions::printerBorderUnrounded() {
    QFETCH(int, unit);
    QFETCH(double, bottom);
    QFETCH(bool, warned);
    QFETCH(QString, cutOff);
    const QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(),
                             QPageLayout::Unit(unit), QMarginsF(0, 0, 0, bottom));
    const double border = platform::PrinterReportTarget::minimumMarginsInches(layout).bottom();
    QCOMPARE(TWarnBottomMargin::needed(border, TCardSelection(), 2, 5, true), warned);
    QVERIFY2(TWarnBottomMargin::cutOffText(border).endsWith(" " + cutOff + " inches"),
             qPrintable(TWarnBottomMargin::cutOffText(border)));
}

void tst_PrintOptions::printCommandFlow_data() {
    QTest::addColumn<bool>("tick");
    QTest::addColumn<bool>("cont");
    QTest::addColumn<int>("saves");
    QTest::addColumn<bool>("warningAfter");
    QTest::newRow("continue") << false << true << 0 << true;
    QTest::newRow("cancel printing") << false << false << 0 << true;
    QTest::newRow("ticked, cancel printing: off for later runs") << true << false << 1 << false;
}

void tst_PrintOptions::printCommandFlow() {
    QFETCH(bool, tick);
    QFETCH(bool, cont);
    QFETCH(int, saves);
    QFETCH(bool, warningAfter);
    SurfaceFixture fx;
    TPrintCommands commands(*fx.surface);
    commands.unprintableBottom = [](int) { return 0.667; };
    int saved = 0;
    commands.savePreferences = [&](const TPrintSettings& s) {
        ++saved;
        QVERIFY(!s.showBottomMarginWarning);
    };
    TPrintSettings settings;
    fx.dialogs.dialogs.push_back([](QDialog&) { return int(QDialog::Accepted); }); // chooser
    fx.dialogs.dialogs.push_back([&](QDialog& d) {                                 // the warning
        d.findChild<QCheckBox*>()->setChecked(tick);
        return int(cont ? QDialog::Accepted : QDialog::Rejected);
    });
    // The status dialog of the run, when it comes, is not shown: the run does not start.
    fx.dialogs.dialogs.push_back([](QDialog&) { return int(QDialog::Accepted); });
    commands.print(settings, QString());
    QStringList titles{QStringLiteral("Print Cards"), QStringLiteral("ALERT")};
    if (cont) titles << QStringLiteral("Print Status");
    QCOMPARE(fx.dialogs.dialogTitles, titles);
    QCOMPARE(saved, saves);
    QCOMPARE(settings.showBottomMarginWarning, warningAfter);
}

QTEST_MAIN(tst_PrintOptions)
#include "tst_PrintOptions.moc"
