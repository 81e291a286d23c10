#include "TSuperTextProperties.h"

#include "TEffectPropertyControls.h"
#include "TGBrushImageBrowser.h"
#include "TSuperTextBrushImageBrowser.h"
#include "TSuperTextGetSymbol.h"
#include "objects/text/TGObjectPreview.h"
#include "platform/ColorComboBox.h"
#include "platform/DialogHost.h"
#include "platform/Graphic.h"
#include "platform/HelpViewer.h"

#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
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

    Sample.assignFrom(text);
    Sample.setBounds(0, 0, text.width(), text.height());
    lastFile_ = text.lastBitmapFileNameandPath();
    lastTexture_ = text.texture().isNull() ? libraryTexture() : text.texture();
    preview_ = new TGObjectPreview(Sample, samplePanel);
    preview_->setObjectName(QStringLiteral("PreviewPanel"));

    CaptionText = Controls::named(new QLineEdit, "CaptionText");
    Fontbutton = Controls::named(new QPushButton(QStringLiteral("Select Font")), "Fontbutton");
    RapidChangeFontSize = Controls::named(new QWidget, "RapidChangeFontSize");
    auto* up = Controls::named(new QToolButton, "FontSizeUp");
    up->setArrowType(Qt::UpArrow);
    auto* down = Controls::named(new QToolButton, "FontSizeDown");
    down->setArrowType(Qt::DownArrow);
    auto* spin = new QHBoxLayout(RapidChangeFontSize);
    spin->setContentsMargins(0, 0, 0, 0);
    spin->addWidget(up);
    spin->addWidget(down);
    SelectSymbolbutton =
        Controls::named(new QPushButton(QStringLiteral("Select Symbol")), "SelectSymbolbutton");
    SurfaceTypeCombo =
        Controls::list("SurfaceTypeCombo", {"Normal", "Transparent", "Texture", "Gradient Fill"});
    FontColorButton = Controls::named(new platform::ColorComboBox, "FontColorButton");
    EffectControls =
        new Controls(Sample,
                     {"GradientFromcolorButton",
                      "GradientToColorButton",
                      "ShadowColorButton",
                      "OutlineColorButton",
                      "GradientFromColor",
                      "Shadowcolor",
                      "ShadowOrientation",
                      {"None", "Right", "Left", "Down and Right", "Down and Left", "Down"}},
                     this);
    normalPanel_ = Controls::panel({{"Font Color", FontColorButton}});

    auto* textRow = new QHBoxLayout;
    textRow->addWidget(CaptionText, 1);
    textRow->addWidget(Fontbutton);
    textRow->addWidget(RapidChangeFontSize);
    textRow->addWidget(SelectSymbolbutton);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Text"), textRow);
    form->addRow(QStringLiteral("Surface Type"), SurfaceTypeCombo);
    form->addRow(normalPanel_);
    EffectControls->addRows(*form);
    auto* ok = Controls::named(new QPushButton(QStringLiteral("Ok")), "OKButton");
    ok->setDefault(true);
    auto* cancel = Controls::named(new QPushButton(QStringLiteral("Cancel")), "Cancelbutton");
    auto* help = Controls::named(new QPushButton(QStringLiteral("Help")), "Helpbutton");
    help->setAutoDefault(false);
    help->setProperty("HelpContext", helpContext);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto* top = new QVBoxLayout(this);
    top->addWidget(preview_);
    top->addLayout(form);
    top->addLayout(buttons);

    takeValues();
    sampleChanged();
    fitTimer_.setSingleShot(true);
    fitTimer_.setInterval(200);

    connect(&fitTimer_, &QTimer::timeout, this, &TSuperTextProperties::fitSample);
    connect(CaptionText, &QLineEdit::textChanged, this, [this](const QString& t) {
        Sample.setCaption(t);
        fitTimer_.start();
    });
    connect(Fontbutton, &QPushButton::clicked, this, &TSuperTextProperties::FontbuttonClick);
    connect(up, &QToolButton::clicked, this, [this] { changeFontSize(true); });
    connect(down, &QToolButton::clicked, this, [this] { changeFontSize(false); });
    connect(SelectSymbolbutton, &QPushButton::clicked, this,
            &TSuperTextProperties::SelectSymbolbuttonClick);
    connect(SurfaceTypeCombo, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i < 0) return;
        Sample.setSurfaceType(TGSuperText::TSurfaceType(i));
        if (i == TGSuperText::stBrushImage) Sample.setTexture(lastTexture_);
        takeValues(); // a transparent surface makes a clear outline solid
        fitSample();
    });
    connect(FontColorButton, &platform::ColorComboBox::colorChanged, this, [this](TColor c) {
        Sample.font()->setColor(c);
        sampleChanged();
    });
    connect(EffectControls, &TEffectPropertyControls::changed, this,
            &TSuperTextProperties::sampleChanged);
    connect(EffectControls->LoadImageButton, &QPushButton::clicked, this,
            &TSuperTextProperties::LoadImageButtonClick);
    connect(ok, &QPushButton::clicked, this, &TSuperTextProperties::OKButtonClick);
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
    const QList<QWidget*> controls{CaptionText, SurfaceTypeCombo, FontColorButton};
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QWidget* w : controls)
        blockers.push_back(std::make_unique<QSignalBlocker>(w));
    CaptionText->setText(Sample.caption());
    CaptionText->setFont(QFont(Sample.textFont().name()));
    SurfaceTypeCombo->setCurrentIndex(Sample.surfaceType());
    FontColorButton->setColor(Sample.textFont().color());
    EffectControls->takeValues();
}

void TSuperTextProperties::sampleChanged() {
    normalPanel_->setVisible(Sample.surfaceType() == TGSuperText::stNormal);
    EffectControls->showSurface(Sample.surfaceType() == TGSuperText::stBrushImage);
    preview_->update();
}

void TSuperTextProperties::fitSample() {
    Sample.fitToText();
    sampleChanged();
}

void TSuperTextProperties::FontbuttonClick() {
    const std::optional<QFont> chosen =
        platform::DialogHost::current().chooseFont(Sample.textFont().toQFont());
    if (!chosen) return;
    Sample.font()->assignQFont(*chosen);
    CaptionText->setFont(QFont(Sample.textFont().name()));
    fitSample();
}

void TSuperTextProperties::changeFontSize(bool up) {
    const int size = Sample.textFont().size();
    if (up && size < 150) Sample.font()->setSize(size + 5);
    if (!up && size > 10) Sample.font()->setSize(size - 5);
    fitSample();
}

void TSuperTextProperties::SelectSymbolbuttonClick() {
    QString symbol, fontName;
    if (!TSuperTextGetSymbol::execute(symbol, fontName)) return;
    Sample.font()->setName(fontName);
    CaptionText->setText(symbol);
    CaptionText->setFont(QFont(fontName));
    fitSample();
}

void TSuperTextProperties::LoadImageButtonClick() {
    TSuperTextBrushImageBrowser chooser;
    static_cast<TGSuperText&>(chooser.sample()).assignFrom(Sample);
    chooser.sample().setBounds(0, 0, Sample.width(), Sample.height());
    chooser.start(lastFile_, TSuperTextBrushImageBrowser::startFolder());
    if (platform::DialogHost::current().exec(chooser) != QDialog::Accepted) return;
    lastTexture_ = chooser.sample().texture();
    Sample.setTexture(lastTexture_);
    lastFile_ = chooser.selectedFile();
    fitSample();
}

void TSuperTextProperties::OKButtonClick() {
    if (CaptionText->text().isEmpty()) {
        platform::ShowInformation(QStringLiteral("Please enter some text"));
        CaptionText->setFocus();
        return;
    }
    accept();
}

void TSuperTextProperties::applyToText() {
    text_.setGradientFromColor(Sample.gradientFromColor());
    text_.setFillDirection(Sample.fillDirection());
    text_.setGradientToColor(Sample.gradientToColor());
    text_.setTexture(Sample.texture());
    text_.setOutlineColor(Sample.outlineColor());
    text_.setOutlineStyle(Sample.outlineStyle());
    text_.setOutlineWidth(Sample.outlineWidth());
    text_.setShadowColor(Sample.shadowColor());
    text_.setShadowDepth(Sample.shadowDepth());
    text_.setShadowOrientation(Sample.shadowOrientation());
    text_.setSurfaceType(Sample.surfaceType());
    text_.setLastBitmapFileNameandPath(lastFile_);
    text_.font()->setColor(Sample.textFont().color());
    text_.font()->assign(Sample.textFont());
    text_.setCaption(Sample.caption());
    text_.markLayoutStale();
    text_.layout();
    text_.FlagChanged();
}
