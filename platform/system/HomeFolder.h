#pragma once
// The program's home folder: where ORL.INI, Saved, bg, bmbrush, Textures and the private
// clipboard live. Set by --home DIR or ORLANTO_HOME, else the per-user data folder.
#include <QString>
#include <QStringList>

namespace platform {

class HomeFolder {
  public:
    // The folder in use, always ending with "/".
    static QString path();
    // Sets the folder explicitly (from --home); an empty path falls back to the environment.
    static void set(const QString& dir);
    // Takes "--home DIR" or "--home=DIR" out of the arguments and applies it.
    static QStringList takeHomeArgument(const QStringList& args);
};

} // namespace platform
