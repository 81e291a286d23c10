#pragma once
// "Load  Business Card Background Art ": the bitmaps and metafiles of the background art
// folder with a preview of the selected one. Closes with OK (a file chosen), None (the
// value 99: no background art) or Cancel.
#include <QDialog>

class QLabel;
class QListWidget;

class TLoadBackGround : public QDialog {
    Q_OBJECT
public:
    static constexpr int NoneResult = 99;

    explicit TLoadBackGround(const QString& folder, QWidget* parent = nullptr);

    // Selects a file: its folder is listed and the file chosen.
    void selectFile(const QString& fileName);
    // The selected file's full name, or empty.
    QString selectedFile() const;

private:
    void listFolder(const QString& folder);
    void showPreview();
    void okClicked();

    QString folder_;
    QListWidget* files_ = nullptr;
    QLabel* preview_ = nullptr;
};
