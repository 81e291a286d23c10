#include "TCardLayout.h"

#include <algorithm>
#include <climits>
#include <cmath>

const std::array<TCardLayout::TPredefinedLayout, TCardLayout::predefinedCount>&
TCardLayout::predefinedLayouts() {
    static const std::array<TPredefinedLayout, predefinedCount> table = {{
        {"Avery Business Card 5371 (Letter Size Paper)", 3.5f, 2.0f, 3.5f, 2.0f, 0.5f, 0.75f, 1},
        {"Avery Business Card 5372 (Letter Size Paper)", 3.5f, 2.0f, 3.5f, 2.0f, 0.5f, 0.75f, 1},
        {"Avery Business Card 5376 - Ivory (Letter Size Paper)", 3.5f, 2.0f, 3.5f, 2.0f, 0.5f,
         0.75f, 1},
        {"Avery Business Card 5377 - Gray (Letter Size Paper)", 3.5f, 2.0f, 3.5f, 2.0f, 0.5f, 0.75f,
         1},
        {"Avery Business Card 5911 (Letter Size Paper)", 3.5f, 2.0f, 3.5f, 2.0f, 0.5f, 0.75f, 1},
        {"Avery Business Card 8371 Ink Jet (Letter Size Paper)", 3.5f, 2.0f, 3.5f, 2.0f, 0.5f,
         0.75f, 1},
        {"Avery Business Card 8372 Ink Jet (Letter Size Paper)", 3.5f, 2.0f, 3.5f, 2.0f, 0.5f,
         0.75f, 1},
        {"Avery Business Card 8376 Ink Jet - Ivory (Letter Size Paper)", 3.5f, 2.0f, 3.5f, 2.0f,
         0.5f, 0.75f, 1},
        {"Avery Business Card 8377 Ink Jet - Gray (Letter Size Paper)", 3.5f, 2.0f, 3.5f, 2.0f,
         0.5f, 0.75f, 1},
        {"Avery Business Card L7413 (A4 Size Paper)", 3.543f, 2.0f, 3.543f, 2.0f, 0.846f, 0.591f,
         9},
        {"Avery Business Card L7414 (A4 Size Paper)", 3.543f, 2.047f, 3.543f, 2.047f, 0.728f,
         0.591f, 9},
        {"Avery Business Card L7415 (A4 Size Paper)", 3.543f, 2.047f, 3.543f, 2.047f, 0.728f,
         0.591f, 9},
        {"Avery Business Card L7417 (A4 Size Paper)", 3.543f, 2.126f, 3.543f, 2.126f, 0.531f,
         0.591f, 9},
        {"Avery Business Card L7419 (A4)", 3.543f, 2.126f, 3.543f, 2.126f, 0.531f, 0.591f, 9},
    }};
    return table;
}

void TCardLayout::loadPredefined(int index) {
    if (index < 0 || index >= predefinedCount) return;
    const TPredefinedLayout& row = predefinedLayouts()[size_t(index)];
    width = row.width;
    height = row.height;
    across = 2;
    down = 5;
    topMargin = row.topMargin;
    leftMargin = row.leftMargin;
    hPitch = row.hPitch;
    vPitch = row.vPitch;
    papersize = row.papersize;
}

QSizeF TCardLayout::sheetSizeInches(qint32 papersize) {
    if (papersize == paperLetter) return {8.5, 11.0};
    return {double(8.268f), double(11.69f)};
}

qint32 TCardLayout::roundHalfEven(double v) {
    if (std::isnan(v)) return 0;
    // nearbyint rounds halves to even in the default rounding mode.
    return qint32(std::clamp(std::nearbyint(v), double(INT_MIN), double(INT_MAX)));
}

bool TCardLayout::cardFitsSheet() const {
    const QSizeF sheet = sheetSizeInches(papersize);
    return width >= 0.5 && height >= 0.3 && width <= sheet.width() && height <= sheet.height();
}

QSize TCardLayout::cardPixelSize(int ppi) const {
    return {roundHalfEven(double(width) * ppi), roundHalfEven(double(height) * ppi)};
}
