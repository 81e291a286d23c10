#pragma once
// Names the card being opened in a small file in the program's home folder until its
// opening has finished: read, laid out and painted once. A mark that outlives the program
// names a card whose opening froze or ended it, so that the next start does not open that
// card again by itself and freeze or end once more. The mark goes when an opening finishes.
#include <QString>

class TOpeningMark {
  public:
    static QString path();
    static void begin(const QString& card);
    static void finish();
    // The card whose last opening did not finish, or empty.
    static QString unfinished();
};
