#include "TGBrushImageBrowser.h"

#include "TSuperShape.h"
#include "objects/text/TGObjectPreview.h"
#include "platform/pictures/Graphic.h"
#include "platform/pictures/RasterDecoder.h"
#include "platform/system/HomeFolder.h"
#include "platform/widgets/DialogHost.h"
#include "platform/widgets/DialogParts.h"
#include "platform/widgets/HelpViewer.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString tooLargeMessage(QSize size) {
    return QStringLiteral("The texture is too large (%1 x %2 pixels). Textures may be at most "
                          "%3 x %3 pixels.")
        .arg(size.width())
        .arg(size.height())
        .arg(TGEffectControl::maxTextureSide);
}

bool tooLarge(QSize size) {
    return size.width() > TGEffectControl::maxTextureSide ||
           size.height() > TGEffectControl::maxTextureSide;
}

// Where the textures installed with the program are: beside the program in a build
// folder, or in its data folder once installed.
QString installedTextures() {
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& candidate :
         {dir + QStringLiteral("/bmbrush"), dir + QStringLiteral("/../bmbrush"),
          dir + QStringLiteral("/../share/orlanto/bmbrush")})
        if (QFileInfo(candidate).isDir()) return QDir(candidate).canonicalPath();
    return {};
}
} // namespace

const QStringList& TGBrushImageBrowser::filePatterns() {
    static const QStringList patterns = [] {
        QStringList rasters = platform::Graphic::filePatterns();
        rasters.removeIf([](const QString& p) {
            return !platform::RasterDecoder::handles(QLatin1Char('.') + p.mid(2).toUpper());
        });
        return rasters;
    }();
    return patterns;
}

TGBrushImageBrowser::TGBrushImageBrowser(QWidget* parent)
    : TGBrushImageBrowser(std::make_unique<TSuperShape>(), parent) {
    sample_->setObjectName(QStringLiteral("ExampleSuperShape"));
    sample_->setBounds(0, 0, 75, 75);
}

TGBrushImageBrowser::TGBrushImageBrowser(std::unique_ptr<TGEffectControl> sample, QWidget* parent)
    : QDialog(parent), sample_(std::move(sample)) {
    setObjectName(QStringLiteral("GBrushImageBrowser"));
    setWindowTitle(QStringLiteral("Load Texture Image"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowContextHelpButtonHint);
    files_ = new QFileDialog(this);
    files_->setObjectName(QStringLiteral("FileDialog"));
    files_->setWindowFlags(Qt::Widget);
    files_->setOption(QFileDialog::DontUseNativeDialog); // a native dialog cannot be embedded
    files_->setFileMode(QFileDialog::ExistingFile);
    files_->setNameFilters(
        {QStringLiteral("Textures (%1)").arg(filePatterns().join(QLatin1Char(' '))),
         QStringLiteral("All files (*)")});
    // Its own Open and Cancel buttons give way to the dialog's "Ok" and "Cancel".
    if (auto* box = files_->findChild<QDialogButtonBox*>()) box->hide();
    preview_ = new TGObjectPreview(*sample_, QSize(200, 150));
    preview_->setObjectName(QStringLiteral("SamplePanel"));
    size_ = new QLabel;
    size_->setObjectName(QStringLiteral("TextureSize"));

    const auto [buttons, ok, cancel, help] =
        platform::ButtonRow(nullptr, {"Ok", "OKButton"}, {"Cancel", "Cancelbutton"},
                            {"Help", "Helpbutton"}, helpContext);

    auto* right = new QVBoxLayout;
    right->addWidget(preview_);
    right->addWidget(size_);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addWidget(files_, 1);
    columns->addLayout(right);
    auto* top = new QVBoxLayout(this);
    top->addLayout(columns);
    top->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [] { platform::HelpViewer::showTopic(helpContext); });
    connect(files_, &QFileDialog::currentChanged, this, [this](const QString& path) {
        if (QFileInfo(path).isFile()) choose(path);
    });
    // A double click (or Enter) on a file takes it, as "Ok" does.
    connect(files_, &QFileDialog::finished, this, [this](int result) {
        if (result == QDialog::Accepted && !files_->selectedFiles().isEmpty())
            choose(files_->selectedFiles().constFirst());
        done(result);
    });
}

TGBrushImageBrowser::~TGBrushImageBrowser() = default;

void TGBrushImageBrowser::start(const QString& lastFile, const QString& folder) {
    if (!lastFile.isEmpty() && QFileInfo(lastFile).isFile())
        selectFile(lastFile);
    else
        setFolder(folder);
}

void TGBrushImageBrowser::setFolder(const QString& folder) {
    files_->setDirectory(folder);
}

QString TGBrushImageBrowser::folder() const {
    return files_->directory().absolutePath();
}

void TGBrushImageBrowser::selectFile(const QString& fileName) {
    const QFileInfo info(fileName);
    setFolder(info.absolutePath());
    files_->selectFile(info.fileName());
    choose(info.absoluteFilePath());
}

void TGBrushImageBrowser::choose(const QString& fileName) {
    if (fileName == selected_) return;
    selected_ = fileName;
    sample_->setTexture(loadTexture(fileName));
    const QSize size = sample_->texture().size();
    size_->setText(size.isEmpty()
                       ? QString()
                       : QStringLiteral("%1 × %2 pixels").arg(size.width()).arg(size.height()));
    preview_->update();
}

QImage TGBrushImageBrowser::loadTexture(const QString& fileName) {
    const QString ext = QLatin1Char('.') + QFileInfo(fileName).suffix().toUpper();
    // A huge picture is refused from its header, before it is decoded.
    const QSize declared = platform::Graphic::statedSizeOfFile(fileName);
    if (declared.isValid() && tooLarge(declared)) {
        platform::showError(tooLargeMessage(declared));
        return {};
    }
    platform::Graphic g;
    if (!g.loadFromFile(fileName) || g.kind() == platform::Graphic::Kind::Metafile) {
        if (ext == QLatin1String(".BMP") || ext == QLatin1String(".WMF"))
            platform::showError(QLatin1String(platform::Graphic::loadErrorMessage));
        return {};
    }
    if (tooLarge(g.image().size())) {
        platform::showError(tooLargeMessage(g.image().size()));
        return {};
    }
    if (g.kind() == platform::Graphic::Kind::Icon) {
        // An icon is drawn at (0, 0) onto a new bitmap of its size.
        QImage bitmap(g.width(), g.height(), QImage::Format_RGB32);
        bitmap.fill(Qt::white);
        QPainter p(&bitmap);
        p.drawImage(0, 0, g.image());
        return bitmap;
    }
    return g.image();
}

QString TGBrushImageBrowser::textureFolder() {
    const QString folder = platform::HomeFolder::path() + QStringLiteral("bmbrush");
    QDir dir(folder);
    if (!dir.exists()) QDir().mkpath(folder);
    if (dir.entryList(QDir::Files).isEmpty()) {
        const QString installed = installedTextures();
        if (!installed.isEmpty())
            for (const QString& name : QDir(installed).entryList(filePatterns(), QDir::Files))
                QFile::copy(installed + QLatin1Char('/') + name, dir.filePath(name));
    }
    return folder;
}
