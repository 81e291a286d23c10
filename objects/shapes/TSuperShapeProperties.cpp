#include "TSuperShapeProperties.h"

#include "TEffectPropertyControls.h"
#include "TGBrushImageBrowser.h"
#include "objects/text/TGObjectPreview.h"
#include "platform/widgets/ColorComboBox.h"
#include "platform/widgets/DialogHost.h"
#include "platform/widgets/DialogParts.h"
#include "platform/widgets/HelpViewer.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
using Controls = TEffectPropertyControls;

constexpr QSize minimumSample{200, 150};
} // namespace

TSuperShapeProperties::TSuperShapeProperties(TSuperShape& shape, QWidget* parent)
    : QDialog(parent), shape_(shape) {
    setObjectName(QStringLiteral("SuperShapeProperties"));
    setWindowTitle(QStringLiteral("Super Shape Properties"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);

    // The sample takes every property and the size of the shape, at (10, 10) in its box.
    sample.assignFrom(shape);
    sample.setBounds(10, 10, shape.width(), shape.height());
    lastFile_ = shape.lastBitmapFileNameandPath();
    lastTexture_ = shape.texture();
    const QSize sampleArea =
        QSize(shape.width() + 20, shape.height() + 20).expandedTo(minimumSample);
    preview_ = new TGObjectPreview(sample, sampleArea);

    shapeCombo_ = Controls::list("ShapeCombo", {"Rectangle", "Round Rectangle", "Ellipse",
                                                "Diamond", "Star", "Triangle Left",
                                                "Triangle Right", "Triangle Up", "Triangle Down"});
    pointsOnStar_ = Controls::spinner("PointsOnStar", 5, 20, 1);
    percentInVector_ = Controls::spinner("PercentinVector", 0, 90, 5);
    roundPercent_ = Controls::spinner("RoundPercent", 0, 90, 5);
    surfaceTypeCombo_ =
        Controls::list("SurfaceTypeCombo", {"Transparent", "Solid", "Texture", "Gradient Fill"});
    backgroundColorCombo_ = platform::named(new platform::ColorComboBox, "BackGroundColorCombo");
    effectControls_ =
        new Controls(sample,
                     {"BackGroundColorCombo2",
                      "GradientToColorCombo",
                      "ShadowColorCombo",
                      "OutlineColorCombo",
                      "BackColor",
                      "ShadowColor",
                      "ShadowOrient",
                      {"None", "Lower Right", "Upper Right", "Upper Left", "Lower Left"}},
                     this);

    starPanel_ = Controls::panel(
        {{"Points On Star", pointsOnStar_}, {"% of Inward Vector", percentInVector_}});
    roundPanel_ = Controls::panel({{"Round Percentage", roundPercent_}});
    solidPanel_ = Controls::panel({{"Background Color", backgroundColorCombo_}});

    auto* sampleBox = platform::named(new QGroupBox(QStringLiteral("Sample")), "SampleBox");
    (new QVBoxLayout(sampleBox))->addWidget(preview_);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Shape"), shapeCombo_);
    shapeOptions_ = Controls::optionArea({starPanel_, roundPanel_});
    form->addRow(shapeOptions_);
    form->addRow(QStringLiteral("Surface Type"), surfaceTypeCombo_);
    effectControls_->addRows(*form, {solidPanel_});

    const auto [buttons, ok, cancel, help] =
        platform::ButtonRow(nullptr, {"Ok", "OKButton"}, {"Cancel", "Cancelbutton"},
                            {"Help", "Helpbutton"}, helpContext);
    auto* columns = new QHBoxLayout;
    columns->addWidget(sampleBox, 0, Qt::AlignTop);
    columns->addLayout(form);
    auto* top = new QVBoxLayout(this);
    top->addLayout(columns);
    top->addLayout(buttons);

    takeValues();
    showControls();

    connect(shapeCombo_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i < 0) return;
        sample.setShape(TSuperShape::TGPShapeType(i));
        takeValues(); // a star forces its own values
        sampleChanged();
    });
    connect(pointsOnStar_, &QSpinBox::valueChanged, this, [this](int v) {
        sample.setVectors(2 * v);
        sampleChanged();
    });
    connect(percentInVector_, &QSpinBox::valueChanged, this, [this](int v) {
        sample.setInVectorPercent(v);
        sampleChanged();
    });
    connect(roundPercent_, &QSpinBox::valueChanged, this, [this](int v) {
        sample.setRoundPerc(v);
        sampleChanged();
    });
    connect(surfaceTypeCombo_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i < 0) return;
        sample.setSurfaceType(TSuperShape::TSurfaceType(i));
        if (i == TSuperShape::stBrushImage) sample.setTexture(lastTexture_);
        takeValues(); // a transparent surface changes shadow and outline
        sampleChanged();
    });
    connect(backgroundColorCombo_, &platform::ColorComboBox::colorChanged, this,
            &TSuperShapeProperties::setBackColor);
    // The solid colour and the gradient's start colour are one property.
    connect(effectControls_->gradientFromColor(), &platform::ColorComboBox::colorChanged, this,
            [this](TColor c) {
                const QSignalBlocker blocker(backgroundColorCombo_);
                backgroundColorCombo_->setColor(c);
            });
    connect(effectControls_, &TEffectPropertyControls::changed, this,
            &TSuperShapeProperties::sampleChanged);
    connect(effectControls_->loadImageButton(), &QPushButton::clicked, this,
            &TSuperShapeProperties::loadImageButtonClick);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [] { platform::HelpViewer::showTopic(helpContext); });
}

TSuperShapeProperties::~TSuperShapeProperties() = default;

bool TSuperShapeProperties::execute(TSuperShape& shape) {
    TSuperShapeProperties dialog(shape);
    if (platform::DialogHost::current().exec(dialog) != QDialog::Accepted) return false;
    dialog.applyToShape();
    return true;
}

// Shows the sample's values in the controls, without applying them again.
void TSuperShapeProperties::takeValues() {
    const QList<QWidget*> controls{shapeCombo_,   pointsOnStar_,     percentInVector_,
                                   roundPercent_, surfaceTypeCombo_, backgroundColorCombo_};
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QWidget* w : controls)
        blockers.push_back(std::make_unique<QSignalBlocker>(w));
    // A polygon has no item: nothing is selected then.
    shapeCombo_->setCurrentIndex(sample.shape() == TSuperShape::gstPolyGon ? -1 : sample.shape());
    pointsOnStar_->setValue(sample.vectors() / 2);
    percentInVector_->setValue(sample.inVectorPercent());
    roundPercent_->setValue(sample.roundPerc());
    surfaceTypeCombo_->setCurrentIndex(sample.surfaceType());
    backgroundColorCombo_->setColor(sample.backColor());
    effectControls_->takeValues();
}

void TSuperShapeProperties::showControls() {
    const TSuperShape::TGPShapeType shape = sample.shape();
    Controls::showOption(shapeOptions_, shape == TSuperShape::gstStar        ? starPanel_
                                        : shape == TSuperShape::gstRoundRect ? roundPanel_
                                                                             : nullptr);
    effectControls_->showSurface(sample.surfaceType() == TSuperShape::stBrushImage,
                                 sample.surfaceType() == TSuperShape::stBrushPattern ? solidPanel_
                                                                                     : nullptr);
}

void TSuperShapeProperties::sampleChanged() {
    showControls();
    preview_->update();
}

void TSuperShapeProperties::setBackColor(TColor c) {
    sample.setBackColor(c);
    // The solid colour and the gradient's start colour are one property.
    const QSignalBlocker b1(backgroundColorCombo_), b2(effectControls_->gradientFromColor());
    backgroundColorCombo_->setColor(c);
    effectControls_->gradientFromColor()->setColor(c);
    sampleChanged();
}

void TSuperShapeProperties::loadImageButtonClick() {
    TGBrushImageBrowser chooser;
    static_cast<TSuperShape&>(chooser.sample()).assignFrom(sample);
    chooser.sample().setBounds(0, 0, 75, 75);
    chooser.start(lastFile_, TGBrushImageBrowser::textureFolder());
    if (platform::DialogHost::current().exec(chooser) != QDialog::Accepted) return;
    lastTexture_ = chooser.sample().texture();
    sample.setTexture(lastTexture_);
    lastFile_ = chooser.selectedFile();
    sampleChanged();
}

void TSuperShapeProperties::applyToShape() {
    shape_.setBackColor(sample.backColor());
    shape_.setFillDirection(sample.fillDirection());
    shape_.setForeColor(sample.foreColor());
    shape_.setGradientToColor(sample.gradientToColor());
    shape_.setTexture(sample.texture());
    shape_.setInVectorPercent(sample.inVectorPercent());
    shape_.setOutlineColor(sample.outlineColor());
    shape_.setOutlineStyle(sample.outlineStyle());
    shape_.setOutlineWidth(sample.outlineWidth());
    shape_.setPattern(sample.pattern());
    shape_.setRoundPerc(sample.roundPerc());
    shape_.setShadowColor(sample.shadowColor());
    shape_.setShadowDepth(sample.shadowDepth());
    shape_.setShadowOrient(sample.shadowOrient());
    shape_.setShape(sample.shape());
    shape_.setStartingAngle(sample.startingAngle());
    shape_.setSurfaceType(sample.surfaceType());
    shape_.setVectors(sample.vectors());
    shape_.setLastBitmapFileNameandPath(lastFile_);
    shape_.flagChanged();
}
