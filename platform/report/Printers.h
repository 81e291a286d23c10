#pragma once
// The printers the platform's print system knows.
#include <QStringList>

namespace platform {

class Printers {
  public:
    static QStringList names();
    static bool anyAvailable() { return !names().isEmpty(); }
    // Empty when no default printer is set.
    static QString defaultName();
};

} // namespace platform
