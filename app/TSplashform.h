#pragma once
// "About Orlanto": the program's picture, its version and an Ok button.
#include <QDialog>

class TSplashform : public QDialog {
    Q_OBJECT
  public:
    explicit TSplashform(QWidget* parent = nullptr);
};
