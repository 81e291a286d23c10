#include "TCircleTextProperties.h"

#include "TGObjectPreview.h"
#include "platform/widgets/DialogHost.h"
#include "platform/widgets/DialogParts.h"

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
    sample.setBounds(0, 0, 100, 100);

    preview_ = new TGObjectPreview(sample, sample.bounds().size());
    preview_->setFrameStyle(QFrame::NoFrame);
    auto* area = new QScrollArea(this);
    area->setObjectName(QStringLiteral("SampleArea"));
    area->setFixedSize(298, 334);
    area->setBackgroundRole(QPalette::Base);
    area->setStyleSheet(QStringLiteral("QScrollArea { background: white; }"));
    area->setWidget(preview_);

    captionText_ = new QLineEdit(this);
    captionText_->setObjectName(QStringLiteral("CaptionText"));
    degreesBar_ = quarterSlider("DegreesBar", this);
    degreesLabel_ = new QLabel(this);
    startingAngleBar_ = quarterSlider("StartingAngleBar", this);
    startingAngleLabel_ = new QLabel(this);
    drawLettersAngled_ = new QCheckBox(QStringLiteral("Angled Characters"), this);
    drawLettersAngled_->setObjectName(QStringLiteral("cbDrawLettersAngled"));
    mirrored_ = new QCheckBox(QStringLiteral("Mirrored"), this);
    mirrored_->setObjectName(QStringLiteral("cbMirrored"));
    fontColorButton_ = new QPushButton(this);
    fontColorButton_->setObjectName(QStringLiteral("FontColorButton"));
    fontColorButton_->setFixedSize(48, 22);
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
    zoomLabel_ = new QLabel(QStringLiteral("100%"), this);
    zoomLabel_->setObjectName(QStringLiteral("ZoomLabel"));

    auto* controls = new QVBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("Text"), this));
    controls->addWidget(captionText_);
    controls->addWidget(new QLabel(QStringLiteral("Degrees"), this));
    controls->addWidget(degreesBar_);
    controls->addWidget(degreesLabel_);
    controls->addWidget(new QLabel(QStringLiteral("Starting Angle"), this));
    controls->addWidget(startingAngleBar_);
    controls->addWidget(startingAngleLabel_);
    controls->addWidget(drawLettersAngled_);
    controls->addWidget(mirrored_);
    auto* fontRow = new QGridLayout;
    fontRow->addWidget(new QLabel(QStringLiteral("Font Color"), this), 0, 0);
    fontRow->addWidget(fontColorButton_, 1, 0);
    fontRow->addWidget(selectFont, 1, 1);
    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(sizeUp);
    spin->addWidget(sizeDown);
    fontRow->addLayout(spin, 1, 2);
    controls->addLayout(fontRow);
    auto* zoomRow = new QHBoxLayout;
    zoomRow->addWidget(zoomMinus);
    zoomRow->addWidget(zoomLabel_);
    zoomRow->addWidget(zoomPlus);
    zoomRow->addStretch();
    controls->addLayout(zoomRow);
    controls->addStretch();

    const auto [buttons, ok, cancel, help] = platform::ButtonRow(
        this, {"Ok", "OKButton"}, {"Cancel", "CancelButton"}, {"Help", "HelpButton"}, kHelpContext);

    auto* body = new QHBoxLayout;
    body->addWidget(area);
    body->addLayout(controls);
    auto* top = new QVBoxLayout(this);
    top->addLayout(body);
    top->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &TCircleTextProperties::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(captionText_, &QLineEdit::textChanged, this, [this](const QString& t) {
        sample.setCaption(t);
        sampleChanged();
    });
    connect(degreesBar_, &QSlider::valueChanged, this, [this](int v) {
        sample.setDegrees(TGPCircleText::TDegrees(v - 1));
        degreesLabel_->setText(degreesText(v));
        sampleChanged();
    });
    connect(startingAngleBar_, &QSlider::valueChanged, this, [this](int v) {
        sample.setStartingVector(TGPCircleText::TDegrees(v - 1));
        startingAngleLabel_->setText(degreesText(v));
        sampleChanged();
    });
    connect(drawLettersAngled_, &QCheckBox::toggled, this, [this](bool on) {
        sample.setDrawLettersAngled(on);
        sampleChanged();
    });
    connect(mirrored_, &QCheckBox::toggled, this, [this](bool on) {
        sample.setMirror(on);
        sampleChanged();
    });
    connect(fontColorButton_, &QPushButton::clicked, this,
            &TCircleTextProperties::fontColorButtonClick);
    connect(selectFont, &QPushButton::clicked, this, &TCircleTextProperties::selectFontButtonClick);
    connect(sizeUp, &QToolButton::clicked, this, &TCircleTextProperties::rapidChangeFontSizeUp);
    connect(sizeDown, &QToolButton::clicked, this, &TCircleTextProperties::rapidChangeFontSizeDown);
    connect(zoomPlus, &QPushButton::clicked, this, &TCircleTextProperties::zoomPlusButtonClick);
    connect(zoomMinus, &QPushButton::clicked, this, &TCircleTextProperties::zoomMinusButtonClick);
}

TCircleTextProperties::~TCircleTextProperties() = default;

void TCircleTextProperties::activate() {
    captionText_->setText(sample.caption());
    degreesBar_->setValue(sample.degrees() + 1);
    degreesLabel_->setText(degreesText(degreesBar_->value()));
    startingAngleBar_->setValue(sample.startingVector() + 1);
    startingAngleLabel_->setText(degreesText(startingAngleBar_->value()));
    drawLettersAngled_->setChecked(sample.drawLettersAngled());
    mirrored_->setChecked(sample.mirror());
    showFontColor();
    sampleChanged();
}

void TCircleTextProperties::sampleChanged() {
    preview_->setFixedSize(sample.width(), sample.height());
    preview_->update();
}

void TCircleTextProperties::showFontColor() {
    fontColorButton_->setStyleSheet(
        QStringLiteral("background-color: %1;").arg(sample.font()->color().toQColor().name()));
}

void TCircleTextProperties::rapidChangeFontSizeUp() {
    const int size = sample.font()->size();
    if (size < 150) sample.font()->setSize(size + 5);
    sampleChanged();
}

void TCircleTextProperties::rapidChangeFontSizeDown() {
    const int size = sample.font()->size();
    if (size > 10) sample.font()->setSize(size - 5);
    sampleChanged();
}

void TCircleTextProperties::zoomPlusButtonClick() {
    if (sample.zoomFactor() < 1.0f) sample.setZoom(sample.zoomFactor() + 0.1f);
    zoomLabel_->setText(QStringLiteral("%1%").arg(std::nearbyint(sample.zoomFactor() * 100.0)));
    sampleChanged();
}

void TCircleTextProperties::zoomMinusButtonClick() {
    if (sample.zoomFactor() > 0.5f) sample.setZoom(sample.zoomFactor() - 0.1f);
    zoomLabel_->setText(QStringLiteral("%1%").arg(std::nearbyint(sample.zoomFactor() * 100.0)));
    sampleChanged();
}

void TCircleTextProperties::fontColorButtonClick() {
    const std::optional<TColor> c =
        platform::DialogHost::current().chooseColor(sample.font()->color());
    if (!c) return;
    sample.font()->setColor(*c);
    showFontColor();
    sampleChanged();
}

void TCircleTextProperties::selectFontButtonClick() {
    const std::optional<QFont> chosen =
        platform::DialogHost::current().chooseFont(sample.font()->toQFont());
    if (!chosen) return;
    sample.font()->assignQFont(*chosen);
    showFontColor();
    sampleChanged();
}

void TCircleTextProperties::accept() {
    if (captionText_->text().isEmpty()) {
        platform::DialogHost::current().information(QStringLiteral("Please enter some text"),
                                                    QStringLiteral("Information"));
        captionText_->setFocus();
        return;
    }
    QDialog::accept();
}
