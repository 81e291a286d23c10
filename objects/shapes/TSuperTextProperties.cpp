#include "TSuperTextProperties.h"

#include "TEffectPropertyControls.h"
#include "TGBrushImageBrowser.h"
#include "TSuperTextBrushImageBrowser.h"
#include "TSuperTextGetSymbol.h"
#include "objects/text/TGObjectPreview.h"
#include "platform/pictures/Graphic.h"
#include "platform/widgets/ColorComboBox.h"
#include "platform/widgets/DialogHost.h"
#include "platform/widgets/DialogParts.h"
#include "platform/widgets/HelpViewer.h"

#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
using Controls = TEffectPropertyControls;

constexpr QSize samplePanel{420, 160};

// The dialog's own texture until the text brings one: the first of the program's library.
QImage libraryTexture() {
    const QDir folder(TGBrushImageBrowser::textureFolder());
    for (const QString& name :
         folder.entryList(TGBrushImageBrowser::filePatterns(), QDir::Files, QDir::Name)) {
        platform::Graphic texture;
        if (texture.loadFromFile(folder.filePath(name)) && !texture.image().isNull())
            return texture.image();
    }
    return {};
}
} // namespace

TSuperTextProperties::TSuperTextProperties(TGSuperText& text, QWidget* parent)
    : QDialog(parent), text_(text) {
    setObjectName(QStringLiteral("SuperTextProperties"));
    setWindowTitle(QStringLiteral("SuperText Properties"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);

    sample.assignFrom(text);
    sample.setBounds(0, 0, text.width(), text.height());
    lastFile_ = text.lastBitmapFileNameandPath();
    lastTexture_ = text.texture().isNull() ? libraryTexture() : text.texture();
    preview_ = new TGObjectPreview(sample, samplePanel);
    preview_->setObjectName(QStringLiteral("PreviewPanel"));

    captionText_ = platform::named(new QLineEdit, "CaptionText");
    fontButton_ = platform::named(new QPushButton(QStringLiteral("Select Font")), "Fontbutton");
    // The size in points, shown and typed; its arrows step by one point and Page Up and
    // Page Down by ten, so both a fine and a rapid change are at hand.
    rapidChangeFontSize_ = platform::named(new QSpinBox, "RapidChangeFontSize");
    rapidChangeFontSize_->setRange(minFontSize, maxFontSize);
    rapidChangeFontSize_->setSuffix(QStringLiteral(" pt"));
    rapidChangeFontSize_->setToolTip(QStringLiteral(
        "Font size in points\nThe arrows change it by 1 point, Page Up and Page Down by 10"));
    selectSymbolButton_ =
        platform::named(new QPushButton(QStringLiteral("Select Symbol")), "SelectSymbolbutton");
    surfaceTypeCombo_ =
        Controls::list("SurfaceTypeCombo", {"Normal", "Transparent", "Texture", "Gradient Fill"});
    fontColorButton_ = platform::named(new platform::ColorComboBox, "FontColorButton");
    effectControls_ = new Controls(sample,
                                   {"GradientFromcolorButton",
                                    "GradientToColorButton",
                                    "ShadowColorButton",
                                    "OutlineColorButton",
                                    "GradientFromColor",
                                    "Shadowcolor",
                                    "ShadowOrientation",
                                    {"None", "Right", "Left", "Lower Right", "Lower Left", "Down"}},
                                   this);
    normalPanel_ = Controls::panel({{"Font Color", fontColorButton_}});

    auto* textRow = new QHBoxLayout;
    textRow->addWidget(captionText_, 1);
    textRow->addWidget(fontButton_);
    textRow->addWidget(rapidChangeFontSize_);
    textRow->addWidget(selectSymbolButton_);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Text"), textRow);
    form->addRow(QStringLiteral("Surface Type"), surfaceTypeCombo_);
    form->addRow(normalPanel_);
    effectControls_->addRows(*form);
    const auto [buttons, ok, cancel, help] =
        platform::ButtonRow(nullptr, {"Ok", "OKButton"}, {"Cancel", "Cancelbutton"},
                            {"Help", "Helpbutton"}, helpContext);
    auto* top = new QVBoxLayout(this);
    top->addWidget(preview_);
    top->addLayout(form);
    top->addLayout(buttons);

    takeValues();
    sampleChanged();
    fitTimer_.setSingleShot(true);
    fitTimer_.setInterval(200);

    connect(&fitTimer_, &QTimer::timeout, this, &TSuperTextProperties::fitSample);
    connect(captionText_, &QLineEdit::textChanged, this, [this](const QString& t) {
        sample.setCaption(t);
        fitTimer_.start();
    });
    connect(fontButton_, &QPushButton::clicked, this, &TSuperTextProperties::fontbuttonClick);
    connect(rapidChangeFontSize_, &QSpinBox::valueChanged, this,
            &TSuperTextProperties::setFontSize);
    connect(selectSymbolButton_, &QPushButton::clicked, this,
            &TSuperTextProperties::selectSymbolbuttonClick);
    connect(surfaceTypeCombo_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i < 0) return;
        sample.setSurfaceType(TGSuperText::TSurfaceType(i));
        if (i == TGSuperText::stBrushImage) sample.setTexture(lastTexture_);
        takeValues(); // a transparent surface makes a clear outline solid
        fitSample();
    });
    connect(fontColorButton_, &platform::ColorComboBox::colorChanged, this, [this](TColor c) {
        sample.font()->setColor(c);
        sampleChanged();
    });
    connect(effectControls_, &TEffectPropertyControls::changed, this,
            &TSuperTextProperties::sampleChanged);
    connect(effectControls_->loadImageButton(), &QPushButton::clicked, this,
            &TSuperTextProperties::loadImageButtonClick);
    connect(ok, &QPushButton::clicked, this, &TSuperTextProperties::okButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [] { platform::HelpViewer::showTopic(helpContext); });
}

TSuperTextProperties::~TSuperTextProperties() = default;

bool TSuperTextProperties::execute(TGSuperText& text) {
    TSuperTextProperties dialog(text);
    if (platform::DialogHost::current().exec(dialog) != QDialog::Accepted) return false;
    dialog.applyToText();
    return true;
}

void TSuperTextProperties::takeValues() {
    const QList<QWidget*> controls{captionText_, rapidChangeFontSize_, surfaceTypeCombo_,
                                   fontColorButton_};
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QWidget* w : controls)
        blockers.push_back(std::make_unique<QSignalBlocker>(w));
    captionText_->setText(sample.caption());
    captionText_->setFont(QFont(sample.textFont().name()));
    rapidChangeFontSize_->setValue(sample.textFont().size());
    surfaceTypeCombo_->setCurrentIndex(sample.surfaceType());
    fontColorButton_->setColor(sample.textFont().color());
    effectControls_->takeValues();
}

void TSuperTextProperties::sampleChanged() {
    normalPanel_->setVisible(sample.surfaceType() == TGSuperText::stNormal);
    effectControls_->showSurface(sample.surfaceType() == TGSuperText::stBrushImage);
    preview_->update();
}

void TSuperTextProperties::fitSample() {
    sample.fitToText();
    sampleChanged();
}

void TSuperTextProperties::fontbuttonClick() {
    const std::optional<QFont> chosen =
        platform::DialogHost::current().chooseFont(sample.textFont().toQFont());
    if (!chosen) return;
    sample.font()->assignQFont(*chosen);
    takeValues();
    fitSample();
}

void TSuperTextProperties::setFontSize(int points) {
    if (points == sample.textFont().size()) return;
    sample.font()->setSize(points);
    fitSample();
}

void TSuperTextProperties::selectSymbolbuttonClick() {
    QString symbol, fontName;
    if (!TSuperTextGetSymbol::execute(symbol, fontName)) return;
    sample.font()->setName(fontName);
    sample.setCaption(symbol);
    takeValues();
    fitSample();
}

void TSuperTextProperties::loadImageButtonClick() {
    TSuperTextBrushImageBrowser chooser;
    static_cast<TGSuperText&>(chooser.sample()).assignFrom(sample);
    chooser.sample().setBounds(0, 0, sample.width(), sample.height());
    chooser.start(lastFile_, TSuperTextBrushImageBrowser::startFolder());
    if (platform::DialogHost::current().exec(chooser) != QDialog::Accepted) return;
    lastTexture_ = chooser.sample().texture();
    sample.setTexture(lastTexture_);
    lastFile_ = chooser.selectedFile();
    fitSample();
}

void TSuperTextProperties::okButtonClick() {
    if (captionText_->text().isEmpty()) {
        platform::showInformation(QStringLiteral("Please enter some text"));
        captionText_->setFocus();
        return;
    }
    // A text typed just before "Ok" is fitted now rather than when the timer would.
    if (fitTimer_.isActive()) {
        fitTimer_.stop();
        fitSample();
    }
    accept();
}

void TSuperTextProperties::applyToText() {
    text_.setGradientFromColor(sample.gradientFromColor());
    text_.setFillDirection(sample.fillDirection());
    text_.setGradientToColor(sample.gradientToColor());
    text_.setTexture(sample.texture());
    text_.setOutlineColor(sample.outlineColor());
    text_.setOutlineStyle(sample.outlineStyle());
    text_.setOutlineWidth(sample.outlineWidth());
    text_.setShadowColor(sample.shadowColor());
    text_.setShadowDepth(sample.shadowDepth());
    text_.setShadowOrientation(sample.shadowOrientation());
    text_.setSurfaceType(sample.surfaceType());
    text_.setLastBitmapFileNameandPath(lastFile_);
    text_.font()->setColor(sample.textFont().color());
    text_.font()->assign(sample.textFont());
    text_.setCaption(sample.caption());
    // The sample's size, fitted to its text, so that the text shows whole on the card: a
    // text made by a click is far too small for any caption.
    text_.setBounds(text_.left(), text_.top(), sample.width(), sample.height());
    text_.markLayoutStale();
    text_.layout();
    text_.flagChanged();
}
