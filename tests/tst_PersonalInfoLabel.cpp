// The personal-information label: its submenu and text dialog, and the text tool that
// creates it.
#include "objects/text/TGBusinessCardLabel.h"
#include "objects/text/TextKinds.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/drawing/TextMetrics.h"
#include "support/LabelOn.h"
#include "support/SurfaceFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

using PS = TGBusinessCardPanel32;

namespace {
const QRect labelBox(QPoint(10, 10), QPoint(60, 25));

platform::MenuModel& submenu(TGBusinessCardLabel& l) {
    return *l.objectMenu()->find(QStringLiteral("Personal Information"))->submenu;
}

QStringList captions(const platform::MenuModel& m) {
    QStringList out;
    for (const auto& item : m.items())
        out << item.caption;
    return out;
}

// A dialog script that records the list's state and then acts.
struct DialogSeen {
    bool listEnabled = false;
    QStringList listItems;
    QString textAtOpen;
};

std::function<int(QDialog&)> pickFromList(DialogSeen& seen, int index, bool accept = true) {
    return [&seen, index, accept](QDialog& d) {
        auto* combo = d.findChild<QComboBox*>(QStringLiteral("PersonalInfoCombo"));
        auto* edit = d.findChild<QLineEdit*>(QStringLiteral("LabelText"));
        if (!combo || !edit) return int(QDialog::Rejected);
        seen.listEnabled = combo->isEnabled();
        for (int i = 0; i < combo->count(); ++i)
            seen.listItems << combo->itemText(i);
        seen.textAtOpen = edit->text();
        if (index >= 0) combo->setCurrentIndex(index);
        return int(accept ? QDialog::Accepted : QDialog::Rejected);
    };
}
} // namespace

class tst_PersonalInfoLabel : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { platform::ScreenMetrics::setPixelsPerInch(96); }
    void submenuFirstWithTenEntries();
    void emptyValuesGivePrefixesAndDisabledList();
    void submenuFollowsCurrentValues();
    void pickTakesValueAndFits();
    void pickCutsAt255ButDialogTakesWhole();
    void valueWithTab();
    void pickEmptyValueEmptiesText();
    void dialogListsOnlyNonEmptyValues();
    void dialogTextStaysEditable();
    void noSubmenuOffTheCard();
    void textToolCreatesLabel();
    void textToolCancelKeepsText();
};

void tst_PersonalInfoLabel::submenuFirstWithTenEntries() {
    SurfaceFixture f;
    f.surface->setPersonalInfo(PS::piCompany, QStringLiteral("Acme"));
    TGBusinessCardLabel* l = labelOn<TGBusinessCardLabel>(f, labelBox);
    const auto& items = l->objectMenu()->items();
    QCOMPARE(items[0].caption, QStringLiteral("Personal Information"));
    QCOMPARE(items[1].caption, QStringLiteral("-"));
    QCOMPARE(items[2].caption, QStringLiteral("Bring To Front"));
    QCOMPARE(captions(submenu(*l)),
             (QStringList{"Name\t", "Company\tAcme", "Title\t", "Address 1\t", "Address 2\t",
                          "Address 3\t", "Phone 1\t", "Phone 2\t", "EMail\t", "Fax\t"}));
    // The menu's own commands still work after the insertion at the top.
    QVERIFY(l->objectMenu()->trigger(QStringLiteral("Locked")));
    QVERIFY(l->locked());
    QVERIFY(l->objectMenu()->find(QStringLiteral("Locked"))->checked);
    QVERIFY(l->objectMenu()->find(QStringLiteral("Transparent"))->checked);
}

void tst_PersonalInfoLabel::emptyValuesGivePrefixesAndDisabledList() {
    SurfaceFixture f;
    TGBusinessCardLabel* l = labelOn<TGBusinessCardLabel>(f, labelBox);
    l->objectMenu()->aboutToShow();
    QCOMPARE(submenu(*l).items().size(), size_t(10));
    for (const auto& item : submenu(*l).items())
        QVERIFY(item.caption.endsWith(QLatin1Char('\t')));
    DialogSeen seen;
    f.dialogs.dialogs.push_back(pickFromList(seen, -1, false));
    QVERIFY(l->objectMenu()->trigger(QStringLiteral("Text")));
    QCOMPARE(f.dialogs.dialogTitles, QStringList{QStringLiteral("Text")});
    QVERIFY(!seen.listEnabled);
    QVERIFY(seen.listItems.isEmpty());
}

void tst_PersonalInfoLabel::submenuFollowsCurrentValues() {
    SurfaceFixture f;
    f.surface->setPersonalInfo(PS::piCompany, QStringLiteral("Old Co"));
    TGBusinessCardLabel* l = labelOn<TGBusinessCardLabel>(f, labelBox);
    QVERIFY(submenu(*l).trigger(QStringLiteral("Company\tOld Co")));
    QCOMPARE(l->caption(), QStringLiteral("Old Co"));
    // The label keeps its text; the submenu shows the new value when it opens next.
    f.surface->setPersonalInfo(PS::piCompany, QStringLiteral("New Co"));
    QCOMPARE(l->caption(), QStringLiteral("Old Co"));
    f.dialogs.popup(*l->objectMenu(), QPoint());
    QCOMPARE(submenu(*l).items()[1].caption, QStringLiteral("Company\tNew Co"));
}

void tst_PersonalInfoLabel::pickTakesValueAndFits() {
    SurfaceFixture f;
    f.surface->setPersonalInfo(PS::piName, QStringLiteral("Jane Q. Example"));
    TGBusinessCardLabel* l = labelOn<TGBusinessCardLabel>(f, labelBox);
    f.changes = 0;
    QVERIFY(submenu(*l).trigger(QStringLiteral("Name\tJane Q. Example")));
    QCOMPARE(l->caption(), QStringLiteral("Jane Q. Example"));
    QVERIFY(f.changes > 0);
    const platform::TextMetrics tm(l->displayFont().gdiFont());
    QCOMPARE(l->width(), tm.textWidth(QStringLiteral("Jane Q. Example     ")));
}

void tst_PersonalInfoLabel::pickCutsAt255ButDialogTakesWhole() {
    SurfaceFixture f;
    QString value;
    for (int i = 0; i < 300; ++i)
        value += QChar(QLatin1Char('a' + i % 26));
    f.surface->setPersonalInfo(PS::piAddress1, value);
    TGBusinessCardLabel* l = labelOn<TGBusinessCardLabel>(f, labelBox);
    QVERIFY(submenu(*l).trigger(QStringLiteral("Address 1\t") + value));
    QCOMPARE(l->caption(), value.left(255));

    DialogSeen seen;
    f.dialogs.dialogs.push_back(pickFromList(seen, 0));
    QVERIFY(l->objectMenu()->trigger(QStringLiteral("Text")));
    QCOMPARE(l->caption(), value);
}

void tst_PersonalInfoLabel::valueWithTab() {
    SurfaceFixture f;
    const QString value = QStringLiteral("Sales\tEurope");
    f.surface->setPersonalInfo(PS::piTitle, value);
    TGBusinessCardLabel* l = labelOn<TGBusinessCardLabel>(f, labelBox);
    QVERIFY(submenu(*l).trigger(QStringLiteral("Title\t") + value));
    QCOMPARE(l->caption(), value);
}

void tst_PersonalInfoLabel::pickEmptyValueEmptiesText() {
    SurfaceFixture f;
    TGBusinessCardLabel* l = labelOn<TGBusinessCardLabel>(f, labelBox);
    QVERIFY(submenu(*l).trigger(QStringLiteral("Fax\t")));
    QCOMPARE(l->caption(), QString());
}

void tst_PersonalInfoLabel::dialogListsOnlyNonEmptyValues() {
    SurfaceFixture f;
    f.surface->setPersonalInfo(PS::piName, QStringLiteral("Jane"));
    f.surface->setPersonalInfo(PS::piEmail, QStringLiteral("jane@example.org"));
    TGBusinessCardLabel* l = labelOn<TGBusinessCardLabel>(f, labelBox);
    l->setCaption(QStringLiteral("Before"));
    DialogSeen seen;
    f.dialogs.dialogs.push_back(pickFromList(seen, 1));
    QVERIFY(l->objectMenu()->trigger(QStringLiteral("Text")));
    QVERIFY(seen.listEnabled);
    // Each value after its entry's name; choosing one takes the value alone.
    QCOMPARE(seen.listItems, (QStringList{"Name: Jane", "E-mail: jane@example.org"}));
    QCOMPARE(seen.textAtOpen, QStringLiteral("Before"));
    // Item 1 is the e-mail, although the e-mail is entry 9.
    QCOMPARE(l->caption(), QStringLiteral("jane@example.org"));
}

void tst_PersonalInfoLabel::dialogTextStaysEditable() {
    SurfaceFixture f;
    f.surface->setPersonalInfo(PS::piName, QStringLiteral("Jane"));
    TGBusinessCardLabel* l = labelOn<TGBusinessCardLabel>(f, labelBox);
    f.dialogs.dialogs.push_back([](QDialog& d) {
        d.findChild<QComboBox*>(QStringLiteral("PersonalInfoCombo"))->setCurrentIndex(0);
        auto* edit = d.findChild<QLineEdit*>(QStringLiteral("LabelText"));
        edit->setText(edit->text() + QStringLiteral(" Doe"));
        return int(QDialog::Accepted);
    });
    QVERIFY(l->objectMenu()->trigger(QStringLiteral("Text")));
    QCOMPARE(l->caption(), QStringLiteral("Jane Doe"));
    // Cancel after choosing: nothing changes.
    DialogSeen seen;
    f.dialogs.dialogs.push_back(pickFromList(seen, 0, false));
    QVERIFY(l->objectMenu()->trigger(QStringLiteral("Text")));
    QCOMPARE(l->caption(), QStringLiteral("Jane Doe"));
}

void tst_PersonalInfoLabel::noSubmenuOffTheCard() {
    TGBusinessCardLabel l;
    l.buildPopup();
    QVERIFY(!l.objectMenu()->find(QStringLiteral("Personal Information")));
    QCOMPARE(l.objectMenu()->items().front().caption, QStringLiteral("Bring To Front"));
}

void tst_PersonalInfoLabel::textToolCreatesLabel() {
    SurfaceFixture f;
    TextKinds::registerAll(*f.surface);
    QVERIFY(f.surface->classes().contains(QStringLiteral("TGPLabel")));
    QVERIFY(f.surface->classes().contains(QStringLiteral("TGBusinessCardLabel")));
    f.surface->font().setName(QStringLiteral("Liberation Serif"));
    f.surface->setPersonalInfo(PS::piCompany, QStringLiteral("Acme Widgets"));
    DialogSeen seen;
    f.dialogs.dialogs.push_back(pickFromList(seen, 0));
    f.surface->setPanelState(PS::psLabel);
    f.click(30, 40);
    QCOMPARE(int(f.surface->objects().size()), 1);
    auto* l = qobject_cast<TGBusinessCardLabel*>(f.surface->objects().front());
    QVERIFY(l);
    QCOMPARE(l->objectName(), QStringLiteral("Special1"));
    QCOMPARE(seen.textAtOpen, QStringLiteral("Text"));
    QCOMPARE(l->caption(), QStringLiteral("Acme Widgets"));
    QCOMPARE(l->font()->name(), QStringLiteral("Liberation Serif"));
    QVERIFY(l->isFontStored());
    QCOMPARE(l->left(), 30);
    QCOMPARE(l->top(), 40);
    const platform::TextMetrics tm(l->font()->gdiFont());
    QCOMPARE(l->width(), tm.textWidth(QStringLiteral("Acme Widgets     ")));
    QVERIFY(l->objectMenu()->find(QStringLiteral("Personal Information")));
}

void tst_PersonalInfoLabel::textToolCancelKeepsText() {
    SurfaceFixture f;
    TextKinds::registerAll(*f.surface);
    f.surface->setPanelState(PS::psLabel);
    f.click(30, 40); // the dialog is cancelled (nothing scripted)
    QCOMPARE(int(f.surface->objects().size()), 1);
    auto* l = qobject_cast<TGBusinessCardLabel*>(f.surface->objects().front());
    QCOMPARE(l->caption(), QStringLiteral("Text"));
    // 50 x 15 from the click, grown to the text only when that is wider.
    const platform::TextMetrics tm(l->font()->gdiFont());
    QCOMPARE(l->width(), std::max(50, tm.textWidth(QStringLiteral("Text     "))));
    QVERIFY(l->height() >= 15);
}

QTEST_MAIN(tst_PersonalInfoLabel)
#include "tst_PersonalInfoLabel.moc"
