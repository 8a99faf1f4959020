// Fuzzes the integer conversion against a reference written a different way from the same
// rules (std::from_chars on the digits once blanks, sign and prefix are peeled off), and checks
// that the 32-bit value in the input's first bytes, written in every accepted form, converts back.
#include "IntConversion.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

std::optional<std::int32_t> reference(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = text.substr(start);
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    int base = 10;
    for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (rest.substr(0, prefix.size()) == prefix) {
            base = 16;
            rest.remove_prefix(prefix.size());
            break;
        }
    }
    // from_chars takes no sign of its own for an unsigned type, so "+-1" and "$-1" fail here.
    std::uint64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(rest.data(), rest.data() + rest.size(), magnitude, base);
    if (rest.empty() || error != std::errc() || end != rest.data() + rest.size())
        return std::nullopt;
    if (base == 10) {
        if (magnitude > (negative ? 2147483648ull : 2147483647ull))
            return std::nullopt;
        const std::int64_t value =
            negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
        return static_cast<std::int32_t>(value);
    }
    if (magnitude > 0xFFFFFFFFull)
        return std::nullopt;
    const std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

std::optional<std::int32_t> converted(std::string_view text)
{
    try {
        return kandorex::strToInt(text);
    } catch (const kandorex::ConvertError &error) {
        if (error.message() != "'" + std::string(text) + "' is not a valid integer value") {
            std::fprintf(stderr, "wrong message for a %zu-byte text\n", text.size());
            std::abort();
        }
        return std::nullopt;
    }
}

void expectValue(const std::string &text, std::int32_t value)
{
    const std::optional<std::int32_t> result = converted(text);
    if (!result || *result != value) {
        std::fprintf(stderr, "'%s' should read as %d\n", text.c_str(), value);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    if (converted(text) != reference(text)) {
        std::fprintf(stderr, "conversion and reference differ on '%.*s'\n", int(size), text.data());
        std::abort();
    }

    if (size >= 4) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, data, 4);
        const auto value = static_cast<std::int32_t>(bits);
        expectValue(std::to_string(value), value);
        expectValue("   +" + std::to_string(bits & 0x7FFFFFFFu), std::int32_t(bits & 0x7FFFFFFFu));
        char upper[16];
        char lower[16];
        char negated[16];
        std::snprintf(upper, sizeof upper, "%X", bits);
        std::snprintf(lower, sizeof lower, "%08x", bits);
        std::snprintf(negated, sizeof negated, "%X", 0u - bits);
        for (const char *prefix : {"$", "x", "X", "0x", "0X"}) {
            expectValue(std::string(prefix) + upper, value);
            expectValue(std::string(prefix) + lower, value);
            expectValue(std::string("-") + prefix + negated, value);
        }
    }
    return 0;
}
