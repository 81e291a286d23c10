#pragma once
// Remembers where a window was: its normal (not maximised) rectangle and whether it was
// maximised, in the preferences file, one section per window class and screen density
// ("TMainScreen_Placement", "TMainScreen_Placement120"), so placements made on screens of
// different density do not overwrite each other.
#include <QRect>
#include <QString>

class QWidget;

namespace platform {

class WindowPlacement {
  public:
    // The screen a window is placed on.
    struct Screen {
        QRect geometry;         // the desktop in screen pixels
        int pixelsPerInch = 96; // logical pixels per inch
    };
    // The desktop the window is on and the program's pixels per inch.
    static Screen screenOf(const QWidget& form);

    // "<class>_Placement", followed by the pixels per inch when they are above 96.
    static QString sectionName(const QString& className, int pixelsPerInch);
    // The window's class name without any namespace.
    static QString className(const QWidget& form);

    // Puts the window where it was last time (moved back onto a smaller screen), or centres
    // it when nothing was stored; maximises it when it was maximised; then stores the
    // placement so the section exists from the first run on.
    static void restoreWindowPlacement(QWidget& form);
    static void restoreWindowPlacement(QWidget& form, const Screen& screen);
    static void saveWindowPlacement(const QWidget& form);
    static void saveWindowPlacement(const QWidget& form, const Screen& screen);

  private:
    static void centre(QWidget& form, const Screen& screen);
};

} // namespace platform
