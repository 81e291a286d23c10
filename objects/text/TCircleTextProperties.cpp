#include "TCircleTextProperties.h"

#include "TGObjectPreview.h"
#include "platform/DialogHost.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {
constexpr int kHelpContext = 40017;

QSlider* quarterSlider(const char* name, QWidget* parent) {
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(QLatin1String(name));
    s->setRange(1, 4);
    s->setPageStep(1);
    s->setTickInterval(1);
    s->setTickPosition(QSlider::TicksBelow);
    return s;
}

QString degreesText(int position) {
    return QStringLiteral("%1 degrees").arg(position * 90);
}
} // namespace

TCircleTextProperties::TCircleTextProperties(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("CircleText Properties"));
    Sample.setBounds(0, 0, 100, 100);

    preview_ = new TGObjectPreview(Sample, Sample.bounds().size());
    preview_->setFrameStyle(QFrame::NoFrame);
    auto* area = new QScrollArea(this);
    area->setObjectName(QStringLiteral("SampleArea"));
    area->setFixedSize(298, 334);
    area->setBackgroundRole(QPalette::Base);
    area->setStyleSheet(QStringLiteral("QScrollArea { background: white; }"));
    area->setWidget(preview_);

    CaptionText = new QLineEdit(this);
    CaptionText->setObjectName(QStringLiteral("CaptionText"));
    DegreesBar = quarterSlider("DegreesBar", this);
    DegreesLabel = new QLabel(this);
    StartingAngleBar = quarterSlider("StartingAngleBar", this);
    StartingAngleLabel = new QLabel(this);
    cbDrawLettersAngled = new QCheckBox(QStringLiteral("Angled Characters"), this);
    cbDrawLettersAngled->setObjectName(QStringLiteral("cbDrawLettersAngled"));
    cbMirrored = new QCheckBox(QStringLiteral("Mirrored"), this);
    cbMirrored->setObjectName(QStringLiteral("cbMirrored"));
    FontColorButton = new QPushButton(this);
    FontColorButton->setObjectName(QStringLiteral("FontColorButton"));
    FontColorButton->setFixedSize(48, 22);
    auto* selectFont = new QPushButton(QStringLiteral("Select Font"), this);
    selectFont->setObjectName(QStringLiteral("SelectFontButton"));
    auto* sizeUp = new QToolButton(this);
    sizeUp->setObjectName(QStringLiteral("RapidChangeFontSizeUp"));
    sizeUp->setArrowType(Qt::UpArrow);
    auto* sizeDown = new QToolButton(this);
    sizeDown->setObjectName(QStringLiteral("RapidChangeFontSizeDown"));
    sizeDown->setArrowType(Qt::DownArrow);
    auto* zoomPlus = new QPushButton(QStringLiteral("+"), this);
    zoomPlus->setObjectName(QStringLiteral("ZoomPlusButton"));
    auto* zoomMinus = new QPushButton(QStringLiteral("-"), this);
    zoomMinus->setObjectName(QStringLiteral("ZoomMinusButton"));
    for (QPushButton* b : {zoomPlus, zoomMinus}) {
        b->setAutoDefault(false);
        b->setFixedWidth(28);
    }
    ZoomLabel = new QLabel(QStringLiteral("100%"), this);
    ZoomLabel->setObjectName(QStringLiteral("ZoomLabel"));

    auto* controls = new QVBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("Text"), this));
    controls->addWidget(CaptionText);
    controls->addWidget(new QLabel(QStringLiteral("Degrees"), this));
    controls->addWidget(DegreesBar);
    controls->addWidget(DegreesLabel);
    controls->addWidget(new QLabel(QStringLiteral("Starting Angle"), this));
    controls->addWidget(StartingAngleBar);
    controls->addWidget(StartingAngleLabel);
    controls->addWidget(cbDrawLettersAngled);
    controls->addWidget(cbMirrored);
    auto* fontRow = new QGridLayout;
    fontRow->addWidget(new QLabel(QStringLiteral("Font Color"), this), 0, 0);
    fontRow->addWidget(FontColorButton, 1, 0);
    fontRow->addWidget(selectFont, 1, 1);
    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(sizeUp);
    spin->addWidget(sizeDown);
    fontRow->addLayout(spin, 1, 2);
    controls->addLayout(fontRow);
    auto* zoomRow = new QHBoxLayout;
    zoomRow->addWidget(zoomMinus);
    zoomRow->addWidget(ZoomLabel);
    zoomRow->addWidget(zoomPlus);
    zoomRow->addStretch();
    controls->addLayout(zoomRow);
    controls->addStretch();

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    help->setObjectName(QStringLiteral("HelpButton"));
    help->setAutoDefault(false);
    help->setProperty("HelpContext", kHelpContext);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto* body = new QHBoxLayout;
    body->addWidget(area);
    body->addLayout(controls);
    auto* top = new QVBoxLayout(this);
    top->addLayout(body);
    top->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &TCircleTextProperties::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(CaptionText, &QLineEdit::textChanged, this, [this](const QString& t) {
        Sample.setCaption(t);
        sampleChanged();
    });
    connect(DegreesBar, &QSlider::valueChanged, this, [this](int v) {
        Sample.setDegrees(TGPCircleText::TDegrees(v - 1));
        DegreesLabel->setText(degreesText(v));
        sampleChanged();
    });
    connect(StartingAngleBar, &QSlider::valueChanged, this, [this](int v) {
        Sample.setStartingVector(TGPCircleText::TDegrees(v - 1));
        StartingAngleLabel->setText(degreesText(v));
        sampleChanged();
    });
    connect(cbDrawLettersAngled, &QCheckBox::toggled, this, [this](bool on) {
        Sample.setDrawLettersAngled(on);
        sampleChanged();
    });
    connect(cbMirrored, &QCheckBox::toggled, this, [this](bool on) {
        Sample.setMirror(on);
        sampleChanged();
    });
    connect(FontColorButton, &QPushButton::clicked, this,
            &TCircleTextProperties::FontColorButtonClick);
    connect(selectFont, &QPushButton::clicked, this, &TCircleTextProperties::SelectFontButtonClick);
    connect(sizeUp, &QToolButton::clicked, this, &TCircleTextProperties::RapidChangeFontSizeUp);
    connect(sizeDown, &QToolButton::clicked, this, &TCircleTextProperties::RapidChangeFontSizeDown);
    connect(zoomPlus, &QPushButton::clicked, this, &TCircleTextProperties::ZoomPlusButtonClick);
    connect(zoomMinus, &QPushButton::clicked, this, &TCircleTextProperties::ZoomMinusButtonClick);
}

TCircleTextProperties::~TCircleTextProperties() = default;

void TCircleTextProperties::activate() {
    CaptionText->setText(Sample.caption());
    DegreesBar->setValue(Sample.degrees() + 1);
    DegreesLabel->setText(degreesText(DegreesBar->value()));
    StartingAngleBar->setValue(Sample.startingVector() + 1);
    StartingAngleLabel->setText(degreesText(StartingAngleBar->value()));
    cbDrawLettersAngled->setChecked(Sample.drawLettersAngled());
    cbMirrored->setChecked(Sample.mirror());
    showFontColor();
    sampleChanged();
}

void TCircleTextProperties::sampleChanged() {
    preview_->setFixedSize(Sample.width(), Sample.height());
    preview_->update();
}

void TCircleTextProperties::showFontColor() {
    FontColorButton->setStyleSheet(
        QStringLiteral("background-color: %1;").arg(Sample.font()->color().toQColor().name()));
}

void TCircleTextProperties::RapidChangeFontSizeUp() {
    const int size = Sample.font()->size();
    if (size < 150) Sample.font()->setSize(size + 5);
    sampleChanged();
}

void TCircleTextProperties::RapidChangeFontSizeDown() {
    const int size = Sample.font()->size();
    if (size > 10) Sample.font()->setSize(size - 5);
    sampleChanged();
}

void TCircleTextProperties::ZoomPlusButtonClick() {
    if (Sample.zoomFactor() < 1.0f) Sample.SetZoom(Sample.zoomFactor() + 0.1f);
    ZoomLabel->setText(QStringLiteral("%1%").arg(std::nearbyint(Sample.zoomFactor() * 100.0)));
    sampleChanged();
}

void TCircleTextProperties::ZoomMinusButtonClick() {
    if (Sample.zoomFactor() > 0.5f) Sample.SetZoom(Sample.zoomFactor() - 0.1f);
    ZoomLabel->setText(QStringLiteral("%1%").arg(std::nearbyint(Sample.zoomFactor() * 100.0)));
    sampleChanged();
}

void TCircleTextProperties::FontColorButtonClick() {
    const std::optional<TColor> c =
        platform::DialogHost::current().chooseColor(Sample.font()->color());
    if (!c) return;
    Sample.font()->setColor(*c);
    showFontColor();
    sampleChanged();
}

void TCircleTextProperties::SelectFontButtonClick() {
    const std::optional<QFont> chosen =
        platform::DialogHost::current().chooseFont(Sample.font()->toQFont());
    if (!chosen) return;
    Sample.font()->assignQFont(*chosen);
    showFontColor();
    sampleChanged();
}

void TCircleTextProperties::accept() {
    if (CaptionText->text().isEmpty()) {
        platform::DialogHost::current().information(QStringLiteral("Please enter some text"),
                                                    QStringLiteral("Information"));
        CaptionText->setFocus();
        return;
    }
    QDialog::accept();
}
