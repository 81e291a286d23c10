#include "TEffectPropertyControls.h"

#include "TGEffectControl.h"
#include "platform/widgets/ColorComboBox.h"
#include "platform/widgets/DialogParts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

TEffectPropertyControls::TEffectPropertyControls(TGEffectControl& sample, const Names& names,
                                                 QObject* parent)
    : QObject(parent), sample_(sample) {
    fillDirectionCombo_ = list("FillDirectionCombo", {"Up", "Down", "Left", "Right"});
    gradientFromColor_ = platform::named(new platform::ColorComboBox, names.gradientFromControl);
    gradientToColor_ = platform::named(new platform::ColorComboBox, names.gradientToControl);
    loadImageButton_ =
        platform::named(new QPushButton(QStringLiteral("Load Texture")), "LoadImageButton");
    shadowColor_ = platform::named(new platform::ColorComboBox, names.shadowColorControl);
    shadowOrientationCombo_ = list("ShadowOrientationCombo", names.shadowOrientations);
    shadowDepthSpinner_ = spinner("ShadowDepthSpinner", 0, 10);
    outlineColor_ = platform::named(new platform::ColorComboBox, names.outlineColorControl);
    outlineStyleCombo_ = list("OutlineStyleCombo", {"Solid Line", "Dash Line", "Dotted Line",
                                                    "DashDot Line", "DashDotDot Line", "Clear"});
    outlineWidthSpinner_ = spinner("OutLineWidthSpinner", 0, 10);
    gradientPanel_ = panel({{"Fill Direction", fillDirectionCombo_},
                            {"From Color", gradientFromColor_},
                            {"To Color", gradientToColor_}});
    // The button keeps its own height at the top of its place.
    texturePanel_ = new QWidget;
    auto* textureLayout = new QVBoxLayout(texturePanel_);
    textureLayout->setContentsMargins(0, 0, 0, 0);
    textureLayout->addWidget(loadImageButton_);
    textureLayout->addStretch();

    bind(fillDirectionCombo_, "FillDirection");
    bind(gradientFromColor_, names.gradientFromProperty);
    bind(gradientToColor_, "GradientToColor");
    bind(shadowColor_, names.shadowColorProperty);
    bind(shadowOrientationCombo_, names.shadowOrientationProperty);
    bind(shadowDepthSpinner_, "ShadowDepth");
    bind(outlineColor_, "OutlineColor");
    bind(outlineStyleCombo_, "OutlineStyle");
    bind(outlineWidthSpinner_, "OutlineWidth");
}

QComboBox* TEffectPropertyControls::list(const char* name, const QStringList& items) {
    auto* c = platform::named(new QComboBox, name);
    c->addItems(items);
    return c;
}

QSpinBox* TEffectPropertyControls::spinner(const char* name, int min, int max, int step) {
    auto* s = platform::named(new QSpinBox, name);
    s->setRange(min, max);
    s->setSingleStep(step);
    return s;
}

QWidget*
TEffectPropertyControls::panel(std::initializer_list<std::pair<const char*, QWidget*>> rows) {
    auto* w = new QWidget;
    auto* form = new QFormLayout(w);
    form->setContentsMargins(0, 0, 0, 0);
    for (const auto& [label, control] : rows)
        form->addRow(QLatin1String(label), control);
    return w;
}

QStackedWidget* TEffectPropertyControls::optionArea(const QList<QWidget*>& panels) {
    auto* area = new QStackedWidget;
    area->addWidget(new QWidget); // shown when none of the panels is
    for (QWidget* panel : panels)
        area->addWidget(panel);
    return area;
}

void TEffectPropertyControls::showOption(QStackedWidget* area, QWidget* panel) {
    area->setCurrentIndex(panel ? area->indexOf(panel) : 0);
}

void TEffectPropertyControls::addRows(QFormLayout& form, const QList<QWidget*>& surfacePanels) {
    surfaceArea_ = optionArea(surfacePanels + QList<QWidget*>{gradientPanel_, texturePanel_});
    form.addRow(surfaceArea_);
    form.addRow(QStringLiteral("Shadow Color"), shadowColor_);
    form.addRow(QStringLiteral("Shadow Orientation"), shadowOrientationCombo_);
    form.addRow(QStringLiteral("Shadow Depth"), shadowDepthSpinner_);
    form.addRow(QStringLiteral("Outline Color"), outlineColor_);
    form.addRow(QStringLiteral("OutLine Style"), outlineStyleCombo_);
    form.addRow(QStringLiteral("Outline Width"), outlineWidthSpinner_);
}

void TEffectPropertyControls::takeValues() {
    for (const auto& show : shows_)
        show();
}

void TEffectPropertyControls::showSurface(bool texture, QWidget* otherPanel) {
    showOption(surfaceArea_, sample_.hasGradientSurface() ? gradientPanel_
                             : texture                    ? texturePanel_
                                                          : otherPanel);
}

void TEffectPropertyControls::write(const char* property, const QVariant& value) {
    // The property's own setter runs, with its checks and side effects.
    [[maybe_unused]] const bool written = sample_.setProperty(property, value);
    Q_ASSERT(written);
    emit changed();
}

void TEffectPropertyControls::bind(QComboBox* control, const char* property) {
    connect(control, &QComboBox::currentIndexChanged, this, [this, property](int i) {
        if (i >= 0) write(property, i);
    });
    shows_.push_back([this, control, property] {
        const QSignalBlocker blocker(control);
        // A stored value beyond the items selects none.
        const int i = sample_.property(property).toInt();
        control->setCurrentIndex(i < control->count() ? i : -1);
    });
}

void TEffectPropertyControls::bind(platform::ColorComboBox* control, const char* property) {
    connect(control, &platform::ColorComboBox::colorChanged, this,
            [this, property](TColor c) { write(property, QVariant::fromValue(c)); });
    shows_.push_back([this, control, property] {
        const QSignalBlocker blocker(control);
        control->setColor(sample_.property(property).value<TColor>());
    });
}

void TEffectPropertyControls::bind(QSpinBox* control, const char* property) {
    connect(control, &QSpinBox::valueChanged, this,
            [this, property](int v) { write(property, v); });
    shows_.push_back([this, control, property] {
        const QSignalBlocker blocker(control);
        control->setValue(sample_.property(property).toInt());
    });
}
