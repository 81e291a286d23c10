#pragma once
// "Load Image File ": the picture dialog of the picture object. The user walks the drives
// and folders, picks a picture file, sees it in the preview and sets the "Stretch" and
// "AutoSize" options; the caller takes the previewed picture on "Ok".
#include "platform/Graphic.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;

class TGImageBrowser : public QDialog {
    Q_OBJECT
  public:
    static constexpr int helpContext = 40003;
    static const QStringList& filePatterns();

    explicit TGImageBrowser(QWidget* parent = nullptr);

    void setOptions(bool stretch, bool autoSize);
    bool stretchChecked() const;
    bool autoSizeChecked() const;

    // Lists a folder's subfolders and picture files.
    void setFolder(const QString& folder);
    QString folder() const { return folder_; }
    // Lists the file's folder and selects the file, which loads the preview.
    void selectFile(const QString& fileName);
    QString selectedFile() const;
    // The picture of the selected file; empty when none is selected or it did not load.
    const platform::Graphic& preview() const { return preview_; }

  private:
    void listDrives();
    void driveChosen(int index);
    void folderActivated();
    void fileChosen();
    void load(const QString& fileName);
    void showPreview();

    QString folder_;
    platform::Graphic preview_;
    QComboBox* drives_ = nullptr;
    QLabel* folderLabel_ = nullptr;
    QListWidget* folders_ = nullptr;
    QListWidget* files_ = nullptr;
    QLabel* image_ = nullptr;
    QCheckBox* stretch_ = nullptr;
    QCheckBox* autoSize_ = nullptr;
};
