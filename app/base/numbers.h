// Numbers and their texts: the one place where settings and record values are read, rounded
// into their fields and written back as text, and where the whole numbers of keys, traces,
// TLX1 lines and command-line options are read. Nothing else in the program parses or formats
// numbers by hand.
#pragma once

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

namespace tallix {

// Reads the number at the start of a text. Blanks, tabs and line feeds anywhere are ignored.
// Decimal: optional sign, digits, at most one ".", an optional exponent "E" with optional sign
// and digits ("1.5E2" is 150). "&H" starts hexadecimal and "&O" octal: up to four hex digits
// (six octal digits up to 177777) give a signed 16-bit value ("&HFFFF" is -1), more digits up
// to 32 bits a signed 32-bit value. Reading stops at the first character that does not fit
// ("12abc" is 12); no number at the start, or the empty text, gives 0. A decimal number beyond
// the range of a double gives an infinity, which no integer field accepts.
double parseNumber(std::string_view text);

// Whether parseNumber reads the whole text as its number, as a player means it: a decimal number
// ("7.6", "+5", "-2", "1.5E2") or an "&H"/"&O" form with nothing else. "12abc" (read as 12),
// "abc" and "&HZZZ" (read as 0) and the empty text are not.
bool isCleanNumber(std::string_view text);

// A whole number that is the whole text: the digits of `base` (2 to 36; past 9 the letters, in
// either case), after a "-" for a number below 0. No blanks, no "+", no prefix ("0x", "&H"),
// nothing after the digits. nullopt for any other text, the empty one too, and for a number
// outside min..max. This is the strict reading of keys, trace and TLX1 lines and command-line
// options; settings and record values keep the lenient one of parseNumber.
template <typename Int>
std::optional<Int> wholeNumber(std::string_view text, Int min = std::numeric_limits<Int>::min(),
                               Int max = std::numeric_limits<Int>::max(), int base = 10) {
  Int value{};
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, base);
  if (error != std::errc() || stop != end || value < min || value > max) return std::nullopt;
  if constexpr (std::is_signed_v<Int>) {
    if (value == 0 && text.front() == '-') return std::nullopt;  // "-0"
  }
  return value;
}

// A finite decimal number that is the whole text ("2", "-1.5", ".5", "1e-1"), strictly as
// wholeNumber reads whole ones; nullopt for any other text.
std::optional<double> decimalNumber(std::string_view text);

// A value that does not fit the signed integer field it is stored in.
class OverflowError : public std::range_error {
 public:
  OverflowError(double value, std::int64_t min, std::int64_t max);
  double value() const { return value_; }
  // "-32768..32767"
  std::string range() const { return std::to_string(min_) + ".." + std::to_string(max_); }

 private:
  double value_;
  std::int64_t min_;
  std::int64_t max_;
};

// Store a number into a signed 16- or 32-bit field: halves round to the even neighbour
// (2.5 gives 2, 3.5 gives 4, -2.5 gives -2); a result outside the field throws OverflowError.
std::int16_t toInt16(double value);
std::int32_t toInt32(double value);

// The pattern "0.00": at least one integer digit, exactly two decimals, halves away from zero.
// The value is rounded from its shortest decimal form of at most 15 significant digits, so
// 8.505 gives "8.51" and 1.005 gives "1.01", as a player reading the figure expects.
std::string formatFixed2(double value);
// The same with `decimals` decimals (1 to 15): "0.000000" for 6.
std::string formatFixed(double value, int decimals);

// The text of a number as a player reads it: shortest decimal form with at most 15
// significant digits, no trailing zeros, "-" when negative (5 gives "5", 7.6 gives "7.6").
// From 1E+15 up and below 0.0001 the exponent form is used ("1E+20", "1.5E-05").
std::string numberText(double value);

// A name followed by a whole number, as the record's keys are made ("r3", "g120", "b1").
std::string numberedKey(std::string_view name, std::int64_t number);

}  // namespace tallix
