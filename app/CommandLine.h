#pragma once
// The card-file commands of the command line, which run without a window:
//
//     orlanto dump CARD.ORL            one JSON object per design object, bottom first
//     orlanto resave IN.ORL OUT.ORL    reads a card and writes it again
//     --home DIR (anywhere)            the home folder
//
// A dump line holds "class", "name" (as given on reading) and then every published
// property under its card-file name (embedded ones dotted, e.g. "Pen.Width"), valued as the
// card file names it: enumerations and named colours by name, other colours and numbers as
// numbers, Booleans as true/false, strings as strings, sets as lists of names, string lists
// as lists, data blocks as their length in bytes.
//
// main() checks CommandLine::handles(first argument); if so it calls
// PrintCommand::prepareEnvironment(), creates the application object and returns
// CommandLine().run(arguments after the program name).
#include <QStringList>
#include <QTextStream>

#include <optional>

class TGValue;

class CommandLine {
  public:
    static bool handles(const QString& command);

    // Exit code: 0 done, 1 the card could not be read or written (the reason on the error
    // stream), 2 wrong usage.
    int run(const QStringList& args);
    int run(const QStringList& args, QTextStream& out, QTextStream& err);

    static QString usage();
    // The whole program's usage: the window, print, dump and resave.
    static QString programUsage();
    // The options of the window (argv as main() gets it), which need no display: --help and
    // --version print and give exit code 0, an unknown option prints the usage and gives 2;
    // nullopt when the window is to start.
    static std::optional<int> windowOptions(int argc, char** argv);
    // A value as a dump line shows it, in JSON.
    static QString json(const TGValue& value);
};
