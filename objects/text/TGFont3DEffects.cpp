#include "TGFont3DEffects.h"

#include "TGObjectPreview.h"
#include "platform/widgets/ColorComboBox.h"
#include "platform/widgets/DialogHost.h"
#include "platform/widgets/DialogParts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
constexpr int kHelpContext = 40008;
constexpr int kMaxListedDepth = 10;

QComboBox* list(QWidget* parent, const char* name, const QStringList& items) {
    auto* c = platform::named(new QComboBox(parent), name);
    c->addItems(items);
    return c;
}

QStringList depthItems() {
    QStringList items;
    for (int i = 0; i <= kMaxListedDepth; ++i)
        items << QString::number(i);
    return items;
}

// Selects the item whose index is the value; none when the value has no item (a depth
// of 12 from a card file), so that "Ok" keeps the value the sample took.
void selectIndex(QComboBox* c, int value) {
    c->setCurrentIndex(value >= 0 && value < c->count() ? value : -1);
}
} // namespace

TGFont3DEffects::TGFont3DEffects(TGBaseLabel& label, QWidget* parent)
    : QDialog(parent), label_(label) {
    setWindowTitle(QStringLiteral("Text 3D Effects"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);

    // The sample as the dialog streams it.
    sample.setCaption(QStringLiteral("Text"));
    TGFont sampleFont;
    sampleFont.setName(QStringLiteral("Arial"));
    sampleFont.setHeight(-13);
    sampleFont.setColor(TColor::clBlack);
    sample.takeFont(sampleFont);
    sample.setTransparent(true);
    sample.setBackColor(TColor::clWhite);
    preview_ = new TGObjectPreview(sample, samplePanelSize, this);

    shadowDirection_ =
        list(this, "ShadowDirection",
             {QStringLiteral("None"), QStringLiteral("Right"), QStringLiteral("Left"),
              QStringLiteral("Lower Right"), QStringLiteral("Lower Left"), QStringLiteral("Down")});
    shadowColorCombo_ = platform::named(new platform::ColorComboBox(this), "ShadowColorCombo");
    shadowDepth_ = list(this, "ShadowDepth", depthItems());
    highlightDirection_ =
        list(this, "HighlightDirection",
             {QStringLiteral("None"), QStringLiteral("Right"), QStringLiteral("Left"),
              QStringLiteral("Upper Right"), QStringLiteral("Upper Left"), QStringLiteral("Up")});
    highlightColorCombo_ =
        platform::named(new platform::ColorComboBox(this), "HighLightColorCombo");
    highlightDepth_ = list(this, "HighLightDepth", depthItems());
    fontColorCombo_ = platform::named(new platform::ColorComboBox(this), "FontColorCombo");

    const auto [buttons, ok, cancel, help] = platform::ButtonRow(
        this, {"Ok", "OKButton"}, {"Cancel", "CancelButton"}, {"Help", "HelpButton"}, kHelpContext);

    auto* grid = new QGridLayout;
    const auto place = [&](int row, int col, const QString& text, QWidget* w) {
        auto* l = new QLabel(text, this);
        l->setBuddy(w);
        grid->addWidget(l, row * 2, col);
        grid->addWidget(w, row * 2 + 1, col);
    };
    place(0, 0, QStringLiteral("Shadow Direction"), shadowDirection_);
    place(0, 1, QStringLiteral("Shadow Color"), shadowColorCombo_);
    place(0, 2, QStringLiteral("Shadow Depth"), shadowDepth_);
    place(1, 0, QStringLiteral("Highlight Direction"), highlightDirection_);
    place(1, 1, QStringLiteral("Highlight Color"), highlightColorCombo_);
    place(1, 2, QStringLiteral("Highlight Depth"), highlightDepth_);
    place(2, 0, QStringLiteral("Font Color"), fontColorCombo_);
    auto* top = new QVBoxLayout(this);
    top->addWidget(preview_);
    top->addLayout(grid);
    top->addLayout(buttons);

    activate();

    connect(shadowDirection_, &QComboBox::currentIndexChanged, this,
            &TGFont3DEffects::shadowDirectionChange);
    connect(shadowDepth_, &QComboBox::currentIndexChanged, this,
            &TGFont3DEffects::shadowDepthChange);
    connect(highlightDirection_, &QComboBox::currentIndexChanged, this,
            &TGFont3DEffects::highlightDirectionChange);
    connect(highlightDepth_, &QComboBox::currentIndexChanged, this,
            &TGFont3DEffects::highLightDepthChange);
    connect(shadowColorCombo_, &platform::ColorComboBox::colorChanged, this,
            &TGFont3DEffects::shadowColorComboChange);
    connect(highlightColorCombo_, &platform::ColorComboBox::colorChanged, this,
            &TGFont3DEffects::highLightColorComboChange);
    connect(fontColorCombo_, &platform::ColorComboBox::colorChanged, this,
            &TGFont3DEffects::fontColorComboChange);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TGFont3DEffects::~TGFont3DEffects() = default;

bool TGFont3DEffects::execute(TGBaseLabel& label) {
    TGFont3DEffects dialog(label);
    if (platform::DialogHost::current().exec(dialog) != QDialog::Accepted) return false;
    dialog.applyToLabel();
    return true;
}

void TGFont3DEffects::activate() {
    sample.takeFont(label_.displayFont());
    sample.setDepthHighlight(label_.depthHighlight());
    sample.setDepthShadow(label_.depthShadow());
    sample.setDirectionHighlight(label_.directionHighlight());
    sample.setDirectionShadow(label_.directionShadow());
    sample.setColorHighlight(label_.colorHighlight());
    sample.setColorShadow(label_.colorShadow());
    sample.setBounds(0, 0, samplePanelSize.width(), samplePanelSize.height());
    sample.layoutPass();

    shadowColorCombo_->setColor(label_.colorShadow());
    highlightColorCombo_->setColor(label_.colorHighlight());
    fontColorCombo_->setColor(label_.displayFont().color());
    selectIndex(shadowDirection_, label_.directionShadow());
    selectIndex(shadowDepth_, label_.depthShadow());
    selectIndex(highlightDirection_, label_.directionHighlight());
    selectIndex(highlightDepth_, label_.depthHighlight());
}

void TGFont3DEffects::sampleChanged() {
    preview_->update();
}

void TGFont3DEffects::shadowDirectionChange(int index) {
    if (index < 0) return;
    sample.setDirectionShadow(TGBaseLabel::TShadowDirection(index));
    sampleChanged();
}

void TGFont3DEffects::shadowColorComboChange(TColor c) {
    sample.setColorShadow(c);
    sampleChanged();
}

void TGFont3DEffects::shadowDepthChange(int index) {
    if (index < 0) return;
    sample.setDepthShadow(index);
    sampleChanged();
}

void TGFont3DEffects::highlightDirectionChange(int index) {
    if (index < 0) return;
    sample.setDirectionHighlight(TGBaseLabel::THighlightDirection(index));
    sampleChanged();
}

void TGFont3DEffects::highLightColorComboChange(TColor c) {
    sample.setColorHighlight(c);
    sampleChanged();
}

void TGFont3DEffects::highLightDepthChange(int index) {
    if (index < 0) return;
    sample.setDepthHighlight(index);
    sampleChanged();
}

void TGFont3DEffects::fontColorComboChange(TColor c) {
    sample.font()->setColor(c);
    sampleChanged();
}

void TGFont3DEffects::applyToLabel() {
    label_.takeFont(*sample.font());
    label_.setDepthHighlight(sample.depthHighlight());
    label_.setDepthShadow(sample.depthShadow());
    label_.setDirectionHighlight(sample.directionHighlight());
    label_.setDirectionShadow(sample.directionShadow());
    label_.setColorHighlight(sample.colorHighlight());
    label_.setColorShadow(sample.colorShadow());
}
