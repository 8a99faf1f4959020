#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace kandorex {

// `count` units of `unitLength` metres laid end to end: the exact product, rounded once to float.
float totalLength(std::int32_t count, float unitLength);

// The area of a width by a height: the exact product, rounded once to float.
float totalArea(float width, float height);

// Rounds to two decimals the way the result line always has: divide by one hundredth, add one
// half, truncate, multiply back. `Real` is the precision of that arithmetic; the program uses
// long double (the 80-bit format on x86), and with double the window's inputs round the same.
template <typename Real> double roundToCentsIn(float value)
{
    const double hundredth = static_cast<double>(Real(1) / (Real(10) * Real(10)));
    const Real scaled = static_cast<Real>(value) / hundredth + Real(0.5);
    // A value this large is a whole number already, and truncating it would not fit 64 bits.
    if (!(std::fabs(scaled) < Real(0x1p63)))
        return value;
    const auto cents = static_cast<std::int64_t>(scaled);
    return static_cast<double>(static_cast<Real>(cents) * hundredth);
}

inline double roundToCents(float value)
{
    return roundToCentsIn<long double>(value);
}

// General number format with at most 15 significant digits and no trailing zeros; the decimal
// separator is the user's (it may be more than one byte in UTF-8).
std::string formatGeneral(double value, std::string_view decimalSeparator);

// "总宽度W米×总高度H米=总面积A平方米" from the three stored totals.
std::string resultLine(float width, float height, float area, std::string_view decimalSeparator);

} // namespace kandorex
