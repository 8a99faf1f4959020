#include "WallSize.h"

#include <charconv>

namespace kandorex {

float totalLength(std::int32_t count, float unitLength)
{
    // Split the float into a 24-bit integer mantissa and a power of two: the integer product then
    // fits 64 bits exactly for any 32-bit count, and converting it to float is the one rounding.
    // A product through double would round twice for counts beyond 2^29.
    int exponent = 0;
    const float fraction = std::frexp(unitLength, &exponent);
    const auto mantissa = static_cast<std::int64_t>(std::ldexp(fraction, 24));
    const float product = static_cast<float>(static_cast<std::int64_t>(count) * mantissa);
    return std::ldexp(product, exponent - 24);
}

float totalArea(float width, float height)
{
    // Two 24-bit mantissas multiply exactly into double's 53 bits.
    return static_cast<float>(static_cast<double>(width) * static_cast<double>(height));
}

std::string formatGeneral(double value, std::string_view decimalSeparator)
{
    char digits[32];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 15);
    std::string text;
    for (const char *c = digits; c != result.ptr; ++c) {
        if (*c == '.')
            text += decimalSeparator;
        else
            text += *c;
    }
    return text;
}

std::string resultLine(float width, float height, float area, std::string_view decimalSeparator)
{
    return "总宽度" + formatGeneral(roundToCents(width), decimalSeparator) + "米×" + "总高度" +
           formatGeneral(roundToCents(height), decimalSeparator) + "米=" + "总面积" +
           formatGeneral(roundToCents(area), decimalSeparator) + "平方米";
}

} // namespace kandorex
