#include "TSuperTextProperties.h"

#include "TGBrushImageBrowser.h"
#include "TSuperTextBrushImageBrowser.h"
#include "TSuperTextGetSymbol.h"
#include "objects/text/TGObjectPreview.h"
#include "platform/ColorComboBox.h"
#include "platform/DialogHost.h"
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
template <class W> W* named(W* w, const char* name) {
    w->setObjectName(QLatin1String(name));
    return w;
}

QComboBox* list(const char* name, const QStringList& items) {
    auto* c = named(new QComboBox, name);
    c->addItems(items);
    return c;
}

QSpinBox* spinner(const char* name, int min, int max) {
    auto* s = named(new QSpinBox, name);
    s->setRange(min, max);
    return s;
}

QWidget* panel(std::initializer_list<std::pair<const char*, QWidget*>> rows) {
    auto* w = new QWidget;
    auto* form = new QFormLayout(w);
    form->setContentsMargins(0, 0, 0, 0);
    for (const auto& [label, control] : rows)
        form->addRow(QLatin1String(label), control);
    return w;
}

constexpr QSize samplePanel{420, 160};

// The dialog's own texture until the text brings one: the first of the program's library.
QImage libraryTexture() {
    const QDir folder(TGBrushImageBrowser::textureFolder());
    for (const QString& name :
         folder.entryList(TGBrushImageBrowser::filePatterns(), QDir::Files, QDir::Name)) {
        QImage image(folder.filePath(name));
        if (!image.isNull()) return image;
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

    CaptionText = named(new QLineEdit, "CaptionText");
    Fontbutton = named(new QPushButton(QStringLiteral("Select Font")), "Fontbutton");
    RapidChangeFontSize = named(new QWidget, "RapidChangeFontSize");
    auto* up = named(new QToolButton, "FontSizeUp");
    up->setArrowType(Qt::UpArrow);
    auto* down = named(new QToolButton, "FontSizeDown");
    down->setArrowType(Qt::DownArrow);
    auto* spin = new QHBoxLayout(RapidChangeFontSize);
    spin->setContentsMargins(0, 0, 0, 0);
    spin->addWidget(up);
    spin->addWidget(down);
    SelectSymbolbutton =
        named(new QPushButton(QStringLiteral("Select Symbol")), "SelectSymbolbutton");
    SurfaceTypeCombo =
        list("SurfaceTypeCombo", {"Normal", "Transparent", "Texture", "Gradient Fill"});
    FontColorButton = named(new platform::ColorComboBox, "FontColorButton");
    FillDirectionCombo = list("FillDirectionCombo", {"Up", "Down", "Left", "Right"});
    GradientFromcolorButton = named(new platform::ColorComboBox, "GradientFromcolorButton");
    GradientToColorButton = named(new platform::ColorComboBox, "GradientToColorButton");
    LoadImageButton = named(new QPushButton(QStringLiteral("Load Texture")), "LoadImageButton");
    ShadowColorButton = named(new platform::ColorComboBox, "ShadowColorButton");
    ShadowOrientationCombo =
        list("ShadowOrientationCombo",
             {"None", "Right", "Left", "Down and Right", "Down and Left", "Down"});
    ShadowDepthSpinner = spinner("ShadowDepthSpinner", 0, 10);
    OutlineColorButton = named(new platform::ColorComboBox, "OutlineColorButton");
    OutlineStyleCombo = list("OutlineStyleCombo", {"Solid Line", "Dash Line", "Dotted Line",
                                                   "DashDot Line", "DashDotDot Line", "Clear"});
    OutLineWidthSpinner = spinner("OutLineWidthSpinner", 0, 10);
    normalPanel_ = panel({{"Font Color", FontColorButton}});
    gradientPanel_ = panel({{"Fill Direction", FillDirectionCombo},
                            {"From Color", GradientFromcolorButton},
                            {"To Color", GradientToColorButton}});

    auto* textRow = new QHBoxLayout;
    textRow->addWidget(CaptionText, 1);
    textRow->addWidget(Fontbutton);
    textRow->addWidget(RapidChangeFontSize);
    textRow->addWidget(SelectSymbolbutton);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Text"), textRow);
    form->addRow(QStringLiteral("Surface Type"), SurfaceTypeCombo);
    form->addRow(normalPanel_);
    form->addRow(gradientPanel_);
    form->addRow(LoadImageButton);
    form->addRow(QStringLiteral("Shadow Color"), ShadowColorButton);
    form->addRow(QStringLiteral("Shadow Orientation"), ShadowOrientationCombo);
    form->addRow(QStringLiteral("Shadow Depth"), ShadowDepthSpinner);
    form->addRow(QStringLiteral("Outline Color"), OutlineColorButton);
    form->addRow(QStringLiteral("OutLine Style"), OutlineStyleCombo);
    form->addRow(QStringLiteral("Outline Width"), OutLineWidthSpinner);
    auto* ok = named(new QPushButton(QStringLiteral("Ok")), "OKButton");
    ok->setDefault(true);
    auto* cancel = named(new QPushButton(QStringLiteral("Cancel")), "Cancelbutton");
    auto* help = named(new QPushButton(QStringLiteral("Help")), "Helpbutton");
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
    connect(FillDirectionCombo, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i < 0) return;
        Sample.setFillDirection(Effect::TFillDirection(i));
        sampleChanged();
    });
    connect(GradientFromcolorButton, &platform::ColorComboBox::colorChanged, this,
            [this](TColor c) {
                Sample.setGradientFromColor(c);
                sampleChanged();
            });
    connect(GradientToColorButton, &platform::ColorComboBox::colorChanged, this, [this](TColor c) {
        Sample.setGradientToColor(c);
        sampleChanged();
    });
    connect(LoadImageButton, &QPushButton::clicked, this,
            &TSuperTextProperties::LoadImageButtonClick);
    connect(ShadowColorButton, &platform::ColorComboBox::colorChanged, this, [this](TColor c) {
        Sample.setShadowColor(c);
        sampleChanged();
    });
    connect(ShadowOrientationCombo, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i < 0) return;
        Sample.setShadowOrientation(TGSuperText::TShadowOrientation(i));
        sampleChanged();
    });
    connect(ShadowDepthSpinner, &QSpinBox::valueChanged, this, [this](int v) {
        Sample.setShadowDepth(v);
        sampleChanged();
    });
    connect(OutlineColorButton, &platform::ColorComboBox::colorChanged, this, [this](TColor c) {
        Sample.setOutlineColor(c);
        sampleChanged();
    });
    connect(OutlineStyleCombo, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i < 0) return;
        Sample.setOutlineStyle(Gdi::TPenStyle(i));
        sampleChanged();
    });
    connect(OutLineWidthSpinner, &QSpinBox::valueChanged, this, [this](int v) {
        Sample.setOutlineWidth(v);
        sampleChanged();
    });
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
    const QList<QWidget*> controls{
        CaptionText,        SurfaceTypeCombo,        FontColorButton,
        FillDirectionCombo, GradientFromcolorButton, GradientToColorButton,
        ShadowColorButton,  ShadowOrientationCombo,  ShadowDepthSpinner,
        OutlineColorButton, OutlineStyleCombo,       OutLineWidthSpinner};
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QWidget* w : controls)
        blockers.push_back(std::make_unique<QSignalBlocker>(w));
    CaptionText->setText(Sample.caption());
    CaptionText->setFont(QFont(Sample.textFont().name()));
    SurfaceTypeCombo->setCurrentIndex(Sample.surfaceType());
    FontColorButton->setColor(Sample.textFont().color());
    FillDirectionCombo->setCurrentIndex(Sample.fillDirection());
    GradientFromcolorButton->setColor(Sample.gradientFromColor());
    GradientToColorButton->setColor(Sample.gradientToColor());
    ShadowColorButton->setColor(Sample.shadowColor());
    ShadowOrientationCombo->setCurrentIndex(Sample.shadowOrientation());
    ShadowDepthSpinner->setValue(Sample.shadowDepth());
    OutlineColorButton->setColor(Sample.outlineColor());
    OutlineStyleCombo->setCurrentIndex(Sample.outlineStyle() <= Gdi::psClear ? Sample.outlineStyle()
                                                                             : -1);
    OutLineWidthSpinner->setValue(Sample.outlineWidth());
}

void TSuperTextProperties::sampleChanged() {
    normalPanel_->setVisible(Sample.surfaceType() == TGSuperText::stNormal);
    gradientPanel_->setVisible(Sample.surfaceType() == TGSuperText::stGradientFill);
    LoadImageButton->setVisible(Sample.surfaceType() == TGSuperText::stBrushImage);
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
