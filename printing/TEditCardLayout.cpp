#include "TEditCardLayout.h"

#include "platform/DialogHost.h"
#include "platform/NumericEdit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr int kLetterItem = 0;
constexpr int kA4Item = 1;

template <class W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

platform::NumericEdit* lengthEdit(QWidget* parent, const char* name)
{
    auto* e = named(new platform::NumericEdit(parent), name);
    e->setDigits(6);
    e->setDecimals(3);
    e->setMinimumDecimals(0); // the form's own display pattern "#0.###"
    return e;
}

QSpinBox* countSpin(QWidget* parent, const char* name, int maximum)
{
    auto* s = named(new QSpinBox(parent), name);
    s->setRange(1, maximum);
    s->setValue(1);
    return s;
}
} // namespace

TEditCardLayout::TEditCardLayout(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Business Card Layout"));

    eCardwidth = lengthEdit(this, "eCardwidth");
    eCardHeight = lengthEdit(this, "eCardHeight");
    eHorizPitch = lengthEdit(this, "eHorizPitch");
    eVertPitch = lengthEdit(this, "eVertPitch");
    eleftmarg = lengthEdit(this, "eleftmarg");
    etopmarg = lengthEdit(this, "etopmarg");
    enbracross = countSpin(this, "enbracross", TCardLayout::MaxAcross);
    enbrdown = countSpin(this, "enbrdown", TCardLayout::MaxDown);
    epapersize = named(new QComboBox(this), "epapersize");
    epapersize->addItems({QStringLiteral("Letter (8.5 x 11\")"),
                          QStringLiteral("A4 (210 x 297mm)"), QString()});
    Inchesbutton = named(new QRadioButton(QStringLiteral("Use &Inches"), this), "Inchesbutton");
    MMButton = named(new QRadioButton(QStringLiteral("Use &Millimeters"), this), "MMButton");
    Inchesbutton->setChecked(true);
    PredefinedLayouts = named(new QComboBox(this), "PredefinedLayouts");
    for (const auto& row : TCardLayout::predefinedLayouts())
        PredefinedLayouts->addItem(QString::fromLatin1(row.name));
    PredefinedLayouts->setMaxVisibleItems(13);
    OKButton = named(new QPushButton(QStringLiteral("Ok"), this), "OKButton");
    OKButton->setDefault(true);
    auto* cancelButton = named(new QPushButton(QStringLiteral("Cancel"), this), "CancelButton");
    auto* helpButton = named(new QPushButton(QStringLiteral("Help"), this), "HelpButton");
    helpButton->setProperty("HelpContext", 3101);
    helpButton->setAutoDefault(false);

    auto* fields = new QGridLayout;
    const auto row = [&](int r, int c, const QString& text, QWidget* field) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        fields->addWidget(label, r, c);
        fields->addWidget(field, r, c + 1);
    };
    row(0, 0, QStringLiteral("Card Width"), eCardwidth);
    row(0, 2, QStringLiteral("Card Height"), eCardHeight);
    row(1, 0, QStringLiteral("Horizontal Pitch"), eHorizPitch);
    row(1, 2, QStringLiteral("Vertical Pitch"), eVertPitch);
    row(2, 0, QStringLiteral("# across"), enbracross);
    row(2, 2, QStringLiteral("# down"), enbrdown);
    row(3, 0, QStringLiteral("Left Margin"), eleftmarg);
    row(3, 2, QStringLiteral("Top Margin"), etopmarg);
    row(4, 0, QStringLiteral("Paper size"), epapersize);

    auto* units = new QHBoxLayout;
    units->addWidget(Inchesbutton);
    units->addWidget(MMButton);
    auto* predefined = new QGroupBox(QStringLiteral("Predefined Layouts"), this);
    (new QVBoxLayout(predefined))->addWidget(PredefinedLayouts);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(helpButton);

    auto* top = new QVBoxLayout(this);
    top->addWidget(predefined);
    top->addLayout(fields);
    top->addLayout(units);
    top->addLayout(buttons);

    connect(OKButton, &QPushButton::clicked, this, &TEditCardLayout::OKButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(Inchesbutton, &QRadioButton::toggled, this, &TEditCardLayout::InchesbuttonClick);
    connect(MMButton, &QRadioButton::toggled, this, &TEditCardLayout::MMButtonClick);
    connect(PredefinedLayouts, &QComboBox::currentIndexChanged, this,
            &TEditCardLayout::PredefinedLayoutsChange);
    connect(eCardwidth, &QLineEdit::editingFinished, this, &TEditCardLayout::eCardwidthExit);
    connect(eCardHeight, &QLineEdit::editingFinished, this, &TEditCardLayout::eCardHeightExit);
}

std::optional<TCardLayout> TEditCardLayout::execute(const TCardLayout& layout, QWidget* parent)
{
    TEditCardLayout dialog(parent);
    dialog.setCardLayout(layout);
    // A scripted host may answer OK without the button: done() then ran the checks, and the
    // dialog's own result says whether they passed.
    if (platform::DialogHost::current().exec(dialog) != QDialog::Accepted ||
        dialog.result() != QDialog::Accepted)
        return std::nullopt;
    return dialog.cardLayout();
}

void TEditCardLayout::setCardLayout(const TCardLayout& layout)
{
    // The unit first, as its switch rewrites the working copy from the fields.
    MMButton->setChecked(layout.UseMM);
    Inchesbutton->setChecked(!layout.UseMM);
    work_ = layout;
    {
        // Selecting the stored stock must not load its row over a hand-edited layout.
        const QSignalBlocker block(PredefinedLayouts);
        PredefinedLayouts->setCurrentIndex(layout.PredefLayout);
    }
    FillEditsFromValues();
}

TCardLayout TEditCardLayout::cardLayout() const
{
    TCardLayout l = work_;
    l.UseMM = MMButton->isChecked();
    return l;
}

std::array<platform::NumericEdit*, 6> TEditCardLayout::lengthEdits() const
{
    return {eCardwidth, eCardHeight, eHorizPitch, eVertPitch, eleftmarg, etopmarg};
}

std::array<float*, 6> TEditCardLayout::lengthValues()
{
    return {&work_.Width,  &work_.Height,     &work_.HPitch,
            &work_.VPitch, &work_.LeftMargin, &work_.TopMargin};
}

void TEditCardLayout::showLengths(double factor)
{
    const auto edits = lengthEdits();
    const auto values = lengthValues();
    for (size_t i = 0; i < edits.size(); ++i) edits[i]->setValue(double(*values[i]) * factor);
}

void TEditCardLayout::FillEditsFromValues()
{
    showLengths(1.0);
    enbracross->setValue(work_.Across);
    enbrdown->setValue(work_.Down);
    if (work_.Papersize == TCardLayout::PaperLetter) epapersize->setCurrentIndex(kLetterItem);
    else if (work_.Papersize == TCardLayout::PaperA4) epapersize->setCurrentIndex(kA4Item);
    if (MMButton->isChecked()) MMButtonClick(true);
}

void TEditCardLayout::InchesbuttonClick(bool checked)
{
    if (!checked) return;
    const auto edits = lengthEdits();
    const auto values = lengthValues();
    for (size_t i = 0; i < edits.size(); ++i) {
        *values[i] = float(TCardLayout::mmToInches(edits[i]->value()));
        edits[i]->setValue(0.0);
        edits[i]->setMinimumDecimals(1); // display pattern "#0.0##"
        edits[i]->setDecimals(3);
    }
    showLengths(1.0);
}

void TEditCardLayout::MMButtonClick(bool checked)
{
    if (!checked) return;
    const auto edits = lengthEdits();
    const auto values = lengthValues();
    for (size_t i = 0; i < edits.size(); ++i) {
        *values[i] = float(edits[i]->value());
        edits[i]->setValue(0.0);
        edits[i]->setDecimals(2);
    }
    showLengths(TCardLayout::inchesToMm(1.0));
}

void TEditCardLayout::PredefinedLayoutsChange(int index)
{
    work_.loadPredefined(index); // no row when nothing is selected
    FillEditsFromValues();
}

void TEditCardLayout::eCardwidthExit()
{
    if (eCardwidth->value() > eHorizPitch->value()) eHorizPitch->setValue(eCardwidth->value());
}

void TEditCardLayout::eCardHeightExit()
{
    if (eCardHeight->value() > eVertPitch->value()) eVertPitch->setValue(eCardHeight->value());
}

void TEditCardLayout::OKButtonClick()
{
    // A count still being typed counts as entered.
    enbrdown->setFocus();
    enbracross->interpretText();
    enbrdown->interpretText();
    work_.Down = enbrdown->value();
    work_.Across = enbracross->value();
    work_.PredefLayout = PredefinedLayouts->currentIndex();

    const auto edits = lengthEdits();
    const auto values = lengthValues();
    for (size_t i = 0; i < edits.size(); ++i) {
        double v = edits[i]->value();
        if (MMButton->isChecked()) {
            // To thousandths of an inch, the precision the preferences file keeps.
            v = QString::number(TCardLayout::mmToInches(v), 'f', 3).toDouble();
        }
        *values[i] = float(v);
    }
    if (epapersize->currentIndex() == kLetterItem) work_.Papersize = TCardLayout::PaperLetter;
    else if (epapersize->currentIndex() == kA4Item) work_.Papersize = TCardLayout::PaperA4;

    if (ValidCard()) QDialog::done(QDialog::Accepted);
}

bool TEditCardLayout::ValidCard()
{
    QString problem;
    if (work_.Height < 0.3)
        problem = QStringLiteral("Card Height must be at least .3 inches (or 7mm)");
    else if (work_.Width < 0.5)
        problem = QStringLiteral("Card Width must be at least .5 inch (or 13mm)");
    else if (work_.Across > 1 && work_.HPitch < work_.Width)
        problem = QStringLiteral("Horizontal Pitch must be at least = Card Width");
    else if (work_.Down > 1 && work_.VPitch < work_.Height)
        problem = QStringLiteral("Vertical Pitch must be at least = Card Height");
    else if (!work_.cardFitsSheet())
        problem = QStringLiteral("The card must fit on the paper");
    if (problem.isEmpty()) return true;
    platform::ShowInformation(problem);
    return false;
}

void TEditCardLayout::done(int result)
{
    if (result == QDialog::Accepted) OKButtonClick();
    else QDialog::done(result);
}
