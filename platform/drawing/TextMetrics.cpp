#include "platform/drawing/TextMetrics.h"

#include "platform/drawing/SymbolFonts.h"

#include <algorithm>
#include <limits>

namespace platform {

TextMetrics::TextMetrics(const GdiFont& font)
    : face_(font.name), font_(font.toQFont()), fm_(font_) {
    tmAscent = fm_.ascent();
    tmDescent = fm_.descent();
    tmHeight = tmAscent + tmDescent;
    tmInternalLeading = tmHeight - font_.pixelSize();
    tmExternalLeading = std::max(0, fm_.leading());
    tmAveCharWidth = fm_.averageCharWidth();
}

QString TextMetrics::shown(const QString& text) const {
    return SymbolFonts::displayText(face_, text);
}

qsizetype TextMetrics::pieceEnd(const QString& text, qsizetype from) {
    qsizetype end = std::min(text.size(), from + maxPiece);
    if (end < text.size() && text.at(end - 1).isHighSurrogate()) --end;
    return end;
}

QStringList TextMetrics::pieces(const QString& text) {
    QStringList out;
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype end = pieceEnd(text, at);
        out << text.mid(at, end - at);
        at = end;
    }
    return out;
}

int TextMetrics::shownWidth(const QString& shown) const {
    if (shown.size() <= maxPiece) return fm_.horizontalAdvance(shown);
    qint64 w = 0;
    for (const QString& piece : pieces(shown))
        w += fm_.horizontalAdvance(piece);
    return int(std::min<qint64>(w, std::numeric_limits<int>::max()));
}

int TextMetrics::textWidth(const QString& text) const {
    return shownWidth(shown(text));
}

qsizetype TextMetrics::charactersWithin(const QString& text, qint64 length) const {
    // A text of one piece is wanted whole whatever its width, so it is not measured.
    if (text.size() <= maxPiece) return text.size();
    qint64 width = 0;
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype end = pieceEnd(text, at);
        width += shownWidth(shown(text.mid(at, end - at)));
        // The piece after the one that reaches the length, for the kerning and any
        // overhang of its first characters.
        if (width > length) return pieceEnd(text, end);
        at = end;
    }
    return text.size();
}

QStringList TextMetrics::wrapLine(const QString& line, int width) const {
    QStringList out;
    const qsizetype n = line.size();
    qsizetype start = 0;
    do {
        // The longest run of whole words from start that fits, with the spaces after it.
        qsizetype end = start;
        for (qsizetype i = start; i < n;) {
            qsizetype j = i;
            while (j < n && line[j] != QLatin1Char(' '))
                ++j;
            // A piece of more than four characters a pixel cannot fit; leaving it
            // unmeasured keeps a very long word from being measured once per line.
            if (j > start && (j - start > 4 * qint64(std::max(width, 0)) + 4 ||
                              textWidth(line.mid(start, j - start)) > width))
                break;
            while (j < n && line[j] == QLatin1Char(' '))
                ++j;
            end = i = j;
        }
        if (end == start && start < n) {
            // A word wider than the line: as many characters as fit, at least one.
            end = start + 1;
            while (end < n && textWidth(line.mid(start, end + 1 - start)) <= width)
                ++end;
            if (end < n && line[end].isLowSurrogate()) ++end;
        }
        out << line.mid(start, end - start);
        start = end;
    } while (start < n);
    return out;
}

} // namespace platform
