#include "TGetLabelText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kHelpContext = 40004;
}

TGetLabelText::TGetLabelText(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Text"));
    // No title-bar buttons but the what's-this one.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowContextHelpButtonHint);

    LabelText = new QLineEdit(this);
    LabelText->setObjectName(QStringLiteral("LabelText"));
    LabelText->setMinimumWidth(280);
    auto* prompt = new QLabel(QStringLiteral("Enter Text"), this);
    prompt->setBuddy(LabelText);

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    help->setObjectName(QStringLiteral("HelpButton"));
    help->setAutoDefault(false);
    help->setProperty("HelpContext", kHelpContext);

    body_ = new QVBoxLayout;
    body_->addWidget(prompt);
    body_->addWidget(LabelText);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto* top = new QVBoxLayout(this);
    top->addLayout(body_);
    top->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TGetLabelText::text() const {
    return LabelText->text();
}

void TGetLabelText::setText(const QString& text) {
    LabelText->setText(text);
}
