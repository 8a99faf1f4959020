#include "IntConversion.h"

#include <utility>

namespace kandorex {
namespace {

std::string conversionMessage(std::string_view text)
{
    std::string message;
    message.reserve(text.size() + 32);
    message += '\'';
    message += text;
    message += "' is not a valid integer value";
    return message;
}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

ConvertError::ConvertError(std::string_view text) : ConvertError(text, conversionMessage(text)) {}

ConvertError::ConvertError(std::string_view text, std::string message)
    : std::runtime_error(message), text_(text), message_(std::move(message))
{
}

std::int32_t strToInt(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;

    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }

    bool hex = false;
    if (pos < text.size() && (text[pos] == '$' || text[pos] == 'x' || text[pos] == 'X')) {
        hex = true;
        ++pos;
    } else if (pos + 1 < text.size() && text[pos] == '0' &&
               (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        hex = true;
        pos += 2;
    }

    if (pos == text.size())
        throw ConvertError(text);

    // The magnitude stays below 2^33 before each step, so a long run of digits cannot overflow:
    // anything past the limit is refused at once.
    const std::uint64_t base = hex ? 16 : 10;
    const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    std::uint64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = hex ? hexDigitValue(text[pos])
                              : (text[pos] >= '0' && text[pos] <= '9' ? text[pos] - '0' : -1);
        if (digit < 0)
            throw ConvertError(text);
        magnitude = magnitude * base + static_cast<std::uint64_t>(digit);
        if (magnitude > limit)
            throw ConvertError(text);
    }

    // Two's complement on the 32-bit pattern: "$FFFFFFFF" is -1 and "-$80000000" wraps to itself.
    std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
    if (negative)
        bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
}

} // namespace kandorex
