#pragma once
// File names around a card file: the companion file that names its background art, the
// "Saved" folder and the name Save As proposes there.
#include <QString>

class CardFiles {
  public:
    // The card file's full name up to, not including, its first "." (even one in a folder
    // name), followed by ".ORX".
    static QString companionName(const QString& cardFile);
    // True when the upper-cased extension is ".ORL".
    static bool isCardFile(const QString& fileName);
    // The first of BC0001.ORL, BC0002.ORL … that does not exist in the folder (the numbers
    // 10001 to 99999 without their first digit); empty when all do.
    static QString proposedName(const QString& folder);
    // The background file named by a card's companion file, or empty.
    static QString readCompanion(const QString& cardFile);
    // Writes the background file name into the companion file, or deletes the companion
    // file when there is none. Returns why it could not, in the system's words, or empty.
    static QString writeCompanion(const QString& cardFile, const QString& backgroundFile);
};
