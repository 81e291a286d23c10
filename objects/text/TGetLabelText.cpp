#include "TGetLabelText.h"
#include "platform/widgets/DialogParts.h"

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

    labelText_ = new QLineEdit(this);
    labelText_->setObjectName(QStringLiteral("LabelText"));
    labelText_->setMinimumWidth(280);
    auto* prompt = new QLabel(QStringLiteral("Enter Text"), this);
    prompt->setBuddy(labelText_);

    const auto [buttons, ok, cancel, help] = platform::ButtonRow(
        this, {"Ok", "OKButton"}, {"Cancel", "CancelButton"}, {"Help", "HelpButton"}, kHelpContext);

    body_ = new QVBoxLayout;
    body_->addWidget(prompt);
    body_->addWidget(labelText_);
    auto* top = new QVBoxLayout(this);
    top->addLayout(body_);
    top->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TGetLabelText::text() const {
    return labelText_->text();
}

void TGetLabelText::setText(const QString& text) {
    labelText_->setText(text);
}
