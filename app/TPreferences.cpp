#include "TPreferences.h"

#include "document/TGBusinessCardPanel32.h"
#include "document/TGFont.h"
#include "platform/system/IniFile.h"
#include "platform/system/PreferencesFile.h"

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
const std::array<LengthKey, 6>& lengthKeys() {
    static const std::array<LengthKey, 6> keys = {{
        {QStringLiteral("Height"), &TCardLayout::height},
        {QStringLiteral("Width"), &TCardLayout::width},
        {QStringLiteral("TopMargin"), &TCardLayout::topMargin},
        {QStringLiteral("LeftMargin"), &TCardLayout::leftMargin},
        {QStringLiteral("HPitch"), &TCardLayout::hPitch},
        {QStringLiteral("VPitch"), &TCardLayout::vPitch},
    }};
    return keys;
}

// The fine-tuning offsets, in the order the file lists them.
struct OffsetKey {
    QString key;
    qint32 TFineTuneOffsets::*field;
};
const std::array<OffsetKey, 4>& offsetKeys() {
    static const std::array<OffsetKey, 4> keys = {{
        {QStringLiteral("TopMarginNudge"), &TFineTuneOffsets::topMarginNudge},
        {QStringLiteral("LeftMarginNudge"), &TFineTuneOffsets::leftMarginNudge},
        {QStringLiteral("VerticalSpacing"), &TFineTuneOffsets::verticalSpacing},
        {QStringLiteral("HorizontalSpacing"), &TFineTuneOffsets::horizontalSpacing},
    }};
    return keys;
}
} // namespace

const std::array<QString, TPreferences::personalCount>& TPreferences::personalKeys() {
    static const std::array<QString, personalCount> keys = {
        QStringLiteral("Name"),     QStringLiteral("Company"),  QStringLiteral("Title"),
        QStringLiteral("Address1"), QStringLiteral("Address2"), QStringLiteral("Address3"),
        QStringLiteral("Phone1"),   QStringLiteral("Phone2"),   QStringLiteral("Email"),
        QStringLiteral("Fax")};
    return keys;
}

void TPreferences::read(const platform::IniFile& ini) {
    const TPreferences defaults;

    for (const OffsetKey& k : offsetKeys())
        print.offsets.*k.field = ini.readInteger(kPrinter, k.key, 0);
    print.showBottomMarginWarning =
        ini.readBool(kPrinter, QStringLiteral("ShowBottomMarginWarning"),
                     defaults.print.showBottomMarginWarning);

    for (int i = 0; i < personalCount; ++i)
        personal[size_t(i)] = ini.readString(kPersonal, personalKeys()[size_t(i)], QString());

    TCardLayout& layout = print.layout;
    const TCardLayout d = defaults.print.layout;
    for (const LengthKey& k : lengthKeys()) {
        layout.*k.field = TCardLayout::fromThousandths(
            ini.readInteger(kLayout, k.key, TCardLayout::toThousandths(d.*k.field)));
    }
    layout.predefLayout = ini.readInteger(kLayout, QStringLiteral("PredefLayout"), d.predefLayout);
    layout.papersize = ini.readInteger(kLayout, QStringLiteral("Papersize"), d.papersize);
    layout.across = ini.readInteger(kLayout, QStringLiteral("Across"), d.across);
    layout.down = ini.readInteger(kLayout, QStringLiteral("Down"), d.down);
    layout.useMM = ini.readBool(kLayout, QStringLiteral("UseMM"), d.useMM);
    // Values the layout dialog can never produce would break the surface and the printer's
    // position tables (a card wider than the paper, a hundred cards across). Mending one
    // value would leave the others describing another stock (cards overlapping or drifting
    // off the sheet), so a hand-edited or damaged layout gives the default layout as a whole.
    layoutReplaced = layout.across < 1 || layout.across > TCardLayout::maxAcross ||
                     layout.down < 1 || layout.down > TCardLayout::maxDown ||
                     !layout.cardFitsSheet();
    if (layoutReplaced) {
        const bool useMM = layout.useMM; // the unit is the user's choice, not the stock's
        layout = d;
        layout.useMM = useMM;
    }

    fontName = ini.readString(kFont, QStringLiteral("Name"), defaults.fontName).left(kMaxFontName);
    fontSize = ini.readInteger(kFont, QStringLiteral("Size"), defaults.fontSize);
    if (fontSize < 1 || fontSize > kMaxFontSize) fontSize = defaults.fontSize;
    fontBold = ini.readBool(kFont, QStringLiteral("Bold"), false);
    fontItalic = ini.readBool(kFont, QStringLiteral("Italic"), false);
    fontUnderline = ini.readBool(kFont, QStringLiteral("Underline"), false);
}

void TPreferences::write(platform::IniFile& ini) const {
    for (const OffsetKey& k : offsetKeys())
        ini.writeInteger(kPrinter, k.key, print.offsets.*k.field);

    for (int i = 0; i < personalCount; ++i)
        ini.writeString(kPersonal, personalKeys()[size_t(i)], personal[size_t(i)]);

    ini.writeBool(kPrinter, QStringLiteral("ShowBottomMarginWarning"),
                  print.showBottomMarginWarning);

    ini.writeString(kFont, QStringLiteral("Name"), fontName);
    ini.writeInteger(kFont, QStringLiteral("Size"), fontSize);
    ini.writeBool(kFont, QStringLiteral("Bold"), fontBold);
    ini.writeBool(kFont, QStringLiteral("Italic"), fontItalic);
    ini.writeBool(kFont, QStringLiteral("Underline"), fontUnderline);

    const TCardLayout& layout = print.layout;
    for (const LengthKey& k : lengthKeys())
        ini.writeInteger(kLayout, k.key, TCardLayout::toThousandths(layout.*k.field));
    ini.writeInteger(kLayout, QStringLiteral("PredefLayout"), layout.predefLayout);
    ini.writeInteger(kLayout, QStringLiteral("Papersize"), layout.papersize);
    ini.writeInteger(kLayout, QStringLiteral("Across"), layout.across);
    ini.writeInteger(kLayout, QStringLiteral("Down"), layout.down);
    ini.writeBool(kLayout, QStringLiteral("UseMM"), layout.useMM);
}

QString TPreferences::layoutReplacedMessage() {
    return QStringLiteral("The card layout stored in ORL.INI is not valid. The default layout "
                          "(3.5 x 2.0 inch cards, 2 across and 5 down on Letter paper) is used "
                          "instead.");
}

TPreferences TPreferences::loadPreferences() {
    TPreferences p;
    p.read(platform::PreferencesFile::read());
    return p;
}

bool TPreferences::savePreferences() const {
    platform::IniFile ini = platform::PreferencesFile::read();
    write(ini);
    return platform::PreferencesFile::write(ini);
}

void TPreferences::applyFont(TGFont& f) const {
    f.setName(fontName.left(kMaxFontName));
    f.setSize(fontSize);
    Gdi::TFontStyles style = f.style();
    style.setFlag(Gdi::fsBold, fontBold);
    style.setFlag(Gdi::fsItalic, fontItalic);
    style.setFlag(Gdi::fsUnderline, fontUnderline);
    f.setStyle(style);
}

void TPreferences::applyPersonalInfo(TGBusinessCardPanel32& surface) const {
    for (int i = 0; i < personalCount; ++i)
        surface.setPersonalInfo(i, personal[size_t(i)]);
}

void TPreferences::applyTo(TGBusinessCardPanel32& surface) const {
    applyFont(surface.font());
    applyPersonalInfo(surface);
}
