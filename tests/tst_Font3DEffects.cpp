// The "Text 3D Effects" dialog on a live sample, and the colour drop-down it uses.
#include "objects/text/TGFont3DEffects.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/drawing/TextMetrics.h"
#include "platform/widgets/ColorComboBox.h"
#include "support/DialogControl.h"
#include "support/LabelOn.h"
#include "support/SurfaceFixture.h"

#include <QComboBox>
#include <QtTest>

namespace {
struct Effects {
    int depthShadow, depthHighlight, directionShadow, directionHighlight;
    TColor colorShadow, colorHighlight, fontColor;
};

Effects effectsOf(TGBaseLabel& l) {
    return {
        l.depthShadow(), l.depthHighlight(), int(l.directionShadow()), int(l.directionHighlight()),
        l.colorShadow(), l.colorHighlight(), l.displayFont().color()};
}

bool operator==(const Effects& a, const Effects& b) {
    return a.depthShadow == b.depthShadow && a.depthHighlight == b.depthHighlight &&
           a.directionShadow == b.directionShadow && a.directionHighlight == b.directionHighlight &&
           a.colorShadow == b.colorShadow && a.colorHighlight == b.colorHighlight &&
           a.fontColor == b.fontColor;
}
} // namespace

class tst_Font3DEffects : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { platform::ScreenMetrics::setPixelsPerInch(96); }
    void opensWithTheLabelsValues();
    void choicesApplyToSampleAndOkCopies();
    void deepShadowFromFileSurvivesOk();
    void noneDirectionKeepsDepth();
    void cancelLeavesLabel();
    void colorComboNamedAndCustom();
};

void tst_Font3DEffects::opensWithTheLabelsValues() {
    SurfaceFixture f;
    TGPLabel* l = labelOn<TGPLabel>(f);
    l->setDirectionShadow(TGBaseLabel::sdDownLeft);
    l->setDepthShadow(4);
    l->setDirectionHighlight(TGBaseLabel::hdUp);
    l->setDepthHighlight(2);
    l->setColorShadow(0x800000);    // navy: named
    l->setColorHighlight(0x123456); // not named: shown as custom
    l->setCaption(QStringLiteral("Label's own text"));
    TGFont font;
    font.setColor(0x0000FF);
    l->takeFont(font);
    TGFont3DEffects d(*l);
    QCOMPARE(d.windowTitle(), QStringLiteral("Text 3D Effects"));
    QCOMPARE(control<QComboBox>(d, "ShadowDirection")->currentIndex(), 4);
    QCOMPARE(control<QComboBox>(d, "ShadowDirection")->currentText(), QStringLiteral("Lower Left"));
    QCOMPARE(control<QComboBox>(d, "ShadowDepth")->currentIndex(), 4);
    QCOMPARE(control<QComboBox>(d, "HighlightDirection")->currentText(), QStringLiteral("Up"));
    QCOMPARE(control<QComboBox>(d, "HighLightDepth")->currentIndex(), 2);
    QCOMPARE(control<QComboBox>(d, "ShadowDepth")->count(), 11);
    QCOMPARE(control<platform::ColorComboBox>(d, "ShadowColorCombo")->currentText(),
             QStringLiteral("Navy"));
    auto* highlightColor = control<platform::ColorComboBox>(d, "HighLightColorCombo");
    QCOMPARE(highlightColor->currentIndex(), platform::ColorComboBox::customIndex);
    QCOMPARE(highlightColor->color(), TColor(0x123456));
    QCOMPARE(control<platform::ColorComboBox>(d, "FontColorCombo")->currentText(),
             QStringLiteral("Red"));
    // The sample keeps its own caption, takes the effects, and sizes itself in the panel.
    QCOMPARE(d.sample.caption(), QStringLiteral("Text"));
    QVERIFY(effectsOf(d.sample) == effectsOf(*l));
    QCOMPARE(d.sample.width(), 437);
    const platform::TextMetrics tm(d.sample.font()->gdiFont());
    const int L = tm.tmHeight + tm.tmInternalLeading + tm.tmExternalLeading + 4 - (-2);
    QCOMPARE(d.sample.height(), L * 12 / 10);
}

void tst_Font3DEffects::choicesApplyToSampleAndOkCopies() {
    SurfaceFixture f;
    TGPLabel* l = labelOn<TGPLabel>(f);
    f.dialogs.dialogs.push_back([](QDialog& dialog) {
        auto& d = static_cast<TGFont3DEffects&>(dialog);
        control<QComboBox>(d, "ShadowDirection")->setCurrentIndex(5); // Down
        control<QComboBox>(d, "ShadowDepth")->setCurrentIndex(7);
        control<QComboBox>(d, "HighlightDirection")->setCurrentIndex(1); // Right
        control<QComboBox>(d, "HighLightDepth")->setCurrentIndex(10);
        control<QComboBox>(d, "ShadowColorCombo")->setCurrentIndex(9); // Red
        control<QComboBox>(d, "FontColorCombo")->setCurrentIndex(12);  // Blue
        // Each choice shows on the sample at once.
        if (d.sample.directionShadow() != TGBaseLabel::sdDown || d.sample.depthShadow() != 7 ||
            d.sample.directionHighlight() != TGBaseLabel::hdright ||
            d.sample.depthHighlight() != 10 || d.sample.colorShadow() != TColor(0x0000FF) ||
            d.sample.font()->color() != TColor(0xFF0000))
            return int(QDialog::Rejected);
        return int(QDialog::Accepted);
    });
    f.changes = 0;
    QVERIFY(l->objectMenu()->trigger(QStringLiteral("3D Effects")));
    QCOMPARE(f.dialogs.dialogTitles, QStringList{QStringLiteral("Text 3D Effects")});
    QCOMPARE(l->directionShadow(), TGBaseLabel::sdDown);
    QCOMPARE(l->depthShadow(), 7);
    QCOMPARE(l->directionHighlight(), TGBaseLabel::hdright);
    QCOMPARE(l->depthHighlight(), 10);
    QCOMPARE(l->colorShadow(), TColor(0x0000FF));
    QCOMPARE(l->colorHighlight(), TColor(16776960));
    QCOMPARE(l->font()->color(), TColor(0xFF0000));
    QCOMPARE(l->shadowOffset(), QPoint(0, 7));
    QVERIFY(l->isFontStored());
    QVERIFY(f.changes > 0);
}

void tst_Font3DEffects::deepShadowFromFileSurvivesOk() {
    SurfaceFixture f;
    TGPLabel* l = labelOn<TGPLabel>(f);
    l->setReading(true);
    l->setProperty("DepthShadow", 12);
    l->setReading(false);
    bool noItem = false;
    f.dialogs.dialogs.push_back([&noItem](QDialog& d) {
        noItem = control<QComboBox>(d, "ShadowDepth")->currentIndex() == -1;
        return int(QDialog::Accepted);
    });
    QVERIFY(l->objectMenu()->trigger(QStringLiteral("3D Effects")));
    QVERIFY(noItem);
    QCOMPARE(l->depthShadow(), 12);
}

void tst_Font3DEffects::noneDirectionKeepsDepth() {
    SurfaceFixture f;
    TGPLabel* l = labelOn<TGPLabel>(f);
    l->setDepthShadow(5);
    f.dialogs.dialogs.push_back([](QDialog& dialog) {
        auto& d = static_cast<TGFont3DEffects&>(dialog);
        control<QComboBox>(d, "ShadowDirection")->setCurrentIndex(0);
        return int(d.sample.shadowOffset() == QPoint(0, 0) ? QDialog::Accepted : QDialog::Rejected);
    });
    QVERIFY(l->objectMenu()->trigger(QStringLiteral("3D Effects")));
    QCOMPARE(l->directionShadow(), TGBaseLabel::sdNone);
    QCOMPARE(l->depthShadow(), 5);
}

void tst_Font3DEffects::cancelLeavesLabel() {
    SurfaceFixture f;
    TGPLabel* l = labelOn<TGPLabel>(f);
    const Effects before = effectsOf(*l);
    f.dialogs.colors.push_back(TColor(0x336699));
    f.dialogs.dialogs.push_back([](QDialog& d) {
        for (const char* list :
             {"ShadowDirection", "ShadowDepth", "HighlightDirection", "HighLightDepth"})
            control<QComboBox>(d, list)->setCurrentIndex(3);
        control<QComboBox>(d, "ShadowColorCombo")->setCurrentIndex(2);
        control<QComboBox>(d, "HighLightColorCombo")
            ->setCurrentIndex(platform::ColorComboBox::customIndex);
        control<QComboBox>(d, "FontColorCombo")->setCurrentIndex(5);
        return int(QDialog::Rejected);
    });
    f.changes = 0;
    QVERIFY(l->objectMenu()->trigger(QStringLiteral("3D Effects")));
    QVERIFY(effectsOf(*l) == before);
    QVERIFY(!l->isFontStored());
    QCOMPARE(f.changes, 0);
}

void tst_Font3DEffects::colorComboNamedAndCustom() {
    ScriptedDialogHost host;
    platform::ColorComboBox combo;
    QCOMPARE(combo.count(), 17);
    QCOMPARE(combo.itemText(0), QStringLiteral("Black"));
    QCOMPARE(combo.itemText(15), QStringLiteral("White"));
    QCOMPARE(combo.itemText(platform::ColorComboBox::customIndex), QStringLiteral("Custom..."));
    QCOMPARE(combo.maxVisibleItems(), 18);
    QList<TColor> reported;
    connect(&combo, &platform::ColorComboBox::colorChanged,
            [&reported](TColor c) { reported << c; });
    combo.setColor(0xFFFF00);
    QCOMPARE(combo.currentText(), QStringLiteral("Aqua"));
    QVERIFY(reported.isEmpty()); // setting from code reports nothing
    combo.setCurrentIndex(7);
    QCOMPARE(combo.color(), TColor(0x808080));
    // "Custom..." asks the colour dialog; cancelled, the previous colour stays shown.
    combo.setCurrentIndex(platform::ColorComboBox::customIndex);
    QCOMPARE(combo.currentIndex(), 7);
    QCOMPARE(combo.color(), TColor(0x808080));
    host.colors.push_back(TColor(0x010203));
    combo.setCurrentIndex(platform::ColorComboBox::customIndex);
    QCOMPARE(combo.color(), TColor(0x010203));
    QCOMPARE(combo.currentIndex(), platform::ColorComboBox::customIndex);
    QCOMPARE(reported, (QList<TColor>{TColor(0x808080), TColor(0x010203)}));
}

QTEST_MAIN(tst_Font3DEffects)
#include "tst_Font3DEffects.moc"
