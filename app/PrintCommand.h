#pragma once
// `orlanto print CARD.ORL ...`: prints a card's sheets without a window, with the layout,
// fine-tuning offsets and warning settings of the home folder's ORL.INI and the card's
// background art, into a PDF file or onto a print queue.
//
//     orlanto print CARD.ORL -o OUT.pdf [--sheets N] [--positions 1,2,8] [--outline]
//     orlanto print CARD.ORL [--printer NAME] [--sheets N] ...   (default printer without -o)
//     --home DIR: the home folder holding ORL.INI
//
// main() calls PrintCommand::prepareEnvironment() before it creates the QApplication, then
// PrintCommand().run(arguments after "print").
#include <QStringList>
#include <QTextStream>

#include <memory>

class PrintArguments;
struct TCardLayout;
class TCardSelection;
namespace platform {
class ReportTarget;
}

class PrintCommand {
  public:
    // The command runs on Qt's offscreen platform whatever DISPLAY says (a display that
    // cannot be reached would end it), and a closed output pipe is an error it reports;
    // call before the application object exists.
    static void prepareEnvironment();

    // The exit code: 0 printed, 1 failed (the reason on the error stream), 2 wrong usage.
    int run(const QStringList& args);

    static QString usage();

    // Everything the command reported, in order (it also goes to the error stream).
    QStringList messages;

  private:
    // Selects only the listed positions (1,2,8); false when the list is wrong (reported).
    bool choosePositions(const QString& list, const TCardLayout& layout, TCardSelection& selection);
    // The PDF file or the printer the request names; none when there is no such printer
    // (reported).
    std::unique_ptr<platform::ReportTarget> reportTarget(const PrintArguments& request);
    int fail(const QString& message, int code = 1);
    void say(const QString& message);
    QTextStream err_{stderr};
};
