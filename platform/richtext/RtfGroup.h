#pragma once
// Finds where an RTF group ends without reading what it holds, following braces, escaped
// characters and "\bin" data exactly as RtfReader does, so that a group kept as bytes
// reads back as the same group. Linear in the group's length; no depth limit.
#include <QByteArrayView>

namespace platform {

class RtfGroup {
  public:
    // The position just after the "}" that closes the group whose content starts at `from`
    // (one level deep), or -1 when the data ends before it.
    static qsizetype end(QByteArrayView rtf, qsizetype from);
    // A control word's numeric parameter from `pos` (an optional "-", then digits), moving
    // `pos` past it and the one space that may end it; `hasParam` tells whether there was one.
    static int parameter(QByteArrayView rtf, qsizetype& pos, bool* hasParam = nullptr);
    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    // The value of a hexadecimal digit, -1 for another character.
    static int hexValue(char c) {
        if (isDigit(c)) return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }
};

} // namespace platform
