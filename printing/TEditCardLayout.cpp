#include "TEditCardLayout.h"

#include "platform/widgets/DialogHost.h"
#include "platform/widgets/DialogParts.h"
#include "platform/widgets/NumericEdit.h"

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

platform::NumericEdit* lengthEdit(QWidget* parent, const char* name) {
    auto* e = platform::named(new platform::NumericEdit(parent), name);
    e->setDigits(6);
    e->setDecimals(3);
    e->setMinimumDecimals(0); // the form's own display pattern "#0.###"
    return e;
}

QSpinBox* countSpin(QWidget* parent, const char* name, int maximum) {
    auto* s = platform::named(new QSpinBox(parent), name);
    s->setRange(1, maximum);
    s->setValue(1);
    return s;
}
} // namespace

TEditCardLayout::TEditCardLayout(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Business Card Layout"));

    cardWidth_ = lengthEdit(this, "eCardwidth");
    cardHeight_ = lengthEdit(this, "eCardHeight");
    horizPitch_ = lengthEdit(this, "eHorizPitch");
    vertPitch_ = lengthEdit(this, "eVertPitch");
    leftMargin_ = lengthEdit(this, "eleftmarg");
    topMargin_ = lengthEdit(this, "etopmarg");
    across_ = countSpin(this, "enbracross", TCardLayout::maxAcross);
    down_ = countSpin(this, "enbrdown", TCardLayout::maxDown);
    paperSize_ = platform::named(new QComboBox(this), "epapersize");
    paperSize_->addItems(
        {QStringLiteral("Letter (8.5 x 11\")"), QStringLiteral("A4 (210 x 297mm)"), QString()});
    inchesButton_ =
        platform::named(new QRadioButton(QStringLiteral("Use &Inches"), this), "Inchesbutton");
    mmButton_ =
        platform::named(new QRadioButton(QStringLiteral("Use &Millimeters"), this), "MMButton");
    inchesButton_->setChecked(true);
    predefinedLayouts_ = platform::named(new QComboBox(this), "PredefinedLayouts");
    for (const auto& row : TCardLayout::predefinedLayouts())
        predefinedLayouts_->addItem(QString::fromLatin1(row.name));
    predefinedLayouts_->setMaxVisibleItems(13);
    const platform::ButtonRow buttons(this, {"Ok", "OKButton"}, {"Cancel", "CancelButton"},
                                      {"Help", "HelpButton"}, 3101);
    okButton_ = buttons.ok;

    auto* fields = new QGridLayout;
    const auto row = [&](int r, int c, const QString& text, QWidget* field) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        fields->addWidget(label, r, c);
        fields->addWidget(field, r, c + 1);
    };
    row(0, 0, QStringLiteral("Card Width"), cardWidth_);
    row(0, 2, QStringLiteral("Card Height"), cardHeight_);
    row(1, 0, QStringLiteral("Horizontal Pitch"), horizPitch_);
    row(1, 2, QStringLiteral("Vertical Pitch"), vertPitch_);
    row(2, 0, QStringLiteral("# across"), across_);
    row(2, 2, QStringLiteral("# down"), down_);
    row(3, 0, QStringLiteral("Left Margin"), leftMargin_);
    row(3, 2, QStringLiteral("Top Margin"), topMargin_);
    row(4, 0, QStringLiteral("Paper size"), paperSize_);

    auto* units = new QHBoxLayout;
    units->addWidget(inchesButton_);
    units->addWidget(mmButton_);
    auto* predefined = new QGroupBox(QStringLiteral("Predefined Layouts"), this);
    (new QVBoxLayout(predefined))->addWidget(predefinedLayouts_);

    auto* top = new QVBoxLayout(this);
    top->addWidget(predefined);
    top->addLayout(fields);
    top->addLayout(units);
    top->addLayout(buttons.layout);

    connect(okButton_, &QPushButton::clicked, this, &TEditCardLayout::okButtonClick);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(inchesButton_, &QRadioButton::toggled, this, &TEditCardLayout::inchesbuttonClick);
    connect(mmButton_, &QRadioButton::toggled, this, &TEditCardLayout::mmButtonClick);
    connect(predefinedLayouts_, &QComboBox::currentIndexChanged, this,
            &TEditCardLayout::predefinedLayoutsChange);
    connect(cardWidth_, &QLineEdit::editingFinished, this, &TEditCardLayout::eCardwidthExit);
    connect(cardHeight_, &QLineEdit::editingFinished, this, &TEditCardLayout::eCardHeightExit);
}

std::optional<TCardLayout> TEditCardLayout::execute(const TCardLayout& layout, QWidget* parent) {
    TEditCardLayout dialog(parent);
    dialog.setCardLayout(layout);
    // A scripted host may answer OK without the button: done() then ran the checks, and the
    // dialog's own result says whether they passed.
    if (platform::DialogHost::current().exec(dialog) != QDialog::Accepted ||
        dialog.result() != QDialog::Accepted)
        return std::nullopt;
    return dialog.cardLayout();
}

void TEditCardLayout::setCardLayout(const TCardLayout& layout) {
    // The unit first, as its switch rewrites the working copy from the fields.
    mmButton_->setChecked(layout.useMM);
    inchesButton_->setChecked(!layout.useMM);
    work_ = layout;
    {
        // Selecting the stored stock must not load its row over a hand-edited layout.
        const QSignalBlocker block(predefinedLayouts_);
        predefinedLayouts_->setCurrentIndex(layout.predefLayout);
    }
    fillEditsFromValues();
}

TCardLayout TEditCardLayout::cardLayout() const {
    TCardLayout l = work_;
    l.useMM = mmButton_->isChecked();
    return l;
}

std::array<platform::NumericEdit*, 6> TEditCardLayout::lengthEdits() const {
    return {cardWidth_, cardHeight_, horizPitch_, vertPitch_, leftMargin_, topMargin_};
}

std::array<float*, 6> TEditCardLayout::lengthValues() {
    return {&work_.width,  &work_.height,     &work_.hPitch,
            &work_.vPitch, &work_.leftMargin, &work_.topMargin};
}

void TEditCardLayout::showLengths(double factor) {
    const auto edits = lengthEdits();
    const auto values = lengthValues();
    for (size_t i = 0; i < edits.size(); ++i)
        edits[i]->setValue(double(*values[i]) * factor);
}

void TEditCardLayout::fillEditsFromValues() {
    showLengths(1.0);
    across_->setValue(work_.across);
    down_->setValue(work_.down);
    if (work_.papersize == TCardLayout::paperLetter)
        paperSize_->setCurrentIndex(kLetterItem);
    else if (work_.papersize == TCardLayout::paperA4)
        paperSize_->setCurrentIndex(kA4Item);
    if (mmButton_->isChecked()) mmButtonClick(true);
}

void TEditCardLayout::inchesbuttonClick(bool checked) {
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

void TEditCardLayout::mmButtonClick(bool checked) {
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

void TEditCardLayout::predefinedLayoutsChange(int index) {
    work_.loadPredefined(index); // no row when nothing is selected
    fillEditsFromValues();
}

void TEditCardLayout::eCardwidthExit() {
    if (cardWidth_->value() > horizPitch_->value()) horizPitch_->setValue(cardWidth_->value());
}

void TEditCardLayout::eCardHeightExit() {
    if (cardHeight_->value() > vertPitch_->value()) vertPitch_->setValue(cardHeight_->value());
}

void TEditCardLayout::okButtonClick() {
    // A count still being typed counts as entered.
    down_->setFocus();
    across_->interpretText();
    down_->interpretText();
    work_.down = down_->value();
    work_.across = across_->value();
    work_.predefLayout = predefinedLayouts_->currentIndex();

    const auto edits = lengthEdits();
    const auto values = lengthValues();
    for (size_t i = 0; i < edits.size(); ++i) {
        double v = edits[i]->value();
        if (mmButton_->isChecked()) {
            // To thousandths of an inch, the precision the preferences file keeps.
            v = QString::number(TCardLayout::mmToInches(v), 'f', 3).toDouble();
        }
        *values[i] = float(v);
    }
    if (paperSize_->currentIndex() == kLetterItem)
        work_.papersize = TCardLayout::paperLetter;
    else if (paperSize_->currentIndex() == kA4Item)
        work_.papersize = TCardLayout::paperA4;

    if (validCard()) QDialog::done(QDialog::Accepted);
}

bool TEditCardLayout::validCard() {
    QString problem;
    if (work_.height < 0.3)
        problem = QStringLiteral("Card Height must be at least .3 inches (or 7mm)");
    else if (work_.width < 0.5)
        problem = QStringLiteral("Card Width must be at least .5 inch (or 13mm)");
    else if (work_.across > 1 && work_.hPitch < work_.width)
        problem = QStringLiteral("Horizontal Pitch must be at least = Card Width");
    else if (work_.down > 1 && work_.vPitch < work_.height)
        problem = QStringLiteral("Vertical Pitch must be at least = Card Height");
    else if (!work_.cardFitsSheet())
        problem = QStringLiteral("The card must fit on the paper");
    if (problem.isEmpty()) return true;
    platform::showInformation(problem);
    return false;
}

void TEditCardLayout::done(int result) {
    if (result == QDialog::Accepted)
        okButtonClick();
    else
        QDialog::done(result);
}
