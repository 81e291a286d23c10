#pragma once
// A colour as card files store it: red in the low byte, green in the second, blue in the
// third; 0x80000000 + k names system colour k. A distinct type (not a bare int) so that
// the card file writer can tell colour properties from integers through Qt's meta-types.
#include <QColor>
#include <QMetaType>
#include <QtGlobal>

struct TColor {
    qint32 value = 0;
    constexpr TColor(qint32 v = 0) : value(v) {}
    constexpr operator qint32() const { return value; }
    friend constexpr bool operator==(TColor a, TColor b) { return a.value == b.value; }

    static constexpr qint32 clBlack = 0x000000;
    static constexpr qint32 clGreen = 0x008000;
    static constexpr qint32 clGray = 0x808080;
    static constexpr qint32 clSilver = 0xC0C0C0;
    static constexpr qint32 clRed = 0x0000FF;
    static constexpr qint32 clWhite = 0xFFFFFF;
    static constexpr qint32 clNone = 0x1FFFFFFF;

    // The colour to draw with; system colours come from the application palette.
    QColor toQColor() const;
    static TColor fromQColor(const QColor& c);
};
Q_DECLARE_METATYPE(TColor)

// A cursor identifier (0 = default) as card files store it.
struct TCursor {
    qint32 value = 0;
    constexpr TCursor(qint32 v = 0) : value(v) {}
    constexpr operator qint32() const { return value; }
    friend constexpr bool operator==(TCursor a, TCursor b) { return a.value == b.value; }
};
Q_DECLARE_METATYPE(TCursor)
