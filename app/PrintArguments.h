#pragma once
// The arguments of `orlanto print` (those after "print", without --home), read with
// QCommandLineParser: the card file, where the sheets go, how many sheets, which positions,
// and whether only the outlines print.
#include <QString>
#include <QStringList>

#include <optional>

class PrintArguments {
  public:
    static constexpr int maxSheets = 9999;

    // False when the arguments are wrong; problem() then says why.
    bool read(const QStringList& args);
    QString problem() const { return problem_; }

    bool help = false; // -h or --help: only the usage is asked for
    QString card;
    QString output;         // -o: the PDF file; empty for a printer
    bool toPrinter = false; // --printer given
    QString printerName;
    int sheets = 1;
    std::optional<QString> positions; // --positions as given; none: every position
    bool outline = false;

  private:
    // The card file among the arguments that are no options, and the choice of output.
    bool readCard(const QStringList& files);
    bool refuse(const QString& problem);

    QString problem_;
};
