#pragma once
// "Load Image File ": the picture dialog of the picture object. The user browses with Qt's
// file dialog (embedded), sees the chosen picture and its pixel size in the preview and
// sets the "Stretch" and "AutoSize" options; the caller takes the previewed picture when
// the dialog is accepted. It starts in the folder last used, or else the user's Pictures
// folder.
#include "platform/pictures/Graphic.h"

#include <QDialog>

class QCheckBox;
class QFileDialog;
class QLabel;

class TGImageBrowser : public QDialog {
    Q_OBJECT
  public:
    static constexpr int helpContext = 40003;

    explicit TGImageBrowser(QWidget* parent = nullptr);

    void setOptions(bool stretch, bool autoSize);
    bool stretchChecked() const;
    bool autoSizeChecked() const;

    // Shows a folder's subfolders and picture files.
    void setFolder(const QString& folder);
    QString folder() const;
    // Shows the file's folder and selects the file, which loads the preview.
    void selectFile(const QString& fileName);
    QString selectedFile() const;
    // The picture of the selected file; empty when none is selected or it did not load.
    const platform::Graphic& preview() const { return preview_; }

    // Closing with a picture chosen remembers its folder for the next time.
    void done(int result) override;

  private:
    void choose(const QString& fileName);
    void load(const QString& fileName);
    void showPreview();

    platform::Graphic preview_;
    QString selected_;
    QFileDialog* files_ = nullptr;
    QLabel* image_ = nullptr;
    QLabel* size_ = nullptr;
    QCheckBox* stretch_ = nullptr;
    QCheckBox* autoSize_ = nullptr;
};
