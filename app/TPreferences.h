#pragma once
// The settings the main window keeps in the preferences file: the print settings (card
// layout, printer fine-tuning offsets, the bottom-margin warning), personal information and
// the default font.
// Read and written as a whole; keys that are missing or unreadable give the defaults.
#include "printing/TPrintSettings.h"

#include <QString>

#include <array>

class TGBusinessCardPanel32;
class TGFont;
namespace platform {
class IniFile;
}

class TPreferences {
  public:
    static constexpr int personalCount = 10;
    // The keys of the personal information, in the order the design surface takes them.
    static const std::array<QString, personalCount>& personalKeys();

    TPrintSettings print;
    // Name, Company, Title, Address1, Address2, Address3, Phone1, Phone2, Email, Fax.
    std::array<QString, personalCount> personal;
    // The design surface's font, which new text objects take.
    QString fontName = QStringLiteral("Arial"); // at most 255 characters
    qint32 fontSize = 10;                       // points
    bool fontBold = false;
    bool fontItalic = false;
    bool fontUnderline = false;
    // True when the file's layout was invalid and the print settings hold the default layout
    // instead.
    bool layoutReplaced = false;
    // What the user is told once when that happens.
    static QString layoutReplacedMessage();

    // The default font's face, size and style into a font (its colour and pitch stay).
    void applyFont(TGFont& font) const;
    void applyPersonalInfo(TGBusinessCardPanel32& surface) const;
    // Both, as the window and the command line prepare the card surface before a card is
    // read: objects without a font of their own show the default font.
    void applyTo(TGBusinessCardPanel32& surface) const;

    void read(const platform::IniFile& ini);
    void write(platform::IniFile& ini) const;

    // Everything as the preferences file holds it now (defaults where it holds nothing).
    static TPreferences loadPreferences();
    // Writes these settings into the preferences file, keeping its other sections. False
    // when the file could not be written (the user has been told).
    bool savePreferences() const;

    bool operator==(const TPreferences&) const = default;
};
