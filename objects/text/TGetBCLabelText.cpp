#include "TGetBCLabelText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TGetBCLabelText::TGetBCLabelText(const QStringList& personalValues, QWidget* parent)
    : TGetLabelText(parent) {
    PersonalInfoCombo = new QComboBox(this);
    PersonalInfoCombo->setObjectName(QStringLiteral("PersonalInfoCombo"));
    PersonalInfoCombo->setEditable(false);
    for (const QString& v : personalValues)
        if (!v.isEmpty()) PersonalInfoCombo->addItem(v);
    // Nothing is chosen at first, so that choosing any value, the first included, acts.
    PersonalInfoCombo->setCurrentIndex(-1);
    PersonalInfoCombo->setEnabled(PersonalInfoCombo->count() > 0);
    auto* prompt = new QLabel(QStringLiteral("or select personal information"), this);
    prompt->setBuddy(PersonalInfoCombo);
    body()->addWidget(prompt);
    body()->addWidget(PersonalInfoCombo);
    connect(PersonalInfoCombo, &QComboBox::currentIndexChanged, this,
            &TGetBCLabelText::PersonalInfoComboChange);
}

void TGetBCLabelText::PersonalInfoComboChange(int index) {
    if (index >= 0) LabelText->setText(PersonalInfoCombo->itemText(index));
}
