#pragma once
// Help: short HTML topics built into the program, one per dialog context number, shown
// in one small help window that follows the links between them.
#include <QString>

namespace platform {

class HelpViewer {
public:
    // Shows the topic of a context number (the contents page when there is none).
    static void showTopic(int context);
    static void showContents();
    // The resource path of a topic, e.g. ":/help/2016.html"; empty when there is none.
    static QString topicPath(int context);
    // The page last shown (for tests), empty before any.
    static QString lastShown();
};

} // namespace platform
