#include "doc/Units.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace units {
namespace {

// round(x * factor / 10^shift), ties to even, computed on the shortest decimal form of x so
// that the result is the same whatever the floating-point unit does with the product (the
// documented values, such as 5 mm -> 284 twips, are ties that a binary product may miss).
std::int32_t ScaledRound(double x, unsigned factor, int shift) {
    if (!std::isfinite(x))
        throw std::overflow_error("length out of range");
    char text[64];
    const auto conv = std::to_chars(text, text + sizeof text, x, std::chars_format::scientific);
    // The form is [-]d[.ddd]e(+|-)dd.
    const char* p = text;
    const char* end = conv.ptr;
    bool negative = false;
    if (p < end && *p == '-') {
        negative = true;
        ++p;
    }
    using u128 = unsigned __int128;
    u128 mantissa = 0;
    int exponent = 0;
    bool inFraction = false;
    for (; p < end && *p != 'e'; ++p) {
        if (*p == '.') {
            inFraction = true;
            continue;
        }
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        if (inFraction)
            --exponent;
    }
    if (p < end && *p == 'e') {
        ++p;
        if (p < end && *p == '+')
            ++p;
        int e = 0;
        std::from_chars(p, end, e);
        exponent += e;
    }
    // At most 17 significant digits: mantissa < 10^17, the product < 10^21.
    u128 value = mantissa * factor;
    exponent -= shift;
    const u128 limit = negative ? u128(1) << 31 : (u128(1) << 31) - 1;
    if (value == 0)
        return 0;
    if (exponent >= 0) {
        for (int i = 0; i < exponent; ++i) {
            value *= 10;
            if (value > limit)
                throw std::overflow_error("length out of range");
        }
    } else if (exponent < -30) {
        value = 0; // far below one half
    } else {
        u128 divisor = 1;
        for (int i = 0; i < -exponent; ++i)
            divisor *= 10;
        const u128 quotient = value / divisor;
        const u128 twice = (value % divisor) * 2;
        value = quotient;
        if (twice > divisor || (twice == divisor && (quotient & 1) != 0))
            ++value;
    }
    if (value > limit)
        throw std::overflow_error("length out of range");
    const auto magnitude = static_cast<std::int64_t>(value);
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace

std::int32_t MmToTwips(double mm) {
    return ScaledRound(mm, 567, 1);
}

std::int32_t PointsToTwips(double points) {
    return ScaledRound(points, 20, 0);
}

} // namespace units
