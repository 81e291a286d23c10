#include "TPersonalInformation.h"

#include "platform/HelpViewer.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
struct Field {
    const char* label;
    const char* name;
};
const Field fieldSpecs[TPersonalInformation::Count] = {
    {"Name", "pPersonalName"},         {"Company", "pPersonalCompany"},
    {"Title", "pPersonalTitle"},       {"Address 1", "pPersonalAddress1"},
    {"Address 2", "pPersonalAddress2"}, {"Address 3", "pPersonalAddress3"},
    {"Phone 1", "pPersonalPhone1"},    {"Phone 2", "pPersonalPhone2"},
    {"E-mail", "pPersonalEmail"},      {"Fax", "pPersonalFax"},
};
} // namespace

TPersonalInformation::TPersonalInformation(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PersonalInformation"));
    setWindowTitle(QStringLiteral("Personal Information"));
    auto* form = new QFormLayout;
    for (int i = 0; i < Count; ++i) {
        fields_[size_t(i)] = new QLineEdit;
        fields_[size_t(i)]->setObjectName(QLatin1String(fieldSpecs[i].name));
        fields_[size_t(i)]->setMinimumWidth(320);
        form->addRow(QLatin1String(fieldSpecs[i].label), fields_[size_t(i)]);
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

void TPersonalInformation::setValues(const std::array<QString, Count>& values)
{
    for (int i = 0; i < Count; ++i) fields_[size_t(i)]->setText(values[size_t(i)]);
}

std::array<QString, TPersonalInformation::Count> TPersonalInformation::values() const
{
    std::array<QString, Count> v;
    for (int i = 0; i < Count; ++i) v[size_t(i)] = fields_[size_t(i)]->text();
    return v;
}
