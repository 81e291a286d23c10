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
    float Height = 2.0f;
    float Width = 3.5f;
    qint32 Across = 2;
    qint32 Down = 5;
    float TopMargin = 0.5f;
    float LeftMargin = 0.75f;
    float HPitch = 3.5f;
    float VPitch = 2.0f;
    qint32 PredefLayout = 0;
    qint32 Papersize = 1; // the printer's paper code: 1 Letter, 9 A4
    bool UseMM = false;

    static constexpr qint32 MaxAcross = 10;
    static constexpr qint32 MaxDown = 30;
    static constexpr qint32 PaperLetter = 1;
    static constexpr qint32 PaperA4 = 9;

    struct TPredefinedLayout {
        const char* name;
        float Width, Height, HPitch, VPitch, TopMargin, LeftMargin;
        qint32 Papersize; // every stock has 2 across and 5 down
    };
    static constexpr int PredefinedCount = 14;
    static const std::array<TPredefinedLayout, PredefinedCount>& predefinedLayouts();
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
