#include "TGFolderBrowser.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QStorageInfo>
#include <QVBoxLayout>

TGFolderBrowser::TGFolderBrowser(const QStringList& patterns, QWidget* parent)
    : QWidget(parent), patterns_(patterns) {
    drives_ = new QComboBox;
    drives_->setObjectName(QStringLiteral("DriveComboBox"));
    folderLabel_ = new QLabel;
    folderLabel_->setObjectName(QStringLiteral("DirectoryLabel"));
    folders_ = new QListWidget;
    folders_->setObjectName(QStringLiteral("DirectoryListBox"));
    files_ = new QListWidget;
    files_->setObjectName(QStringLiteral("FileListBox"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(drives_);
    layout->addWidget(folderLabel_);
    layout->addWidget(folders_);
    layout->addWidget(files_);

    connect(drives_, &QComboBox::activated, this,
            [this](int index) { setFolder(drives_->itemText(index)); });
    connect(folders_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        if (item) setFolder(QDir(folder_).absoluteFilePath(item->text()));
    });
    connect(files_, &QListWidget::currentRowChanged, this, &TGFolderBrowser::fileChosen);
    listDrives();
}

void TGFolderBrowser::listDrives() {
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady()) drives_->addItem(volume.rootPath());
}

void TGFolderBrowser::setFolder(const QString& folder) {
    const QDir dir(folder);
    folder_ = dir.canonicalPath().isEmpty() ? dir.absolutePath() : dir.canonicalPath();
    folderLabel_->setText(folder_);
    const int drive = drives_->findText(QStorageInfo(folder_).rootPath());
    if (drive >= 0) drives_->setCurrentIndex(drive);
    folders_->clear();
    if (!dir.isRoot()) folders_->addItem(QStringLiteral(".."));
    folders_->addItems(
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
    // The patterns are upper case; the file system's names may be in any case.
    QDir files(folder_, {}, QDir::Name | QDir::IgnoreCase, QDir::Files | QDir::CaseSensitive);
    QStringList names;
    for (const QString& name : files.entryList())
        if (QDir::match(patterns_, name.toUpper())) names << name;
    files_->blockSignals(true);
    files_->clear();
    files_->addItems(names);
    files_->setCurrentRow(-1);
    files_->blockSignals(false);
    emit fileChosen();
}

void TGFolderBrowser::selectFile(const QString& fileName) {
    const QFileInfo info(fileName);
    setFolder(info.absolutePath());
    const QList<QListWidgetItem*> found = files_->findItems(info.fileName(), Qt::MatchExactly);
    if (!found.isEmpty()) files_->setCurrentItem(found.front());
}

QString TGFolderBrowser::selectedFile() const {
    const QListWidgetItem* item = files_->currentItem();
    return item ? QDir(folder_).absoluteFilePath(item->text()) : QString();
}
