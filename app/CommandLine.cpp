#include "CommandLine.h"

#include "HeadlessCard.h"
#include "PrintCommand.h"
#include "TPreferences.h"
#include "document/TGFilerError.h"
#include "document/TGLabelObjectFiler.h"
#include "document/TGPropertyCodec.h"
#include "objects/shapes/TGImage.h"
#include "platform/system/HomeFolder.h"
#include "platform/widgets/PrintableText.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {
QString quoted(const QString& s) {
    const QByteArray a = QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(a.mid(1, a.size() - 2));
}

int dump(TGBusinessCardPanel32& surface, QTextStream& out) {
    TGPropertyCodec codec;
    for (const TGGraphicControl* o : surface.objects()) {
        QString line = QStringLiteral("{\"class\":") +
                       quoted(QString::fromLatin1(o->metaObject()->className())) +
                       QStringLiteral(",\"name\":") + quoted(o->objectName());
        std::vector<TGPropertyCodec::Entry> entries;
        codec.collect(*o, TGPropertyCodec::Selection::Published, entries);
        for (const auto& [name, value] : entries)
            line += QLatin1Char(',') + quoted(QString::fromLatin1(name)) + QLatin1Char(':') +
                    CommandLine::json(value);
        // A picture's data is counted in bytes above; its kind and size say what it holds.
        if (const auto* image = qobject_cast<const TGImage*>(o);
            image && !image->graphic().isEmpty()) {
            const platform::Graphic& g = image->graphic();
            line += QStringLiteral(",\"Picture.Kind\":") + quoted(g.className()) +
                    QStringLiteral(",\"Picture.Pixels\":\"%1x%2\"").arg(g.width()).arg(g.height());
            if (g.image().hasAlphaChannel()) line += QStringLiteral(",\"Picture.Alpha\":true");
        }
        out << line << '}' << Qt::endl;
    }
    return 0;
}
} // namespace

bool CommandLine::handles(const QString& command) {
    return command == QLatin1String("dump") || command == QLatin1String("resave");
}

QString CommandLine::usage() {
    return QStringLiteral("usage: orlanto dump CARD.ORL [--home DIR]\n"
                          "       orlanto resave IN.ORL OUT.ORL [--home DIR]");
}

QString CommandLine::programUsage() {
    return QStringLiteral(
               "usage: orlanto [CARD.ORL] [--home DIR]    the designer (needs a display)\n"
               "       orlanto --help | --version\n") +
           usage() + QLatin1Char('\n') + PrintCommand::usage();
}

std::optional<int> CommandLine::windowOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView a(argv[i]);
        if (a == "--help" || a == "-h") {
            QTextStream(stdout) << programUsage();
            return 0;
        }
        if (a == "--version") {
            QTextStream(stdout) << QStringLiteral("orlanto %1").arg(QStringLiteral(ORLANTO_VERSION))
                                << Qt::endl;
            return 0;
        }
        if (a == "--home") {
            ++i;
        } else if (a.startsWith("-") && !a.startsWith("--home=")) {
            QTextStream(stderr)
                << QStringLiteral("Unknown option: %1\n").arg(QString::fromLocal8Bit(a))
                << programUsage();
            return 2;
        }
    }
    return std::nullopt;
}

QString CommandLine::json(const TGValue& v) {
    switch (v.tag) {
    case TGValue::Int8:
    case TGValue::Int16:
    case TGValue::Int32:
        return QString::number(v.integer);
    case TGValue::Extended:
        return QString::number(v.real, 'g', 17);
    case TGValue::False:
        return QStringLiteral("false");
    case TGValue::True:
        return QStringLiteral("true");
    case TGValue::Ident:
        return quoted(QString::fromLatin1(v.bytes));
    case TGValue::String:
    case TGValue::LString:
    case TGValue::Utf8String:
    case TGValue::WString:
        return quoted(v.toText());
    case TGValue::Binary:
        return QString::number(v.bytes.size());
    case TGValue::Set: {
        QStringList names;
        for (const QByteArray& n : v.names)
            names << quoted(QString::fromLatin1(n));
        return QLatin1Char('[') + names.join(QLatin1Char(',')) + QLatin1Char(']');
    }
    case TGValue::List:
    case TGValue::Collection: {
        QStringList items;
        for (const TGValue& item : v.items) {
            if (v.tag == TGValue::List) {
                items << json(item);
                continue;
            }
            QStringList fields;
            for (size_t i = 0; i < item.items.size(); ++i)
                fields << quoted(QString::fromLatin1(item.names.at(i))) + QLatin1Char(':') +
                              json(item.items[i]);
            items << QLatin1Char('{') + fields.join(QLatin1Char(',')) + QLatin1Char('}');
        }
        return QLatin1Char('[') + items.join(QLatin1Char(',')) + QLatin1Char(']');
    }
    case TGValue::Null:
    case TGValue::Nil:
        break;
    }
    return QStringLiteral("null");
}

int CommandLine::run(const QStringList& args) {
    QTextStream out(stdout), err(stderr);
    return run(args, out, err);
}

int CommandLine::run(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const QStringList args = platform::HomeFolder::takeHomeArgument(arguments);
    const QString command = args.value(0);
    const int files = command == QLatin1String("dump")     ? 1
                      : command == QLatin1String("resave") ? 2
                                                           : -1;
    if (files < 0 || args.size() != files + 1) {
        err << usage() << Qt::endl;
        return 2;
    }
    const QString in = args.at(1);
    if (const QString problem = TGLabelObjectFiler::notACardFile(in); !problem.isEmpty()) {
        err << platform::PrintableText::of(problem) << Qt::endl;
        return 1;
    }
    HeadlessCard surface;
    TPreferences::loadPreferences().applyTo(surface);
    try {
        surface.loadCard(in);
        if (files == 1) return dump(surface, out);
        surface.saveCard(args.at(2));
    } catch (const TGFilerError& e) {
        err << platform::PrintableText::of(e.message()) << Qt::endl;
        return 1;
    }
    return 0;
}
