#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The three text conversions of the program. They must not be mixed up:
// boxes set from scroll bars, captions, tooltips and the differences written
// into cells use integerText; the factorization and the " 3" replacement of
// a bad modulus use signedText with its leading blank.
namespace apqr {

// The numeric value of a text, read the classic BASIC way: blanks, tabs and
// line feeds are skipped wherever they stand, the leading number (sign,
// decimal point, exponent E or D, or an &H / &O prefix) is read, anything
// after it is ignored, and text without a number gives 0. Overflow gives an
// infinity; the result is never NaN. Independent of the C locale.
[[nodiscard]] double numericValue(std::string_view text);

// An integral value as text without a leading blank: "12", "-3". Values of
// any size are written out in full; a fraction is shown as it is ("7.5").
[[nodiscard]] std::string integerText(double integral);

// An integral value with a blank in front of a non-negative number: " 12", "-3".
[[nodiscard]] std::string signedText(double integral);

// Rounding half to even, as the conversion to whole numbers does.
[[nodiscard]] double roundHalfEven(double value);

// Rounds half to even and clamps into the 16-bit range.
[[nodiscard]] std::int16_t toInt16(double value);

}  // namespace apqr
