#pragma once
// For end-to-end tests, installed by main when ORLANTO_UI_MAP names a file: keeps in that
// file, as JSON, where the window's named widgets are on the screen and the texts of its
// labels and status bar. It is written when the window has settled after its first
// activation, again shortly after the buttons that come and go change, and every quarter
// second for the texts that change (the status bar, a dialog's status).
#include <QObject>
#include <QString>
#include <QTimer>

class TMainScreen;

class WidgetMap : public QObject {
    Q_OBJECT
  public:
    WidgetMap(TMainScreen& window, const QString& fileName);

  private:
    void write() const;

    TMainScreen& window_;
    QString fileName_;
    QTimer refresh_;
};
