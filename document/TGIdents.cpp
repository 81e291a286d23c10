#include "TGIdents.h"

namespace {
struct Ident {
    qint32 value;
    const char* name;
};

constexpr qint32 sys = qint32(0x80000000u);

constexpr Ident colors[] = {{0x000000, "clBlack"},         {0x000080, "clMaroon"},
                            {0x008000, "clGreen"},         {0x008080, "clOlive"},
                            {0x800000, "clNavy"},          {0x800080, "clPurple"},
                            {0x808000, "clTeal"},          {0x808080, "clGray"},
                            {0xC0C0C0, "clSilver"},        {0x0000FF, "clRed"},
                            {0x00FF00, "clLime"},          {0x00FFFF, "clYellow"},
                            {0xFF0000, "clBlue"},          {0xFF00FF, "clFuchsia"},
                            {0xFFFF00, "clAqua"},          {0xFFFFFF, "clWhite"},
                            {sys + 0, "clScrollBar"},      {sys + 1, "clBackground"},
                            {sys + 2, "clActiveCaption"},  {sys + 3, "clInactiveCaption"},
                            {sys + 4, "clMenu"},           {sys + 5, "clWindow"},
                            {sys + 6, "clWindowFrame"},    {sys + 7, "clMenuText"},
                            {sys + 8, "clWindowText"},     {sys + 9, "clCaptionText"},
                            {sys + 10, "clActiveBorder"},  {sys + 11, "clInactiveBorder"},
                            {sys + 12, "clAppWorkSpace"},  {sys + 13, "clHighlight"},
                            {sys + 14, "clHighlightText"}, {sys + 15, "clBtnFace"},
                            {sys + 16, "clBtnShadow"},     {sys + 17, "clGrayText"},
                            {sys + 18, "clBtnText"},       {sys + 19, "clInactiveCaptionText"},
                            {sys + 20, "clBtnHighlight"},  {sys + 21, "cl3DDkShadow"},
                            {sys + 22, "cl3DLight"},       {sys + 23, "clInfoText"},
                            {sys + 24, "clInfoBk"},        {0x1FFFFFFF, "clNone"}};

constexpr Ident cursors[] = {
    {0, "crDefault"},     {-1, "crNone"},     {-2, "crArrow"},      {-3, "crCross"},
    {-4, "crIBeam"},      {-6, "crSizeNESW"}, {-7, "crSizeNS"},     {-8, "crSizeNWSE"},
    {-9, "crSizeWE"},     {-10, "crUpArrow"}, {-11, "crHourGlass"}, {-12, "crDrag"},
    {-13, "crNoDrop"},    {-14, "crHSplit"},  {-15, "crVSplit"},    {-16, "crMultiDrag"},
    {-17, "crSQLWait"},   {-18, "crNo"},      {-19, "crAppStart"},  {-20, "crHelp"},
    {-21, "crHandPoint"}, {-22, "crSizeAll"}};

template <size_t N> QByteArray nameOf(const Ident (&table)[N], qint32 value) {
    for (const Ident& i : table)
        if (i.value == value) return QByteArray(i.name);
    return {};
}

// Identifiers are matched without regard to case, as the format's reader always has.
template <size_t N> std::optional<qint32> valueOf(const Ident (&table)[N], QByteArrayView name) {
    for (const Ident& i : table)
        if (name.compare(QByteArrayView(i.name), Qt::CaseInsensitive) == 0) return i.value;
    return std::nullopt;
}
} // namespace

QByteArray TGIdents::colorName(qint32 value) {
    return nameOf(colors, value);
}
std::optional<qint32> TGIdents::colorValue(QByteArrayView name) {
    return valueOf(colors, name);
}
QByteArray TGIdents::cursorName(qint32 value) {
    return nameOf(cursors, value);
}
std::optional<qint32> TGIdents::cursorValue(QByteArrayView name) {
    return valueOf(cursors, name);
}
