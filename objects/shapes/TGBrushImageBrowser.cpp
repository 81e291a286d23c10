#include "TGBrushImageBrowser.h"

#include "TGFolderBrowser.h"
#include "TSuperShape.h"
#include "objects/text/TGObjectPreview.h"
#include "platform/DialogHost.h"
#include "platform/Graphic.h"
#include "platform/HelpViewer.h"
#include "platform/HomeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
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
    static const QStringList patterns{"*.BMP", "*.DIB", "*.JPG", "*.JIF",
                                      "*.PCX", "*.RLE", "*.TGA", "*.ICO"};
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
    browser_ = new TGFolderBrowser(filePatterns());
    preview_ = new TGObjectPreview(*sample_, QSize(200, 150));
    preview_->setObjectName(QStringLiteral("SamplePanel"));

    auto* ok = new QPushButton(QStringLiteral("Ok"));
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("Cancelbutton"));
    auto* help = new QPushButton(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Helpbutton"));
    help->setAutoDefault(false);
    help->setProperty("HelpContext", helpContext);

    auto* right = new QVBoxLayout;
    right->addWidget(preview_);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addWidget(browser_, 1);
    columns->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto* top = new QVBoxLayout(this);
    top->addLayout(columns);
    top->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [] { platform::HelpViewer::showTopic(helpContext); });
    connect(browser_, &TGFolderBrowser::fileChosen, this, &TGBrushImageBrowser::fileChosen);
}

TGBrushImageBrowser::~TGBrushImageBrowser() = default;

void TGBrushImageBrowser::start(const QString& lastFile, const QString& folder) {
    if (!lastFile.isEmpty() && QFileInfo(lastFile).isFile())
        browser_->selectFile(lastFile);
    else
        browser_->setFolder(folder);
}

QString TGBrushImageBrowser::selectedFile() const {
    return browser_->selectedFile();
}

void TGBrushImageBrowser::fileChosen() {
    const QString file = browser_->selectedFile();
    if (file.isEmpty()) return;
    sample_->setTexture(loadTexture(file));
    preview_->update();
}

QImage TGBrushImageBrowser::loadTexture(const QString& fileName) {
    const QString ext = QLatin1Char('.') + QFileInfo(fileName).suffix().toUpper();
    // A huge picture is refused from its header, before it is decoded.
    const QSize declared = platform::Graphic::statedSizeOfFile(fileName);
    if (declared.isValid() && tooLarge(declared)) {
        platform::ShowError(tooLargeMessage(declared));
        return {};
    }
    platform::Graphic g;
    if (!g.loadFromFile(fileName) || g.kind() == platform::Graphic::Kind::Metafile) {
        if (ext == QLatin1String(".BMP") || ext == QLatin1String(".WMF"))
            platform::ShowError(QLatin1String(platform::Graphic::loadErrorMessage));
        return {};
    }
    if (tooLarge(g.image().size())) {
        platform::ShowError(tooLargeMessage(g.image().size()));
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
