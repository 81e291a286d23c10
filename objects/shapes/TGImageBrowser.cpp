#include "TGImageBrowser.h"

#include "TGFolderBrowser.h"
#include "platform/DialogHost.h"
#include "platform/HelpViewer.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int previewSize = 200;

template <class W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}
} // namespace

const QStringList& TGImageBrowser::filePatterns() {
    static const QStringList patterns{"*.BMP", "*.DIB", "*.JPG", "*.JIF", "*.PCX",
                                      "*.RLE", "*.TGA", "*.WMF", "*.ICO"};
    return patterns;
}

TGImageBrowser::TGImageBrowser(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GImageBrowser"));
    setWindowTitle(QStringLiteral("Load Image File "));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowContextHelpButtonHint);

    browser_ = new TGFolderBrowser(filePatterns());
    image_ = named(new QLabel, "Preview");
    image_->setFixedSize(previewSize, previewSize);
    image_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image_->setFrameShape(QFrame::StyledPanel);

    auto* options = named(new QGroupBox(QStringLiteral(" Options ")), "OptionsGroup");
    stretch_ = named(new QCheckBox(QStringLiteral("Stretch")), "StretchCheckBox");
    stretch_->setToolTip(QStringLiteral("Stretch image to max display size"));
    autoSize_ = named(new QCheckBox(QStringLiteral("AutoSize")), "AutoSizeCheckBox");
    autoSize_->setToolTip(QStringLiteral("AutoSize TImage"));
    auto* optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(stretch_);
    optionsLayout->addWidget(autoSize_);

    auto* ok = named(new QPushButton(QStringLiteral("Ok")), "OKButton");
    ok->setDefault(true);
    auto* cancel = named(new QPushButton(QStringLiteral("Cancel")), "CancelButton");
    auto* help = named(new QPushButton(QStringLiteral("Help")), "HelpButton");
    help->setAutoDefault(false);
    help->setProperty("HelpContext", helpContext);

    auto* right = new QVBoxLayout;
    right->addWidget(image_);
    right->addWidget(options);
    right->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto* columns = new QHBoxLayout;
    columns->addWidget(browser_, 1);
    columns->addLayout(right);
    auto* top = new QVBoxLayout(this);
    top->addLayout(columns);
    top->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [] { platform::HelpViewer::showTopic(helpContext); });
    connect(browser_, &TGFolderBrowser::fileChosen, this, &TGImageBrowser::fileChosen);
    // The two options exclude each other, but both may be clear.
    connect(stretch_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) autoSize_->setChecked(false);
        showPreview();
    });
    connect(autoSize_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) stretch_->setChecked(false);
        showPreview();
    });

    setFolder(QDir::currentPath());
}

void TGImageBrowser::setOptions(bool stretch, bool autoSize) {
    stretch_->setChecked(stretch);
    autoSize_->setChecked(autoSize);
}

bool TGImageBrowser::stretchChecked() const {
    return stretch_->isChecked();
}

bool TGImageBrowser::autoSizeChecked() const {
    return autoSize_->isChecked();
}

// --- browsing

void TGImageBrowser::setFolder(const QString& folder) {
    browser_->setFolder(folder);
}

QString TGImageBrowser::folder() const {
    return browser_->folder();
}

void TGImageBrowser::selectFile(const QString& fileName) {
    browser_->selectFile(fileName);
}

QString TGImageBrowser::selectedFile() const {
    return browser_->selectedFile();
}

// --- preview

void TGImageBrowser::fileChosen() {
    preview_ = {};
    const QString file = selectedFile();
    if (!file.isEmpty()) load(file);
    showPreview();
}

void TGImageBrowser::load(const QString& fileName) {
    const QString ext = QLatin1Char('.') + QFileInfo(fileName).suffix().toUpper();
    platform::Graphic g;
    if (!g.loadFromFile(fileName)) {
        // Only bitmap and metafile files say so; the other formats stay silently empty.
        if (ext == QLatin1String(".BMP") || ext == QLatin1String(".WMF"))
            platform::ShowError(QLatin1String(platform::Graphic::loadErrorMessage));
        return;
    }
    if (g.kind() == platform::Graphic::Kind::Icon) {
        // An icon becomes a bitmap of its size, drawn on white.
        QImage bitmap(g.width(), g.height(), QImage::Format_RGB32);
        bitmap.fill(Qt::white);
        QPainter p(&bitmap);
        p.drawImage(0, 0, g.image());
        p.end();
        g = platform::Graphic::fromImage(bitmap);
    }
    preview_ = g;
}

void TGImageBrowser::showPreview() {
    QPixmap pm(image_->size());
    pm.fill(Qt::white);
    if (!preview_.isEmpty()) {
        QPainter p(&pm);
        // The picture fills the box, unless it is shown at its own size for AutoSize.
        const QRectF target = autoSize_->isChecked()
                                  ? QRectF(0, 0, preview_.width(), preview_.height())
                                  : QRectF(pm.rect());
        preview_.draw(p, target);
    }
    image_->setPixmap(pm);
}
