#pragma once
// The 80-bit IEEE extended-precision float of the card file's float tag: a 64-bit
// significand with an explicit integer bit, then the sign and a 15-bit exponent, both
// little-endian. Converted to and from double (rounding to nearest).
#include <QtGlobal>

#include <array>

class TGExtended {
  public:
    using Bytes = std::array<quint8, 10>;
    static double toDouble(const Bytes& b);
    static Bytes fromDouble(double v);
};
