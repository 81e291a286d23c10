#include "TGFont3DEffects.h"

#include "TGObjectPreview.h"
#include "platform/ColorComboBox.h"
#include "platform/DialogHost.h"
#include "platform/DialogParts.h"

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
    Sample.setCaption(QStringLiteral("Text"));
    TGFont sampleFont;
    sampleFont.setName(QStringLiteral("Arial"));
    sampleFont.setHeight(-13);
    sampleFont.setColor(TColor::clBlack);
    Sample.takeFont(sampleFont);
    Sample.setTransparent(true);
    Sample.setBackColor(TColor::clWhite);
    preview_ = new TGObjectPreview(Sample, samplePanelSize, this);

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
            &TGFont3DEffects::ShadowDirectionChange);
    connect(shadowDepth_, &QComboBox::currentIndexChanged, this,
            &TGFont3DEffects::ShadowDepthChange);
    connect(highlightDirection_, &QComboBox::currentIndexChanged, this,
            &TGFont3DEffects::HighlightDirectionChange);
    connect(highlightDepth_, &QComboBox::currentIndexChanged, this,
            &TGFont3DEffects::HighLightDepthChange);
    connect(shadowColorCombo_, &platform::ColorComboBox::colorChanged, this,
            &TGFont3DEffects::ShadowColorComboChange);
    connect(highlightColorCombo_, &platform::ColorComboBox::colorChanged, this,
            &TGFont3DEffects::HighLightColorComboChange);
    connect(fontColorCombo_, &platform::ColorComboBox::colorChanged, this,
            &TGFont3DEffects::FontColorComboChange);
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
    Sample.takeFont(label_.displayFont());
    Sample.setDepthHighlight(label_.depthHighlight());
    Sample.setDepthShadow(label_.depthShadow());
    Sample.setDirectionHighlight(label_.directionHighlight());
    Sample.setDirectionShadow(label_.directionShadow());
    Sample.setColorHighlight(label_.colorHighlight());
    Sample.setColorShadow(label_.colorShadow());
    Sample.setBounds(0, 0, samplePanelSize.width(), samplePanelSize.height());
    Sample.layoutPass();

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

void TGFont3DEffects::ShadowDirectionChange(int index) {
    if (index < 0) return;
    Sample.setDirectionShadow(TGBaseLabel::TShadowDirection(index));
    sampleChanged();
}

void TGFont3DEffects::ShadowColorComboChange(TColor c) {
    Sample.setColorShadow(c);
    sampleChanged();
}

void TGFont3DEffects::ShadowDepthChange(int index) {
    if (index < 0) return;
    Sample.setDepthShadow(index);
    sampleChanged();
}

void TGFont3DEffects::HighlightDirectionChange(int index) {
    if (index < 0) return;
    Sample.setDirectionHighlight(TGBaseLabel::THighlightDirection(index));
    sampleChanged();
}

void TGFont3DEffects::HighLightColorComboChange(TColor c) {
    Sample.setColorHighlight(c);
    sampleChanged();
}

void TGFont3DEffects::HighLightDepthChange(int index) {
    if (index < 0) return;
    Sample.setDepthHighlight(index);
    sampleChanged();
}

void TGFont3DEffects::FontColorComboChange(TColor c) {
    Sample.font()->setColor(c);
    sampleChanged();
}

void TGFont3DEffects::applyToLabel() {
    label_.takeFont(*Sample.font());
    label_.setDepthHighlight(Sample.depthHighlight());
    label_.setDepthShadow(Sample.depthShadow());
    label_.setDirectionHighlight(Sample.directionHighlight());
    label_.setDirectionShadow(Sample.directionShadow());
    label_.setColorHighlight(Sample.colorHighlight());
    label_.setColorShadow(Sample.colorShadow());
}
