#include "platform/report/PdfFontText.h"

#include "platform/drawing/GlyphCharacters.h"
#include "platform/report/PdfModule.h"

#include <QRawFont>
#include <QRegularExpression>
#include <QtEndian>

#include <functional>
#include <set>

namespace platform {

namespace {

// Returns the font's ToUnicode map completed, or empty to leave it as it is.
using Completer = std::function<QByteArray(const QByteArray& cmap, const QByteArray& fontFile)>;
using Complete = bool (*)(const QByteArray&, const Completer&, QByteArray&, QString&);

// The glyphs (character codes) a ToUnicode map gives characters for, in its bfchar and
// bfrange sections: every line of those starts with the code, or the first and last code.
std::set<int> mappedGlyphs(const QByteArray& cmap) {
    static const QRegularExpression section(QStringLiteral("begin(bfchar|bfrange)(.*?)end\\1"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression entry(
        QStringLiteral("^\\s*<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>"),
        QRegularExpression::MultilineOption);
    std::set<int> mapped;
    const QString text = QString::fromLatin1(cmap);
    for (const QRegularExpressionMatch& s : section.globalMatch(text)) {
        const bool range = s.captured(1) == QLatin1String("bfrange");
        for (const QRegularExpressionMatch& e : entry.globalMatch(s.captured(2))) {
            const int first = e.captured(1).toInt(nullptr, 16);
            const int last = range ? e.captured(2).toInt(nullptr, 16) : first;
            for (int g = first; g <= last && g - first < 0x10000; ++g)
                mapped.insert(g);
        }
    }
    return mapped;
}

int glyphCount(const QByteArray& fontFile) {
    const QByteArray maxp = QRawFont(fontFile, 12).fontTable("maxp");
    return maxp.size() >= 6 ? qFromBigEndian<quint16>(maxp.constData() + 4) : 0;
}

// A code of the map: four hex digits.
QByteArray code(int unit) {
    return QByteArray::number(unit, 16).rightJustified(4, '0').toUpper();
}

// bfchar sections (at most 100 entries each) giving the glyphs their characters.
QByteArray bfchar(const std::map<int, char32_t>& characters) {
    QByteArray out;
    auto it = characters.begin();
    while (it != characters.end()) {
        QByteArray entries;
        int n = 0;
        for (; it != characters.end() && n < 100; ++it, ++n) {
            entries += '<' + code(it->first) + "> <";
            for (QChar unit : QString::fromUcs4(&it->second, 1))
                entries += code(unit.unicode());
            entries += ">\n";
        }
        out += QByteArray::number(n) + " beginbfchar\n" + entries + "endbfchar\n";
    }
    return out;
}

} // namespace

QByteArray PdfFontText::completedMap(const QByteArray& cmap, const QByteArray& fontFile) {
    const qsizetype end = cmap.lastIndexOf("endcmap");
    if (end < 0) return {};
    const std::set<int> mapped = mappedGlyphs(cmap);
    std::vector<int> missing;
    for (int g = 1, n = glyphCount(fontFile); g < n; ++g)
        if (!mapped.count(g)) missing.push_back(g);
    if (missing.empty()) return {};
    const std::map<int, char32_t> characters = GlyphCharacters::aboveBmp(fontFile, missing);
    if (characters.empty()) return {};
    return cmap.left(end) + bfchar(characters) + cmap.mid(end);
}

void PdfFontText::complete(QByteArray& pdf) {
    // The toolkit writes its dictionaries uncompressed: a PDF without text has no map.
    if (!pdf.contains("/ToUnicode")) return;
    const auto run = reinterpret_cast<Complete>(PdfModule::resolve("orlantoCompleteFontText"));
    QByteArray completed;
    QString unread;
    if (run && run(pdf, &PdfFontText::completedMap, completed, unread) && !completed.isEmpty())
        pdf = completed;
}

} // namespace platform
