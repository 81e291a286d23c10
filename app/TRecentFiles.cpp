#include "TRecentFiles.h"

#include "platform/system/FileName.h"
#include "platform/system/IniFile.h"
#include "platform/system/PreferencesFile.h"

namespace {
const QString kSection = QStringLiteral("MRU");
}

void TRecentFiles::add(const QString& fileName) {
    if (fileName.isEmpty()) return;
    files_.removeAll(fileName);
    files_.prepend(fileName);
    while (files_.size() > maxEntries)
        files_.removeLast();
}

void TRecentFiles::remove(const QString& fileName) {
    files_.removeAll(fileName);
}

void TRecentFiles::read(const platform::IniFile& ini) {
    files_.clear();
    for (const QString& text : ini.readSectionValues(kSection)) {
        const QString name = platform::FileName::fromText(text);
        if (files_.size() == maxEntries) break;
        if (!name.isEmpty() && !files_.contains(name)) files_.append(name);
    }
}

void TRecentFiles::write(platform::IniFile& ini) const {
    ini.eraseSection(kSection);
    for (int i = 0; i < files_.size(); ++i)
        ini.writeString(kSection, QStringLiteral("F%1").arg(i),
                        platform::FileName::toText(files_.at(i)));
}

TRecentFiles TRecentFiles::load() {
    TRecentFiles r;
    r.read(platform::PreferencesFile::read());
    return r;
}

bool TRecentFiles::save() const {
    platform::IniFile ini = platform::PreferencesFile::read();
    write(ini);
    return platform::PreferencesFile::write(ini);
}
