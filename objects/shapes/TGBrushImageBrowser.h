#pragma once
// "Load Texture Image": the texture chooser of the effect shape dialog. The user browses
// with Qt's file dialog (embedded, as in the picture dialog) and picks a texture file, which
// loads into the dialog's own sample object at once, with the texture's pixel size beside
// it; the caller copies its sample into the dialog's before showing it and takes the
// sample's texture on "Ok". TSuperTextBrushImageBrowser is the same dialog with an effect
// text as its sample.
#include <QDialog>
#include <QImage>

#include <memory>

class QFileDialog;
class QLabel;
class TGEffectControl;
class TGObjectPreview;

class TGBrushImageBrowser : public QDialog {
    Q_OBJECT
  public:
    static constexpr int helpContext = 40012;
    // File name patterns ("*.png") of the raster pictures a texture is read from.
    static const QStringList& filePatterns();

    // With a 75 by 75 effect shape as the sample.
    explicit TGBrushImageBrowser(QWidget* parent = nullptr);
    ~TGBrushImageBrowser() override;

    TGEffectControl& sample() { return *sample_; }
    // Points the file list at the last texture file when it still exists, otherwise
    // opens the folder.
    void start(const QString& lastFile, const QString& folder);
    void setFolder(const QString& folder);
    QString folder() const;
    // Shows the file's folder, selects the file and loads it into the sample.
    void selectFile(const QString& fileName);
    // The chosen file's full name, or empty.
    QString selectedFile() const { return selected_; }

    // Reads a texture file by its upper-cased extension: a bitmap, an icon drawn onto a
    // bitmap of its size, or a picture through the decoders. A file that cannot be read
    // gives a null image, with "Error loading file!" for ".BMP" and ".WMF" only; one too
    // large for a texture gives a null image and says so.
    static QImage loadTexture(const QString& fileName);
    // The program's texture folder ("bmbrush" in the home folder), given the textures
    // installed with the program when it holds none yet.
    static QString textureFolder();

  protected:
    TGBrushImageBrowser(std::unique_ptr<TGEffectControl> sample, QWidget* parent);

  private:
    void choose(const QString& fileName);

    std::unique_ptr<TGEffectControl> sample_;
    QString selected_;
    QFileDialog* files_ = nullptr;
    TGObjectPreview* preview_ = nullptr;
    QLabel* size_ = nullptr;
};
