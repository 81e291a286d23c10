#include "TPersonalInformation.h"

#include "document/TGBusinessCardPanel32.h"
#include "platform/widgets/HelpViewer.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The edit fields' names, in the order of the entries.
const char* const fieldNames[TPersonalInformation::count] = {
    "pPersonalName",     "pPersonalCompany",  "pPersonalTitle",  "pPersonalAddress1",
    "pPersonalAddress2", "pPersonalAddress3", "pPersonalPhone1", "pPersonalPhone2",
    "pPersonalEmail",    "pPersonalFax"};
} // namespace

TPersonalInformation::TPersonalInformation(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PersonalInformation"));
    setWindowTitle(QStringLiteral("Personal Information"));
    auto* form = new QFormLayout;
    for (int i = 0; i < count; ++i) {
        fields_[size_t(i)] = new QLineEdit;
        fields_[size_t(i)]->setObjectName(QLatin1String(fieldNames[i]));
        fields_[size_t(i)]->setMinimumWidth(320);
        form->addRow(TGBusinessCardPanel32::personalInfoCaption(i), fields_[size_t(i)]);
    }
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("CancelButton"));
    QPushButton* help = buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("HelpButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { platform::HelpViewer::showTopic(2102); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void TPersonalInformation::setValues(const std::array<QString, count>& values) {
    for (int i = 0; i < count; ++i)
        fields_[size_t(i)]->setText(values[size_t(i)]);
}

std::array<QString, TPersonalInformation::count> TPersonalInformation::values() const {
    std::array<QString, count> v;
    for (int i = 0; i < count; ++i)
        v[size_t(i)] = fields_[size_t(i)]->text();
    return v;
}
