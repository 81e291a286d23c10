#include "TGExtended.h"

#include <cmath>
#include <limits>

namespace {
constexpr int bias = 16383;
}

double TGExtended::toDouble(const Bytes& b) {
    quint64 mantissa = 0;
    for (int i = 7; i >= 0; --i)
        mantissa = (mantissa << 8) | b[size_t(i)];
    const bool negative = b[9] & 0x80;
    const int exponent = ((b[9] & 0x7F) << 8) | b[8];
    double v;
    if (exponent == 0x7FFF) {
        // Infinity has only the integer bit set; anything else is not a number.
        v = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                 : std::numeric_limits<double>::quiet_NaN();
    } else {
        // Denormals have exponent 0 but scale as exponent 1. ldexp saturates to infinity
        // or flushes to zero where double cannot follow.
        const int e = (exponent == 0 ? 1 : exponent) - bias - 63;
        v = std::ldexp(double(mantissa), e);
    }
    return negative ? -v : v;
}

TGExtended::Bytes TGExtended::fromDouble(double v) {
    Bytes b{};
    quint64 mantissa = 0;
    int exponent = 0;
    if (std::isnan(v)) {
        mantissa = 0xC000000000000000ull;
        exponent = 0x7FFF;
    } else if (std::isinf(v)) {
        mantissa = 0x8000000000000000ull;
        exponent = 0x7FFF;
    } else if (v != 0) {
        int e = 0;
        const double f = std::frexp(std::fabs(v), &e); // |v| = f * 2^e, 0.5 <= f < 1
        mantissa = quint64(std::ldexp(f, 64));
        exponent = e - 1 + bias;
    }
    for (int i = 0; i < 8; ++i)
        b[size_t(i)] = quint8(mantissa >> (8 * i));
    b[8] = quint8(exponent);
    b[9] = quint8((exponent >> 8) | (std::signbit(v) ? 0x80 : 0));
    return b;
}
