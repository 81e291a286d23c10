#pragma once
// Help: short HTML topics built into the program, one per dialog context number, shown
// in one small help window that follows the links between them.
#include <QString>

class QWidget;

namespace platform {

class HelpViewer {
  public:
    // Shows the topic of a context number (the contents page when there is none).
    static void showTopic(int context);
    static void showContents();
    // Closes the help window, if open: help has no life of its own after the program's
    // window has closed.
    static void close();
    // The help window while it is open, else nullptr.
    static QWidget* openWindow();
    // The resource path of a topic, e.g. ":/help/2016.html"; empty when there is none.
    static QString topicPath(int context);
    // The page last shown (for tests), empty before any.
    static QString lastShown();
};

} // namespace platform
