#pragma once
// The recent-files list: at most five full file names, most recent first, kept in section
// "MRU" of the preferences file as F0, F1, ... A name that is not UTF-8 is kept there as
// a "file://" address of its bytes (see FileName::toText).
#include <QStringList>

namespace platform {
class IniFile;
}

class TRecentFiles {
  public:
    static constexpr int maxEntries = 5;

    const QStringList& files() const { return files_; }
    // Puts the name on top, once.
    void add(const QString& fileName);
    void remove(const QString& fileName);

    // Every line of the section counts, in file order, whatever its key: the text after its
    // first "=". Empty and repeated names are left out.
    void read(const platform::IniFile& ini);
    // Replaces the section with F0 onward.
    void write(platform::IniFile& ini) const;

    // The list as the preferences file holds it now.
    static TRecentFiles load();
    // Stores the list in the preferences file; false when it could not be written.
    bool save() const;

  private:
    QStringList files_;
};
