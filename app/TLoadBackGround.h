#pragma once
// "Load  Business Card Background Art ": the pictures of the background art folder with a
// preview of the selected one. "Browse..." copies a picture from anywhere into the folder
// and selects it. Closes with OK (a file chosen), None (the value 99: no background art) or
// Cancel.
#include <QDialog>

class QLabel;
class QListWidget;

class TLoadBackGround : public QDialog {
    Q_OBJECT
  public:
    static constexpr int noneResult = 99;

    explicit TLoadBackGround(const QString& folder, QWidget* parent = nullptr);

    // Selects a file: its folder is listed and the file chosen.
    void selectFile(const QString& fileName);
    // The selected file's full name, or empty.
    QString selectedFile() const;
    // Asks for a picture file, copies it into the folder and selects the copy.
    void browse();

  private:
    void listFolder(const QString& folder);
    void showPreview();
    void okClicked();

    QString folder_;
    QListWidget* files_ = nullptr;
    QLabel* preview_ = nullptr;
};
