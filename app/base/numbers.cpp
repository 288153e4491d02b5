#include "numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace tallix {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

int hexDigit(char c) {
  if (isDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "&H" and "&O" numbers: the 16-bit form while the digits fit 16 bits, else 32 bits.
double parseRadix(std::string_view digits, unsigned radix, std::size_t maxDigits,
                  std::size_t maxDigits16) {
  std::uint64_t value = 0;
  std::size_t count = 0;
  for (char c : digits) {
    const int d = hexDigit(c);
    if (d < 0 || static_cast<unsigned>(d) >= radix || count == maxDigits) break;
    const std::uint64_t next = value * radix + static_cast<unsigned>(d);
    if (next > 0xFFFFFFFFu) break;
    value = next;
    ++count;
  }
  if (count <= maxDigits16 && value <= 0xFFFFu) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

double parseDecimal(std::string_view s) {
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const std::size_t start = i;
  std::size_t digits = 0;
  std::size_t intDigits =
      0;  // significant digits before the point, to tell overflow from underflow
  bool seenNonZero = false;
  bool point = false;
  for (; i < s.size(); ++i) {
    if (isDigit(s[i])) {
      ++digits;
      seenNonZero = seenNonZero || s[i] != '0';
      if (!point && seenNonZero) ++intDigits;
    } else if (s[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return 0;
  std::size_t end = i;
  long exponent = 0;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    std::size_t j = i + 1;
    bool expNegative = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) expNegative = s[j++] == '-';
    if (j < s.size() && isDigit(s[j])) {
      for (; j < s.size() && isDigit(s[j]); ++j) {
        if (exponent < 100000) exponent = exponent * 10 + (s[j] - '0');
      }
      if (expNegative) exponent = -exponent;
      end = j;
    }
  }
  double value = 0;
  const auto [ptr, ec] = std::from_chars(s.data() + start, s.data() + end, value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    value =
        static_cast<long>(intDigits) + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

struct Decimal {
  std::string digits;  // 15 significant digits, the first one non-zero
  int exponent;        // weight of the first digit: 10^exponent
};

// The shortest-decimal view of a value, at most 15 significant digits (value must be > 0).
Decimal decimal15(double value) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", value);
  const std::string_view text(buf);
  const std::size_t e = text.find('e');
  Decimal d;
  d.digits.reserve(15);
  for (char c : text.substr(0, e)) {
    if (isDigit(c)) d.digits.push_back(c);
  }
  d.exponent = std::atoi(buf + e + 1);
  return d;
}

}  // namespace

double parseNumber(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') s.push_back(c);
  }
  if (s.size() >= 2 && s[0] == '&') {
    if (s[1] == 'H' || s[1] == 'h') return parseRadix(std::string_view(s).substr(2), 16, 8, 4);
    if (s[1] == 'O' || s[1] == 'o') return parseRadix(std::string_view(s).substr(2), 8, 11, 6);
    return 0;
  }
  return parseDecimal(s);
}

bool isCleanNumber(std::string_view text) {
  if (text.size() >= 2 && text[0] == '&') {
    const char kind = static_cast<char>(text[1] | 0x20);  // in either case
    const std::string_view digits = text.substr(2);
    if (kind == 'h') return digits.size() <= 8 && wholeNumber<std::uint32_t>(digits, 0, ~0u, 16);
    if (kind == 'o') return digits.size() <= 11 && wholeNumber<std::uint64_t>(digits, 0, ~0ull, 8);
    return false;
  }
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  return decimalNumber(text).has_value();
}

std::optional<double> decimalNumber(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

OverflowError::OverflowError(double value, std::int64_t min, std::int64_t max)
    : std::range_error(numberText(value) + " is outside " + std::to_string(min) + ".." +
                       std::to_string(max)),
      value_(value),
      min_(min),
      max_(max) {}

namespace {

template <typename Int>
Int roundToField(double value) {
  constexpr auto lo = std::numeric_limits<Int>::min();
  constexpr auto hi = std::numeric_limits<Int>::max();
  const double rounded = std::nearbyint(value);  // the default rounding mode: halves to even
  if (!(rounded >= lo && rounded <= hi)) throw OverflowError(value, lo, hi);
  return static_cast<Int>(rounded);
}

}  // namespace

std::int16_t toInt16(double value) {
  return roundToField<std::int16_t>(value);
}
std::int32_t toInt32(double value) {
  return roundToField<std::int32_t>(value);
}

std::string formatFixed2(double value) {
  return formatFixed(value, 2);
}

std::string formatFixed(double value, int decimals) {
  if (!std::isfinite(value)) return numberText(value);
  const auto places = static_cast<std::size_t>(decimals);
  // Texts are built by appending only: GCC 12 at -O2 and above reports inserts into a
  // std::string (insert, and "x" + a temporary string) as overlapping copies (-Wrestrict, GCC
  // bug 105329), a false warning that stops builds with -Werror.
  std::string units = "0";  // |value| × 10^decimals, rounded, as decimal digits
  if (value != 0) {
    const Decimal d = decimal15(std::fabs(value));
    const int keep = d.exponent + 1 + decimals;  // digits down to the last decimal
    if (keep >= static_cast<int>(d.digits.size())) {
      units = d.digits + std::string(keep - d.digits.size(), '0');
    } else if (keep >= 0) {
      units = d.digits.substr(0, keep);
      if (d.digits[keep] >= '5') {
        int i = keep - 1;
        for (; i >= 0 && units[i] == '9'; --i) units[i] = '0';
        if (i >= 0) {
          ++units[i];
        } else {
          units = std::string("1").append(units);
        }
      }
      if (units.empty()) units.assign(1, '0');
    }
  }
  const bool zero = units.find_first_not_of('0') == std::string::npos;
  if (units.size() < places + 1) units = std::string(places + 1 - units.size(), '0').append(units);
  const std::size_t point = units.size() - places;
  std::string text = value < 0 && !zero ? "-" : "";
  return text.append(units, 0, point).append(".").append(units, point);
}

std::string numberText(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  if (value == 0) return "0";
  if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
    return std::to_string(static_cast<std::int64_t>(value));  // the common case, exactly so
  }
  Decimal d = decimal15(std::fabs(value));
  d.digits.erase(d.digits.find_last_not_of('0') + 1);
  std::string text = value < 0 ? "-" : "";
  if (d.exponent >= 15 || d.exponent < -4) {
    text += d.digits.substr(0, 1);
    if (d.digits.size() > 1) text.append(".").append(d.digits, 1);
    char exp[16];
    std::snprintf(exp, sizeof exp, "E%c%02d", d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
    return text + exp;
  }
  if (d.exponent < 0) return text + "0." + std::string(-d.exponent - 1, '0') + d.digits;
  const std::size_t intDigits = static_cast<std::size_t>(d.exponent) + 1;
  if (d.digits.size() <= intDigits)
    return text + d.digits + std::string(intDigits - d.digits.size(), '0');
  return text + d.digits.substr(0, intDigits) + "." + d.digits.substr(intDigits);
}

std::string numberedKey(std::string_view name, std::int64_t number) {
  return std::string(name).append(std::to_string(number));  // appended: see formatFixed2
}

}  // namespace tallix
