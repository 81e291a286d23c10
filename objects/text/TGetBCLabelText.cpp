#include "TGetBCLabelText.h"

#include "document/TGBusinessCardPanel32.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int minimumItemLength = 40; // characters the list shows without shortening
}

TGetBCLabelText::TGetBCLabelText(const QStringList& personalValues, QWidget* parent)
    : TGetLabelText(parent) {
    PersonalInfoCombo = new QComboBox(this);
    PersonalInfoCombo->setObjectName(QStringLiteral("PersonalInfoCombo"));
    PersonalInfoCombo->setEditable(false);
    // A long value (a whole address on one line) must not widen the dialog past the screen:
    // the list keeps a moderate width and shows long values shortened in the middle.
    PersonalInfoCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    PersonalInfoCombo->setMinimumContentsLength(minimumItemLength);
    PersonalInfoCombo->view()->setTextElideMode(Qt::ElideMiddle);
    for (qsizetype i = 0; i < personalValues.size(); ++i) {
        const QString& v = personalValues[i];
        if (v.isEmpty()) continue;
        PersonalInfoCombo->addItem(
            TGBusinessCardPanel32::personalInfoCaption(int(i)) + QStringLiteral(": ") + v, v);
    }
    // Nothing is chosen at first, so that choosing any value, the first included, acts.
    PersonalInfoCombo->setCurrentIndex(-1);
    PersonalInfoCombo->setEnabled(PersonalInfoCombo->count() > 0);
    auto* prompt = new QLabel(QStringLiteral("or select personal information"), this);
    prompt->setBuddy(PersonalInfoCombo);
    body()->addWidget(prompt);
    body()->addWidget(PersonalInfoCombo);
    connect(PersonalInfoCombo, &QComboBox::currentIndexChanged, this,
            &TGetBCLabelText::PersonalInfoComboChange);
    if (const QScreen* s = screen()) setMaximumSize(s->availableGeometry().size());
}

void TGetBCLabelText::PersonalInfoComboChange(int index) {
    if (index >= 0) LabelText->setText(PersonalInfoCombo->itemData(index).toString());
}
