#include "TGImageBrowser.h"

#include "platform/widgets/DialogHost.h"
#include "platform/widgets/DialogParts.h"
#include "platform/widgets/HelpViewer.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {
constexpr int previewSize = 200;

// The folder of the picture last taken in this session.
QString& lastFolder() {
    static QString folder;
    return folder;
}

QString startFolder() {
    if (!lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir()) return lastFolder();
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

} // namespace

TGImageBrowser::TGImageBrowser(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GImageBrowser"));
    setWindowTitle(QStringLiteral("Load Image File "));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowContextHelpButtonHint);

    files_ = platform::named(new QFileDialog(this), "FileDialog");
    files_->setWindowFlags(Qt::Widget);
    files_->setOption(QFileDialog::DontUseNativeDialog); // a native dialog cannot be embedded
    files_->setFileMode(QFileDialog::ExistingFile);
    files_->setNameFilters(
        {QStringLiteral("Pictures (%1)").arg(platform::Graphic::filePatternsFilter()),
         QStringLiteral("All files (*)")});
    image_ = platform::named(new QLabel, "Preview");
    image_->setFixedSize(previewSize, previewSize);
    image_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image_->setFrameShape(QFrame::StyledPanel);
    size_ = platform::named(new QLabel, "PictureSize");

    auto* options = platform::named(new QGroupBox(QStringLiteral(" Options ")), "OptionsGroup");
    stretch_ = platform::named(new QCheckBox(QStringLiteral("Stretch")), "StretchCheckBox");
    stretch_->setToolTip(QStringLiteral("Stretch image to max display size"));
    autoSize_ = platform::named(new QCheckBox(QStringLiteral("AutoSize")), "AutoSizeCheckBox");
    autoSize_->setToolTip(QStringLiteral("AutoSize TImage"));
    auto* optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(stretch_);
    optionsLayout->addWidget(autoSize_);

    auto* help = platform::named(new QPushButton(QStringLiteral("Help")), "HelpButton");
    help->setAutoDefault(false);
    help->setProperty("HelpContext", helpContext);

    auto* right = new QVBoxLayout;
    right->addWidget(image_);
    right->addWidget(size_);
    right->addWidget(options);
    right->addStretch();
    right->addWidget(help);
    auto* columns = new QHBoxLayout(this);
    columns->addWidget(files_, 1);
    columns->addLayout(right);

    // The file dialog's own Open and Cancel close this dialog.
    connect(files_, &QFileDialog::finished, this, [this](int result) {
        if (result == QDialog::Accepted && !files_->selectedFiles().isEmpty())
            choose(files_->selectedFiles().constFirst());
        done(result);
    });
    connect(files_, &QFileDialog::currentChanged, this, [this](const QString& path) {
        if (QFileInfo(path).isFile()) choose(path);
    });
    connect(help, &QPushButton::clicked, this,
            [] { platform::HelpViewer::showTopic(helpContext); });
    // The two options exclude each other, but both may be clear.
    connect(stretch_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) autoSize_->setChecked(false);
        showPreview();
    });
    connect(autoSize_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) stretch_->setChecked(false);
        showPreview();
    });

    setFolder(startFolder());
}

void TGImageBrowser::done(int result) {
    if (result == QDialog::Accepted && !preview_.isEmpty())
        lastFolder() = QFileInfo(selected_).absolutePath();
    QDialog::done(result);
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
    files_->setDirectory(folder);
}

QString TGImageBrowser::folder() const {
    return files_->directory().absolutePath();
}

void TGImageBrowser::selectFile(const QString& fileName) {
    const QFileInfo info(fileName);
    setFolder(info.absolutePath());
    files_->selectFile(info.fileName());
    choose(info.absoluteFilePath());
}

QString TGImageBrowser::selectedFile() const {
    return selected_;
}

// --- preview

void TGImageBrowser::choose(const QString& fileName) {
    if (fileName == selected_) return;
    selected_ = fileName;
    preview_ = {};
    load(fileName);
    showPreview();
}

void TGImageBrowser::load(const QString& fileName) {
    const QString ext = QLatin1Char('.') + QFileInfo(fileName).suffix().toUpper();
    platform::Graphic g;
    QString error;
    if (!g.loadFromFile(fileName, &error)) {
        // The formats this dialog first read quietly stay empty when damaged, except bitmaps
        // and metafiles; every other picture says why it did not load.
        static const QStringList quiet{".JPG", ".JIF", ".ICO", ".PCX", ".TGA", ".DIB", ".RLE"};
        if (!quiet.contains(ext) || error != QLatin1String(platform::Graphic::loadErrorMessage))
            platform::showError(error);
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
    size_->setText(
        preview_.isEmpty()
            ? QString()
            : QStringLiteral("%1 × %2 pixels").arg(preview_.width()).arg(preview_.height()));
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
