#include "TLoadBackGround.h"

#include "platform/pictures/Graphic.h"
#include "platform/system/FileName.h"
#include "platform/widgets/DialogHost.h"
#include "platform/widgets/HelpViewer.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>

TLoadBackGround::TLoadBackGround(const QString& folder, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("LoadBackGround"));
    setWindowTitle(QStringLiteral("Load  Business Card Background Art "));
    files_ = new QListWidget;
    files_->setObjectName(QStringLiteral("FileListBox"));
    files_->setMinimumWidth(200);
    preview_ = new QLabel;
    preview_->setObjectName(QStringLiteral("Image1"));
    preview_->setMinimumSize(336, 192);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setFrameShape(QFrame::StyledPanel);

    auto* buttons = new QDialogButtonBox(Qt::Vertical);
    QPushButton* ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::ActionRole);
    ok->setObjectName(QStringLiteral("OKButton"));
    QPushButton* browse =
        buttons->addButton(QStringLiteral("Browse..."), QDialogButtonBox::ActionRole);
    browse->setObjectName(QStringLiteral("BrowseButton"));
    QPushButton* none = buttons->addButton(QStringLiteral("None"), QDialogButtonBox::ActionRole);
    none->setObjectName(QStringLiteral("NoneButton"));
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("CancelButton"));
    QPushButton* help = buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("HelpButton"));
    connect(ok, &QPushButton::clicked, this, &TLoadBackGround::okClicked);
    connect(browse, &QPushButton::clicked, this, &TLoadBackGround::browse);
    connect(none, &QPushButton::clicked, this, [this] { done(noneResult); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { platform::HelpViewer::showTopic(2101); });
    connect(files_, &QListWidget::currentRowChanged, this, &TLoadBackGround::showPreview);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(files_);
    layout->addWidget(preview_, 1);
    layout->addWidget(buttons);
    listFolder(folder);
}

void TLoadBackGround::listFolder(const QString& folder) {
    folder_ = folder;
    files_->clear();
    QStringList names = platform::FileName::files(folder);
    names.removeIf([](const QString& name) {
        return !platform::Graphic::readsExtension(QLatin1Char('.') +
                                                  QFileInfo(name).suffix().toUpper());
    });
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    // Each item keeps the file's true name and shows it as it reads.
    for (const QString& name : std::as_const(names)) {
        auto* item = new QListWidgetItem(platform::FileName::display(name), files_);
        item->setData(Qt::UserRole, folder + QLatin1Char('/') + name);
    }
    files_->setCurrentRow(-1);
}

void TLoadBackGround::selectFile(const QString& fileName) {
    const QString name = platform::FileName::absolute(fileName);
    const QString folder = name.left(name.lastIndexOf(QLatin1Char('/')));
    if (platform::FileName::absolute(folder_) != folder) listFolder(folder);
    for (int i = 0; i < files_->count(); ++i) {
        if (platform::FileName::absolute(files_->item(i)->data(Qt::UserRole).toString()) == name)
            files_->setCurrentRow(i);
    }
}

QString TLoadBackGround::selectedFile() const {
    const QListWidgetItem* item = files_->currentItem();
    return item ? platform::FileName::absolute(item->data(Qt::UserRole).toString()) : QString();
}

void TLoadBackGround::browse() {
    // The desktop's pictures folder when there is one, else the home folder: a folder that
    // does not exist would open the dialog on its parent with the folder's name as file name.
    QString start = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!QFileInfo(start).isDir()) start = QDir::homePath();
    const QString source = platform::DialogHost::current().openFileName(
        QStringLiteral("Browse for Background Art"), start,
        QStringLiteral("Pictures (%1)").arg(platform::Graphic::filePatternsFilter()));
    if (source.isEmpty()) return;
    const QFileInfo info(source);
    if (!platform::Graphic::readsExtension(QLatin1Char('.') + info.suffix().toUpper())) {
        platform::showError(QLatin1String(platform::Graphic::loadErrorMessage));
        return;
    }
    // A namesake already in the folder is kept: the copy gets a numbered name.
    QDir dir(folder_);
    QString target = dir.absoluteFilePath(info.fileName());
    for (int n = 2; platform::FileName::exists(target) && QFileInfo(target) != info; ++n)
        target = dir.absoluteFilePath(
            QStringLiteral("%1 (%2).%3").arg(info.completeBaseName()).arg(n).arg(info.suffix()));
    if (QFileInfo(target) != info &&
        (!dir.mkpath(QStringLiteral(".")) || !QFile::copy(source, target))) {
        platform::showError(QStringLiteral("Cannot copy %1 into the background art folder %2.")
                                .arg(source, folder_));
        return;
    }
    listFolder(folder_);
    selectFile(target);
}

void TLoadBackGround::showPreview() {
    const QString file = selectedFile();
    preview_->clear();
    if (file.isEmpty()) return;
    platform::Graphic g;
    QString error;
    if (!g.loadFromFile(file, &error)) {
        platform::showError(error);
        return;
    }
    // The preview takes the picture's own size, shrunk to fit the panel.
    QSize size(std::max(1, g.width()), std::max(1, g.height()));
    size = size.boundedTo(preview_->size().expandedTo(QSize(336, 192)));
    QPixmap pm(
        QSize(std::max(1, g.width()), std::max(1, g.height())).scaled(size, Qt::KeepAspectRatio));
    pm.fill(Qt::white);
    QPainter p(&pm);
    g.draw(p, QRectF(0, 0, pm.width(), pm.height()));
    p.end();
    preview_->setPixmap(pm);
}

void TLoadBackGround::okClicked() {
    if (selectedFile().isEmpty()) {
        platform::DialogHost::current().beep();
        return;
    }
    accept();
}
