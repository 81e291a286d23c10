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
    personalInfoCombo_ = new QComboBox(this);
    personalInfoCombo_->setObjectName(QStringLiteral("PersonalInfoCombo"));
    personalInfoCombo_->setEditable(false);
    // A long value (a whole address on one line) must not widen the dialog past the screen:
    // the list keeps a moderate width and shows long values shortened in the middle.
    personalInfoCombo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    personalInfoCombo_->setMinimumContentsLength(minimumItemLength);
    personalInfoCombo_->view()->setTextElideMode(Qt::ElideMiddle);
    for (qsizetype i = 0; i < personalValues.size(); ++i) {
        const QString& v = personalValues[i];
        if (v.isEmpty()) continue;
        personalInfoCombo_->addItem(
            TGBusinessCardPanel32::personalInfoCaption(int(i)) + QStringLiteral(": ") + v, v);
    }
    // Nothing is chosen at first, so that choosing any value, the first included, acts.
    personalInfoCombo_->setCurrentIndex(-1);
    personalInfoCombo_->setEnabled(personalInfoCombo_->count() > 0);
    auto* prompt = new QLabel(QStringLiteral("or select personal information"), this);
    prompt->setBuddy(personalInfoCombo_);
    body()->addWidget(prompt);
    body()->addWidget(personalInfoCombo_);
    connect(personalInfoCombo_, &QComboBox::currentIndexChanged, this,
            &TGetBCLabelText::personalInfoComboChange);
    if (const QScreen* s = screen()) setMaximumSize(s->availableGeometry().size());
}

void TGetBCLabelText::personalInfoComboChange(int index) {
    if (index >= 0) setText(personalInfoCombo_->itemData(index).toString());
}
