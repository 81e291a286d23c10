#pragma once
// The drive, folder and file lists of the picture and texture dialogs: the user walks the
// drives and folders and picks a file matching the dialog's upper-case patterns (the file
// system's names may be in any case). fileChosen reports every change of the chosen file.
#include <QStringList>
#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;

class TGFolderBrowser : public QWidget {
    Q_OBJECT
  public:
    explicit TGFolderBrowser(const QStringList& patterns, QWidget* parent = nullptr);

    // Lists a folder's subfolders and matching files; no file is chosen then.
    void setFolder(const QString& folder);
    QString folder() const { return folder_; }
    // Lists the file's folder and chooses the file.
    void selectFile(const QString& fileName);
    // The chosen file's full name, or empty.
    QString selectedFile() const;

  signals:
    void fileChosen();

  private:
    void listDrives();

    QStringList patterns_;
    QString folder_;
    QComboBox* drives_ = nullptr;
    QLabel* folderLabel_ = nullptr;
    QListWidget* folders_ = nullptr;
    QListWidget* files_ = nullptr;
};
