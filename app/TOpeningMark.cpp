#include "TOpeningMark.h"

#include "app/NameFile.h"
#include "platform/system/FileName.h"
#include "platform/system/HomeFolder.h"

QString TOpeningMark::path() {
    return platform::HomeFolder::path() + QStringLiteral("Opening.ORN");
}

void TOpeningMark::begin(const QString& card) {
    // Without the mark the opening still goes on: it only guards the next start.
    NameFile::write(path(), card);
}

void TOpeningMark::finish() {
    platform::FileName::remove(path());
}

QString TOpeningMark::unfinished() {
    return NameFile::read(path());
}
