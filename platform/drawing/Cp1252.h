#pragma once
// Code page 1252, the 8-bit text of card files: Latin-1 except for 0x80..0x9F.
#include <QByteArray>
#include <QString>

#include <optional>

namespace platform {

class Cp1252 {
  public:
    static QString decode(QByteArrayView bytes);
    // nullopt when a character has no code in the page.
    static std::optional<QByteArray> encode(const QString& text);
};

} // namespace platform
