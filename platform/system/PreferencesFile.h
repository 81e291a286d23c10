#pragma once
// The preferences file ORL.INI in the program's home folder. Every reader takes the file as it
// is on disk now; every writer changes its own keys in that text and writes the whole file back
// atomically, so the main window, the preview window and the recent-files list can each update
// their part without disturbing the others.
#include "platform/system/IniFile.h"

#include <QString>

namespace platform {

class PreferencesFile {
  public:
    // HomeFolder::path() + "ORL.INI".
    static QString fileName();
    // The file as it is now; empty when it is missing or could not be read. A file that
    // exists but could not be read is reported once and from then on neither read nor
    // written during this run, so that nothing it holds is lost.
    static IniFile read();
    // Writes the file (creating the home folder if needed). When that fails the user is told
    // once, not at every later save, and the program goes on with the settings it holds.
    // False (without a word) for a file that could not be read.
    static bool write(const IniFile& ini);
};

} // namespace platform
