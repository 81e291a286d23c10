// The effect tools in the main window: both buttons are enabled, each draws its object and
// opens its properties dialog, and a card holding both saves and opens again through the
// window's file commands.
#include "support/ScriptedDialogHost.h"

#include "app/TMainScreen.h"
#include "document/TGBusinessCardPanel32.h"
#include "objects/shapes/TGSuperText.h"
#include "objects/shapes/TSuperShape.h"
#include "platform/system/HomeFolder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

class tst_EffectTools : public QObject {
    Q_OBJECT
  private slots:
    void drawSaveAndOpen();
};

void tst_EffectTools::drawSaveAndOpen() {
    QTemporaryDir home;
    ScriptedDialogHost dialogs;
    platform::HomeFolder::set(home.path());
    TMainScreen w;
    w.firstActivation();
    TGBusinessCardPanel32& s = w.surface();
    auto draw = [&](const char* button, QRect r) {
        auto* b = w.findChild<QToolButton*>(QLatin1String(button));
        QVERIFY2(b && b->isEnabled(), button);
        b->click();
        s.mouseDown(Qt::LeftButton, {}, r.left(), r.top());
        s.mouseUp(Qt::LeftButton, {}, r.right(), r.bottom());
    };
    dialogs.dialogs.push_back([](QDialog& d) {
        d.findChild<QComboBox*>("ShapeCombo")->setCurrentIndex(2); // Ellipse
        d.findChild<QComboBox*>("ShadowOrientationCombo")->setCurrentIndex(1);
        return int(QDialog::Accepted);
    });
    draw("DrawSupershape", QRect(QPoint(20, 20), QPoint(110, 90)));
    dialogs.dialogs.push_back([](QDialog& d) {
        d.findChild<QLineEdit*>("CaptionText")->setText(QStringLiteral("Orlanto"));
        d.findChild<QPushButton*>("OKButton")->click();
        return d.result();
    });
    draw("DrawSuperTextButton", QRect(QPoint(120, 30), QPoint(300, 80)));
    QCOMPARE(dialogs.dialogTitles, (QStringList{QStringLiteral("Super Shape Properties"),
                                                QStringLiteral("SuperText Properties")}));
    QVERIFY(w.changesMade());

    const QString card = home.filePath(QStringLiteral("Saved/Effects.ORL"));
    dialogs.fileNames.push_back(card);
    w.saveAsCommand();
    QVERIFY(QFile::exists(card));
    w.newCommand();
    QVERIFY(s.objects().empty());
    dialogs.fileNames.push_back(card);
    w.openCommand();
    QCOMPARE(s.objects().size(), size_t(2));
    auto* shape = qobject_cast<TSuperShape*>(s.objects()[0]);
    auto* text = qobject_cast<TGSuperText*>(s.objects()[1]);
    QVERIFY(shape && text);
    QCOMPARE(shape->shape(), TSuperShape::gstEllipse);
    QCOMPARE(shape->shadowOrient(), TSuperShape::soLowerRight);
    QCOMPARE(text->caption(), QStringLiteral("Orlanto"));
    QVERIFY(!w.changesMade());
}

QTEST_MAIN(tst_EffectTools)
#include "tst_EffectTools.moc"
