#include "TPreferences.h"

#include "document/TGBusinessCardPanel32.h"
#include "document/TGFont.h"
#include "platform/IniFile.h"
#include "platform/PreferencesFile.h"

namespace {
const QString kPrinter = QStringLiteral("Printer");
const QString kPersonal = QStringLiteral("Personal");
const QString kFont = QStringLiteral("Default Font");
const QString kLayout = QStringLiteral("Layout");
constexpr int kMaxFontName = 255;
constexpr int kMaxFontSize = 1638; // the largest size the platform's font dialog takes

// The layout's lengths, in the order the file lists them.
struct LengthKey {
    QString key;
    float TCardLayout::*field;
};
const std::array<LengthKey, 6>& lengthKeys()
{
    static const std::array<LengthKey, 6> keys = {{
        {QStringLiteral("Height"), &TCardLayout::Height},
        {QStringLiteral("Width"), &TCardLayout::Width},
        {QStringLiteral("TopMargin"), &TCardLayout::TopMargin},
        {QStringLiteral("LeftMargin"), &TCardLayout::LeftMargin},
        {QStringLiteral("HPitch"), &TCardLayout::HPitch},
        {QStringLiteral("VPitch"), &TCardLayout::VPitch},
    }};
    return keys;
}
} // namespace

const std::array<QString, TPreferences::PersonalCount>& TPreferences::personalKeys()
{
    static const std::array<QString, PersonalCount> keys = {
        QStringLiteral("Name"),     QStringLiteral("Company"),  QStringLiteral("Title"),
        QStringLiteral("Address1"), QStringLiteral("Address2"), QStringLiteral("Address3"),
        QStringLiteral("Phone1"),   QStringLiteral("Phone2"),   QStringLiteral("Email"),
        QStringLiteral("Fax")};
    return keys;
}

void TPreferences::read(const platform::IniFile& ini)
{
    const TPreferences defaults;

    TopMarginNudge = ini.readInteger(kPrinter, QStringLiteral("TopMarginNudge"), 0);
    LeftMarginNudge = ini.readInteger(kPrinter, QStringLiteral("LeftMarginNudge"), 0);
    VerticalSpacing = ini.readInteger(kPrinter, QStringLiteral("VerticalSpacing"), 0);
    HorizontalSpacing = ini.readInteger(kPrinter, QStringLiteral("HorizontalSpacing"), 0);
    ShowBottomMarginWarning = ini.readBool(kPrinter, QStringLiteral("ShowBottomMarginWarning"),
                                           defaults.ShowBottomMarginWarning);

    for (int i = 0; i < PersonalCount; ++i)
        Personal[size_t(i)] = ini.readString(kPersonal, personalKeys()[size_t(i)], QString());

    const TCardLayout d = defaults.Layout;
    for (const LengthKey& k : lengthKeys()) {
        Layout.*k.field = TCardLayout::fromThousandths(
            ini.readInteger(kLayout, k.key, TCardLayout::toThousandths(d.*k.field)));
    }
    Layout.PredefLayout = ini.readInteger(kLayout, QStringLiteral("PredefLayout"), d.PredefLayout);
    Layout.Papersize = ini.readInteger(kLayout, QStringLiteral("Papersize"), d.Papersize);
    Layout.Across = ini.readInteger(kLayout, QStringLiteral("Across"), d.Across);
    Layout.Down = ini.readInteger(kLayout, QStringLiteral("Down"), d.Down);
    Layout.UseMM = ini.readBool(kLayout, QStringLiteral("UseMM"), d.UseMM);
    // Values the layout dialog can never produce would break the surface and the printer's
    // position tables (a card wider than the paper, a hundred cards across). Mending one
    // value would leave the others describing another stock (cards overlapping or drifting
    // off the sheet), so a hand-edited or damaged layout gives the default layout as a whole.
    LayoutReplaced = Layout.Across < 1 || Layout.Across > TCardLayout::MaxAcross ||
                     Layout.Down < 1 || Layout.Down > TCardLayout::MaxDown ||
                     !Layout.cardFitsSheet();
    if (LayoutReplaced) {
        const bool useMM = Layout.UseMM; // the unit is the user's choice, not the stock's
        Layout = d;
        Layout.UseMM = useMM;
    }

    FontName = ini.readString(kFont, QStringLiteral("Name"), defaults.FontName).left(kMaxFontName);
    FontSize = ini.readInteger(kFont, QStringLiteral("Size"), defaults.FontSize);
    if (FontSize < 1 || FontSize > kMaxFontSize) FontSize = defaults.FontSize;
    FontBold = ini.readBool(kFont, QStringLiteral("Bold"), false);
    FontItalic = ini.readBool(kFont, QStringLiteral("Italic"), false);
    FontUnderline = ini.readBool(kFont, QStringLiteral("Underline"), false);
}

void TPreferences::write(platform::IniFile& ini) const
{
    ini.writeInteger(kPrinter, QStringLiteral("TopMarginNudge"), TopMarginNudge);
    ini.writeInteger(kPrinter, QStringLiteral("LeftMarginNudge"), LeftMarginNudge);
    ini.writeInteger(kPrinter, QStringLiteral("VerticalSpacing"), VerticalSpacing);
    ini.writeInteger(kPrinter, QStringLiteral("HorizontalSpacing"), HorizontalSpacing);

    for (int i = 0; i < PersonalCount; ++i)
        ini.writeString(kPersonal, personalKeys()[size_t(i)], Personal[size_t(i)]);

    ini.writeBool(kPrinter, QStringLiteral("ShowBottomMarginWarning"), ShowBottomMarginWarning);

    ini.writeString(kFont, QStringLiteral("Name"), FontName);
    ini.writeInteger(kFont, QStringLiteral("Size"), FontSize);
    ini.writeBool(kFont, QStringLiteral("Bold"), FontBold);
    ini.writeBool(kFont, QStringLiteral("Italic"), FontItalic);
    ini.writeBool(kFont, QStringLiteral("Underline"), FontUnderline);

    for (const LengthKey& k : lengthKeys())
        ini.writeInteger(kLayout, k.key, TCardLayout::toThousandths(Layout.*k.field));
    ini.writeInteger(kLayout, QStringLiteral("PredefLayout"), Layout.PredefLayout);
    ini.writeInteger(kLayout, QStringLiteral("Papersize"), Layout.Papersize);
    ini.writeInteger(kLayout, QStringLiteral("Across"), Layout.Across);
    ini.writeInteger(kLayout, QStringLiteral("Down"), Layout.Down);
    ini.writeBool(kLayout, QStringLiteral("UseMM"), Layout.UseMM);
}

QString TPreferences::layoutReplacedMessage()
{
    return QStringLiteral("The card layout stored in ORL.INI is not valid. The default layout "
                          "(3.5 x 2.0 inch cards, 2 across and 5 down on Letter paper) is used "
                          "instead.");
}

TPreferences TPreferences::LoadPreferences()
{
    TPreferences p;
    p.read(platform::PreferencesFile::read());
    return p;
}

bool TPreferences::SavePreferences() const
{
    platform::IniFile ini = platform::PreferencesFile::read();
    write(ini);
    return platform::PreferencesFile::write(ini);
}

void TPreferences::applyFont(TGFont& f) const
{
    f.setName(FontName.left(kMaxFontName));
    f.setSize(FontSize);
    Gdi::TFontStyles style = f.style();
    style.setFlag(Gdi::fsBold, FontBold);
    style.setFlag(Gdi::fsItalic, FontItalic);
    style.setFlag(Gdi::fsUnderline, FontUnderline);
    f.setStyle(style);
}

void TPreferences::applyPersonalInfo(TGBusinessCardPanel32& surface) const
{
    for (int i = 0; i < PersonalCount; ++i) surface.setPersonalInfo(i, Personal[size_t(i)]);
}

void TPreferences::applyTo(TGBusinessCardPanel32& surface) const
{
    applyFont(surface.font());
    applyPersonalInfo(surface);
}
