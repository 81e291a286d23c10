#pragma once
// Text from outside (a card file, a file name) made safe to show: control characters and
// the escape sequences they begin would move a terminal's cursor, change its colours or
// garble a message box, so each is shown as \xHH (\uHHHH above 0xFF). Line breaks stay
// ("\r\n" becomes "\n"), as do tabs. A file name's bytes that are not UTF-8 show as
// FileName::display shows them.
#include <QString>

namespace platform {

class PrintableText {
  public:
    static QString of(const QString& text);
};

} // namespace platform
