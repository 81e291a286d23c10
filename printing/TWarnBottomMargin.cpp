#include "TWarnBottomMargin.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
QString inches(double v) {
    return QStringLiteral(" ") + QString::number(v, 'f', 3) + QStringLiteral(" inches");
}
} // namespace

TWarnBottomMargin::TWarnBottomMargin(double bottomBorder, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ALERT"));
    auto label = [this](const QString& text, const char* name) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        l->setWordWrap(true);
        return l;
    };
    QLabel* margin = label(marginText(bottomBorder), "MarginLabel");
    QLabel* cutOff = label(cutOffText(bottomBorder), "CutOffLabel");
    QLabel* advice = label(QStringLiteral("If your printer driver supports it, you could change "
                                          "the bottom margin to 0.5 inches. Otherwise, you should "
                                          "design your cards so that the bottom portion of the "
                                          "cards is not used."),
                           "AdviceLabel");
    QLabel* note = label(QStringLiteral("(Note: some printers, including some of the HP Deskjet "
                                        "series, cannot print beyond a 0.66 inch bottom margin)"),
                         "NoteLabel");
    QFont italic = note->font();
    italic.setItalic(true);
    note->setFont(italic);
    dontShowCheck_ = new QCheckBox(QStringLiteral("Don't show this warning again"), this);
    dontShowCheck_->setObjectName(QStringLiteral("DontShowCheck"));

    auto* continueButton = new QPushButton(QStringLiteral("Continue"), this);
    continueButton->setObjectName(QStringLiteral("ContinueButton"));
    continueButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel Printing"), this);
    cancelButton->setObjectName(QStringLiteral("CancelButton"));
    cancelButton->setAutoDefault(false);
    auto* helpButton = new QPushButton(QStringLiteral("Help"), this);
    helpButton->setObjectName(QStringLiteral("HelpButton"));
    helpButton->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(continueButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(helpButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(margin);
    layout->addWidget(cutOff);
    layout->addWidget(advice);
    layout->addWidget(note);
    layout->addWidget(dontShowCheck_);
    layout->addLayout(buttons);
    setMinimumWidth(440);

    connect(continueButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, [this] { emit helpRequested(2105); });
}

bool TWarnBottomMargin::needed(double bottomBorder, const TCardSelection& selection, int across,
                               int down, bool showBottomMarginWarning) {
    if (!showBottomMarginWarning || bottomBorder <= neededMargin) return false;
    const int lastRow = std::max(down, 1) - 1;
    for (int c = 0; c < std::max(across, 1); ++c)
        if (!selection.isSelected(lastRow * across + c)) return false;
    return true;
}

QString TWarnBottomMargin::marginText(double bottomBorder) {
    return QStringLiteral("Business Cards need to print to within 0.5 inches of the bottom, but "
                          "the current printer has a bottom margin setting of :") +
           inches(bottomBorder);
}

QString TWarnBottomMargin::cutOffText(double bottomBorder) {
    return QStringLiteral("This could result in the bottom of the last two business cards being "
                          "cut off by approximately:") +
           inches(bottomBorder - neededMargin);
}

bool TWarnBottomMargin::dontShowAgain() const {
    return dontShowCheck_->isChecked();
}
