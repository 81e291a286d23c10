#include "TextMetrics.h"

#include "SymbolFonts.h"

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

QStringList TextMetrics::pieces(const QString& text) {
    QStringList out;
    for (qsizetype i = 0; i < text.size();) {
        qsizetype n = std::min(maxPiece, text.size() - i);
        if (i + n < text.size() && text[i + n - 1].isHighSurrogate()) --n;
        out << text.mid(i, n);
        i += n;
    }
    return out;
}

int TextMetrics::shownWidth(const QString& shown) const {
    if (shown.size() <= maxPiece) return fm_.horizontalAdvance(shown);
    qint64 w = 0;
    for (const QString& piece : pieces(shown)) w += fm_.horizontalAdvance(piece);
    return int(std::min<qint64>(w, std::numeric_limits<int>::max()));
}

int TextMetrics::textWidth(const QString& text) const {
    return shownWidth(shown(text));
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
            while (j < n && line[j] != QLatin1Char(' ')) ++j;
            // A piece of more than four characters a pixel cannot fit; leaving it
            // unmeasured keeps a very long word from being measured once per line.
            if (j > start && (j - start > 4 * qint64(std::max(width, 0)) + 4 ||
                              textWidth(line.mid(start, j - start)) > width))
                break;
            while (j < n && line[j] == QLatin1Char(' ')) ++j;
            end = i = j;
        }
        if (end == start && start < n) {
            // A word wider than the line: as many characters as fit, at least one.
            end = start + 1;
            while (end < n && textWidth(line.mid(start, end + 1 - start)) <= width) ++end;
            if (end < n && line[end].isLowSurrogate()) ++end;
        }
        out << line.mid(start, end - start);
        start = end;
    } while (start < n);
    return out;
}

} // namespace platform
