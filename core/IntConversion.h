#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kandorex {

// Raised when a count text is not an integer. The text is kept byte for byte, NULs and '%' signs
// included, so message() is the one to show: what() stops at the first NUL.
class ConvertError : public std::runtime_error {
  public:
    explicit ConvertError(std::string_view text);

    const std::string &text() const noexcept { return text_; }
    const std::string &message() const noexcept { return message_; }

  private:
    ConvertError(std::string_view text, std::string message);

    std::string text_;
    std::string message_;
};

// Reads a 32-bit signed integer: leading blanks, one optional sign, then decimal digits or
// hexadecimal digits after '$', 'x', 'X', "0x" or "0X", and nothing after the digits. Decimal
// values must fit the signed range; hexadecimal ones may use all 32 bits as two's complement.
// Throws ConvertError for anything else.
std::int32_t strToInt(std::string_view text);

} // namespace kandorex
