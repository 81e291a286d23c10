#include "TGFont3DEffects.h"

#include "TGObjectPreview.h"
#include "platform/ColorComboBox.h"
#include "platform/DialogHost.h"

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

template <class W> W* named(W* w, const char* name) {
    w->setObjectName(QLatin1String(name));
    return w;
}

QComboBox* list(QWidget* parent, const char* name, const QStringList& items) {
    auto* c = named(new QComboBox(parent), name);
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

    ShadowDirection =
        list(this, "ShadowDirection",
             {QStringLiteral("None"), QStringLiteral("Right"), QStringLiteral("Left"),
              QStringLiteral("Lower Right"), QStringLiteral("Lower Left"), QStringLiteral("Down")});
    ShadowColorCombo = named(new platform::ColorComboBox(this), "ShadowColorCombo");
    ShadowDepth = list(this, "ShadowDepth", depthItems());
    HighlightDirection =
        list(this, "HighlightDirection",
             {QStringLiteral("None"), QStringLiteral("Right"), QStringLiteral("Left"),
              QStringLiteral("Upper Right"), QStringLiteral("Upper Left"), QStringLiteral("Up")});
    HighLightColorCombo = named(new platform::ColorComboBox(this), "HighLightColorCombo");
    HighLightDepth = list(this, "HighLightDepth", depthItems());
    FontColorCombo = named(new platform::ColorComboBox(this), "FontColorCombo");

    auto* ok = named(new QPushButton(QStringLiteral("Ok"), this), "OKButton");
    ok->setDefault(true);
    auto* cancel = named(new QPushButton(QStringLiteral("Cancel"), this), "CancelButton");
    auto* help = named(new QPushButton(QStringLiteral("Help"), this), "HelpButton");
    help->setAutoDefault(false);
    help->setProperty("HelpContext", kHelpContext);

    auto* grid = new QGridLayout;
    const auto place = [&](int row, int col, const QString& text, QWidget* w) {
        auto* l = new QLabel(text, this);
        l->setBuddy(w);
        grid->addWidget(l, row * 2, col);
        grid->addWidget(w, row * 2 + 1, col);
    };
    place(0, 0, QStringLiteral("Shadow Direction"), ShadowDirection);
    place(0, 1, QStringLiteral("Shadow Color"), ShadowColorCombo);
    place(0, 2, QStringLiteral("Shadow Depth"), ShadowDepth);
    place(1, 0, QStringLiteral("Highlight Direction"), HighlightDirection);
    place(1, 1, QStringLiteral("Highlight Color"), HighLightColorCombo);
    place(1, 2, QStringLiteral("Highlight Depth"), HighLightDepth);
    place(2, 0, QStringLiteral("Font Color"), FontColorCombo);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto* top = new QVBoxLayout(this);
    top->addWidget(preview_);
    top->addLayout(grid);
    top->addLayout(buttons);

    activate();

    connect(ShadowDirection, &QComboBox::currentIndexChanged, this,
            &TGFont3DEffects::ShadowDirectionChange);
    connect(ShadowDepth, &QComboBox::currentIndexChanged, this,
            &TGFont3DEffects::ShadowDepthChange);
    connect(HighlightDirection, &QComboBox::currentIndexChanged, this,
            &TGFont3DEffects::HighlightDirectionChange);
    connect(HighLightDepth, &QComboBox::currentIndexChanged, this,
            &TGFont3DEffects::HighLightDepthChange);
    connect(ShadowColorCombo, &platform::ColorComboBox::colorChanged, this,
            &TGFont3DEffects::ShadowColorComboChange);
    connect(HighLightColorCombo, &platform::ColorComboBox::colorChanged, this,
            &TGFont3DEffects::HighLightColorComboChange);
    connect(FontColorCombo, &platform::ColorComboBox::colorChanged, this,
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

    ShadowColorCombo->setColor(label_.colorShadow());
    HighLightColorCombo->setColor(label_.colorHighlight());
    FontColorCombo->setColor(label_.displayFont().color());
    selectIndex(ShadowDirection, label_.directionShadow());
    selectIndex(ShadowDepth, label_.depthShadow());
    selectIndex(HighlightDirection, label_.directionHighlight());
    selectIndex(HighLightDepth, label_.depthHighlight());
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
