#pragma once
// "Load Image File ": the picture dialog of the picture object. The user walks the drives
// and folders, picks a picture file, sees it in the preview and sets the "Stretch" and
// "AutoSize" options; the caller takes the previewed picture on "Ok".
#include "platform/Graphic.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class TGFolderBrowser;

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
    QString folder() const;
    // Lists the file's folder and selects the file, which loads the preview.
    void selectFile(const QString& fileName);
    QString selectedFile() const;
    // The picture of the selected file; empty when none is selected or it did not load.
    const platform::Graphic& preview() const { return preview_; }

  private:
    void fileChosen();
    void load(const QString& fileName);
    void showPreview();

    platform::Graphic preview_;
    TGFolderBrowser* browser_ = nullptr;
    QLabel* image_ = nullptr;
    QCheckBox* stretch_ = nullptr;
    QCheckBox* autoSize_ = nullptr;
};
