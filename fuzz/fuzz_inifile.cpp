// Any bytes as a preferences file: reading every kind of value, then changing, adding and
// erasing entries, must neither crash nor lose the parts of the text it did not touch.
#include "platform/system/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    platform::IniFile ini(text);
    const platform::IniFile& written = ini;
    const QString sections[] = {QStringLiteral("Layout"), QStringLiteral("Printer"),
                                QStringLiteral("MRU"), QStringLiteral("Default Font")};
    for (const QString& s : sections) {
        ini.readString(s, QStringLiteral("Name"), QString());
        ini.readInteger(s, QStringLiteral("Height"), 2000);
        ini.readBool(s, QStringLiteral("UseMM"), false);
        ini.readSectionValues(s);
    }
    ini.writeInteger(QStringLiteral("Layout"), QStringLiteral("Height"), 2047);
    ini.writeString(QStringLiteral("Printer"), QStringLiteral("New"), QStringLiteral("a\nb"));
    ini.eraseSection(QStringLiteral("MRU"));
    ini.writeString(QStringLiteral("MRU"), QStringLiteral("F0"), QStringLiteral("/x.ORL"));

    // What was written reads back, from the index and from the text alike.
    const platform::IniFile reread(ini.text());
    for (const platform::IniFile* f : {&written, &reread}) {
        if (f->readInteger(QStringLiteral("Layout"), QStringLiteral("Height"), 0) != 2047 ||
            f->readString(QStringLiteral("Printer"), QStringLiteral("New"), {}) !=
                QStringLiteral("a b") ||
            f->readSectionValues(QStringLiteral("MRU")) != QStringList{QStringLiteral("/x.ORL")})
            std::abort();
    }
    return 0;
}
