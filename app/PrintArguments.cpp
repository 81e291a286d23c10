#include "PrintArguments.h"

#include <QCommandLineParser>

namespace {
struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption outline{QStringLiteral("outline")};
    QCommandLineOption output{
        {QStringLiteral("o"), QStringLiteral("output")}, QString(), QStringLiteral("OUT.pdf")};
    QCommandLineOption printer{QStringLiteral("printer"), QString(), QStringLiteral("NAME")};
    QCommandLineOption sheets{QStringLiteral("sheets"), QString(), QStringLiteral("N")};
    QCommandLineOption positions{QStringLiteral("positions"), QString(), QStringLiteral("LIST")};
};

// An option's name as given: without its dashes and any "=value".
QString nameOf(const QString& argument) {
    return argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1)
        .section(QLatin1Char('='), 0, 0);
}

QString unexpected(const QString& argument) {
    return QStringLiteral("Unexpected argument: %1").arg(argument);
}

QString sheetsProblem() {
    return QStringLiteral("--sheets needs a number from 1 to %1.").arg(PrintArguments::maxSheets);
}

// What is said when the option `given` has no value; empty when it takes none.
QString missingValue(const Options& o, const QString& given) {
    const QString name = nameOf(given);
    if (o.output.names().contains(name)) return QStringLiteral("%1 needs a file name.").arg(given);
    if (o.printer.names().contains(name)) return QStringLiteral("--printer needs a queue name.");
    if (o.sheets.names().contains(name)) return sheetsProblem();
    if (o.positions.names().contains(name))
        return QStringLiteral("--positions needs a list such as 1,2,8.");
    return QString();
}

// Why the parser refused the arguments: an option without its value (which can only be the
// last argument), an option it does not know, or a value given to an option without one.
QString refusal(const QCommandLineParser& parser, const Options& o, const QStringList& args) {
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.isEmpty() && args.constLast().startsWith(QLatin1Char('-'))) {
        if (QString missing = missingValue(o, args.constLast()); !missing.isEmpty()) return missing;
    }
    const QStringList flags = o.help.names() + o.outline.names();
    for (const QString& a : args) {
        if (!a.startsWith(QLatin1Char('-'))) continue;
        const QString name = nameOf(a);
        if (unknown.contains(name) || (a.contains(QLatin1Char('=')) && flags.contains(name)))
            return unexpected(a);
    }
    return parser.errorText();
}
} // namespace

bool PrintArguments::refuse(const QString& problem) {
    problem_ = problem;
    return false;
}

bool PrintArguments::read(const QStringList& args) {
    const Options o;
    QCommandLineParser parser;
    // "-o" and "--output" alike; "-ofile" is an unknown option rather than -o with a value.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({o.help, o.outline, o.output, o.printer, o.sheets, o.positions});
    // The parser takes the first argument for the program's name.
    if (!parser.parse(QStringList{QStringLiteral("print")} + args))
        return refuse(refusal(parser, o, args));
    help = parser.isSet(o.help);
    if (help) return true;

    output = parser.value(o.output);
    toPrinter = parser.isSet(o.printer);
    printerName = parser.value(o.printer);
    if (parser.isSet(o.sheets)) {
        bool ok = false;
        sheets = parser.value(o.sheets).toInt(&ok);
        if (!ok || sheets < 1 || sheets > maxSheets) return refuse(sheetsProblem());
    }
    if (parser.isSet(o.positions)) positions = parser.value(o.positions);
    outline = parser.isSet(o.outline);
    return readCard(parser.positionalArguments());
}

bool PrintArguments::readCard(const QStringList& files) {
    for (qsizetype i = 0; i < files.size(); ++i) {
        // A lone "-" is no option and no card either.
        if (i > 0 || files.at(i).startsWith(QLatin1Char('-')))
            return refuse(unexpected(files.at(i)));
    }
    if (files.isEmpty()) return refuse(QStringLiteral("No card file given."));
    if (!output.isEmpty() && toPrinter)
        return refuse(QStringLiteral("Give either -o or --printer, not both."));
    card = files.constFirst();
    return true;
}
