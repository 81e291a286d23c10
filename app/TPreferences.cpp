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

// The fine-tuning offsets, in the order the file lists them.
struct OffsetKey {
    QString key;
    qint32 TFineTuneOffsets::*field;
};
const std::array<OffsetKey, 4>& offsetKeys()
{
    static const std::array<OffsetKey, 4> keys = {{
        {QStringLiteral("TopMarginNudge"), &TFineTuneOffsets::TopMarginNudge},
        {QStringLiteral("LeftMarginNudge"), &TFineTuneOffsets::LeftMarginNudge},
        {QStringLiteral("VerticalSpacing"), &TFineTuneOffsets::VerticalSpacing},
        {QStringLiteral("HorizontalSpacing"), &TFineTuneOffsets::HorizontalSpacing},
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

    for (const OffsetKey& k : offsetKeys())
        print.offsets.*k.field = ini.readInteger(kPrinter, k.key, 0);
    print.ShowBottomMarginWarning = ini.readBool(kPrinter, QStringLiteral("ShowBottomMarginWarning"),
                                                 defaults.print.ShowBottomMarginWarning);

    for (int i = 0; i < PersonalCount; ++i)
        Personal[size_t(i)] = ini.readString(kPersonal, personalKeys()[size_t(i)], QString());

    TCardLayout& layout = print.layout;
    const TCardLayout d = defaults.print.layout;
    for (const LengthKey& k : lengthKeys()) {
        layout.*k.field = TCardLayout::fromThousandths(
            ini.readInteger(kLayout, k.key, TCardLayout::toThousandths(d.*k.field)));
    }
    layout.PredefLayout = ini.readInteger(kLayout, QStringLiteral("PredefLayout"), d.PredefLayout);
    layout.Papersize = ini.readInteger(kLayout, QStringLiteral("Papersize"), d.Papersize);
    layout.Across = ini.readInteger(kLayout, QStringLiteral("Across"), d.Across);
    layout.Down = ini.readInteger(kLayout, QStringLiteral("Down"), d.Down);
    layout.UseMM = ini.readBool(kLayout, QStringLiteral("UseMM"), d.UseMM);
    // Values the layout dialog can never produce would break the surface and the printer's
    // position tables (a card wider than the paper, a hundred cards across). Mending one
    // value would leave the others describing another stock (cards overlapping or drifting
    // off the sheet), so a hand-edited or damaged layout gives the default layout as a whole.
    LayoutReplaced = layout.Across < 1 || layout.Across > TCardLayout::MaxAcross ||
                     layout.Down < 1 || layout.Down > TCardLayout::MaxDown ||
                     !layout.cardFitsSheet();
    if (LayoutReplaced) {
        const bool useMM = layout.UseMM; // the unit is the user's choice, not the stock's
        layout = d;
        layout.UseMM = useMM;
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
    for (const OffsetKey& k : offsetKeys())
        ini.writeInteger(kPrinter, k.key, print.offsets.*k.field);

    for (int i = 0; i < PersonalCount; ++i)
        ini.writeString(kPersonal, personalKeys()[size_t(i)], Personal[size_t(i)]);

    ini.writeBool(kPrinter, QStringLiteral("ShowBottomMarginWarning"), print.ShowBottomMarginWarning);

    ini.writeString(kFont, QStringLiteral("Name"), FontName);
    ini.writeInteger(kFont, QStringLiteral("Size"), FontSize);
    ini.writeBool(kFont, QStringLiteral("Bold"), FontBold);
    ini.writeBool(kFont, QStringLiteral("Italic"), FontItalic);
    ini.writeBool(kFont, QStringLiteral("Underline"), FontUnderline);

    const TCardLayout& layout = print.layout;
    for (const LengthKey& k : lengthKeys())
        ini.writeInteger(kLayout, k.key, TCardLayout::toThousandths(layout.*k.field));
    ini.writeInteger(kLayout, QStringLiteral("PredefLayout"), layout.PredefLayout);
    ini.writeInteger(kLayout, QStringLiteral("Papersize"), layout.Papersize);
    ini.writeInteger(kLayout, QStringLiteral("Across"), layout.Across);
    ini.writeInteger(kLayout, QStringLiteral("Down"), layout.Down);
    ini.writeBool(kLayout, QStringLiteral("UseMM"), layout.UseMM);
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
