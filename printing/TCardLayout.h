#pragma once
// Where the cards sit on one printed sheet: card size, pitch from card to card, margins of the
// first card, cards across and down, paper size; lengths in inches as single-precision values.
// The defaults are the first predefined label stock. Also the table of predefined stocks and
// the conversions between inches, millimetres, thousandths and screen pixels.
#include <QSize>
#include <QSizeF>
#include <QString>

#include <array>

struct TCardLayout {
    float height = 2.0f;
    float width = 3.5f;
    qint32 across = 2;
    qint32 down = 5;
    float topMargin = 0.5f;
    float leftMargin = 0.75f;
    float hPitch = 3.5f;
    float vPitch = 2.0f;
    qint32 predefLayout = 0;
    qint32 papersize = 1; // the printer's paper code: 1 Letter, 9 A4
    bool useMM = false;

    static constexpr qint32 maxAcross = 10;
    static constexpr qint32 maxDown = 30;
    static constexpr qint32 paperLetter = 1;
    static constexpr qint32 paperA4 = 9;

    struct TPredefinedLayout {
        const char* name;
        float width, height, hPitch, vPitch, topMargin, leftMargin;
        qint32 papersize; // every stock has 2 across and 5 down
    };
    static constexpr int predefinedCount = 14;
    static const std::array<TPredefinedLayout, predefinedCount>& predefinedLayouts();
    // Takes size, counts, margins, pitches and paper of a predefined stock (0 to 13).
    void loadPredefined(int index);

    // The sheet the paper code stands for, in inches (any code but Letter is A4).
    static QSizeF sheetSizeInches(qint32 papersize);

    static double mmToInches(double mm) { return mm * 0.03937007874015748; }
    static double inchesToMm(double inches) { return inches * 25.4; }
    // Rounds to the nearest integer, halves to even, within the range of qint32.
    static qint32 roundHalfEven(double v);
    // Lengths as the preferences file stores them.
    static qint32 toThousandths(float inches) { return roundHalfEven(double(inches) * 1000.0); }
    static float fromThousandths(qint32 thousandths) { return float(thousandths * 0.001); }

    // The card is at least the smallest printable card (0.5 x 0.3 inch) and no larger than
    // its sheet.
    bool cardFitsSheet() const;

    // The card on a screen of `ppi` logical pixels per inch at zoom 1.0.
    QSize cardPixelSize(int ppi) const;

    bool operator==(const TCardLayout&) const = default;
};
