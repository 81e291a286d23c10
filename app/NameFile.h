#pragma once
// A file name kept in a small file of its own, by its bytes (so that any name the system
// allows comes back the same), readable by its owner alone. The program keeps such names
// beside its recovery copy and while a card is being opened.
#include <QString>

class NameFile {
  public:
    // Writes the name atomically, or removes the file for an empty name. Returns the error
    // of a failed write, empty otherwise.
    static QString write(const QString& file, const QString& name);
    // The name kept in the file; empty when there is none.
    static QString read(const QString& file);
};
