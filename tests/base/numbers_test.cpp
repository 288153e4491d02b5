#include "base/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace tallix {
namespace {

TEST(ParseNumber, ReadsSettingsAndRecordTexts) {
  const struct {
    const char* text;
    double value;
  } rows[] = {
      {"888", 888},
      {"&H378", 888},
      {"&h378", 888},
      {"&HFFFF", -1},
      {"&HEC00", -5120},
      {"&H0FFFF", 65535},
      {"&HFFFFFFFF", -1},
      {"&H7FFFFFFF", 2147483647},
      {"&H123456789", 0x12345678},
      {"&O177777", -1},
      {"&O17", 15},
      {"&O1777777", 524287},
      {"&H", 0},
      {"&X12", 0},
      {"1.5E2", 150},
      {"1.5e-1", 0.15},
      {"12abc", 12},
      {" 1 2 ", 12},
      {"\t-2\n.5", -2.5},
      {"-2.5", -2.5},
      {"+7.6", 7.6},
      {".5", 0.5},
      {"1E", 1},
      {"1E+", 1},
      {"2.5.1", 2.5},
      {"", 0},
      {"abc", 0},
      {"-", 0},
      {"--5", 0},
      {"1e-400", 0},
      {"0012", 12},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(parseNumber(row.text), row.value);
  }
  EXPECT_TRUE(std::isinf(parseNumber("1E999")));
  EXPECT_TRUE(std::isinf(parseNumber("-1E999")));
}

TEST(WholeNumber, IsTheWholeTextInItsBaseAndRangeOrNothing) {
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  const struct {
    const char* text;
    std::int64_t min, max;
    int base;
    std::optional<std::int64_t> value;
  } rows[] = {
      {"42", kMin, kMax, 10, 42},
      {"007", kMin, kMax, 10, 7},
      {"-12", kMin, kMax, 10, -12},
      {"1f", kMin, kMax, 16, 31},
      {"1F", kMin, kMax, 16, 31},
      {"9223372036854775807", kMin, kMax, 10, kMax},
      {"9223372036854775808", kMin, kMax, 10, std::nullopt},
      {"65535", 1, 65535, 10, 65535},
      {"65536", 1, 65535, 10, std::nullopt},
      {"0", 1, 65535, 10, std::nullopt},
      {"-1", 0, kMax, 10, std::nullopt},
      {"-0", kMin, kMax, 10, std::nullopt},
      {"+5", kMin, kMax, 10, std::nullopt},
      {"5x", kMin, kMax, 10, std::nullopt},
      {"5 ", kMin, kMax, 10, std::nullopt},
      {" 5", kMin, kMax, 10, std::nullopt},
      {"1.0", kMin, kMax, 10, std::nullopt},
      {"0x1F", kMin, kMax, 16, std::nullopt},
      {"&H1F", kMin, kMax, 16, std::nullopt},
      {"8", kMin, kMax, 8, std::nullopt},
      {"", kMin, kMax, 10, std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(wholeNumber<std::int64_t>(row.text, row.min, row.max, row.base), row.value);
  }
  EXPECT_EQ(wholeNumber<std::uint64_t>("18446744073709551615"), 18446744073709551615u);
  EXPECT_EQ(wholeNumber<std::uint64_t>("-1"), std::nullopt);
}

TEST(IsCleanNumber, IsAWholeTextThatParseNumberReadsToItsEnd) {
  for (const char* clean : {"7", "7.6", "+5", "-2", ".5", "1.5E2", "&H378", "&hffff", "&O17"}) {
    EXPECT_TRUE(isCleanNumber(clean)) << clean;
  }
  for (const char* not_ : {"", "12abc", "abc", "&HZZZ", "&H", "&X1", "5 6", "1E999", "0x10"}) {
    EXPECT_FALSE(isCleanNumber(not_)) << not_;
  }
}

TEST(DecimalNumber, IsAFiniteNumberFillingTheText) {
  const struct {
    const char* text;
    std::optional<double> value;
  } rows[] = {
      {"2", 2},           {"1.5", 1.5},          {"-1.5", -1.5},        {".5", 0.5},
      {"1e-1", 0.1},      {"1x", std::nullopt},  {" 1", std::nullopt},  {"+1", std::nullopt},
      {"", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt}, {"1e999", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(decimalNumber(row.text), row.value);
  }
}

TEST(IntegerFields, RoundHalvesToEvenAndRefuseOverflow) {
  EXPECT_EQ(toInt16(10.5), 10);
  EXPECT_EQ(toInt16(11.5), 12);
  EXPECT_EQ(toInt16(2.5), 2);
  EXPECT_EQ(toInt16(3.5), 4);
  EXPECT_EQ(toInt16(-2.5), -2);
  EXPECT_EQ(toInt16(32767.4), 32767);
  EXPECT_EQ(toInt16(-32768), -32768);
  EXPECT_EQ(toInt32(2147483647), 2147483647);
  EXPECT_EQ(toInt32(-2147483648.0), -2147483647 - 1);
  EXPECT_THROW(toInt16(32767.5), OverflowError);
  EXPECT_THROW(toInt16(-32769), OverflowError);
  EXPECT_THROW(toInt32(2147483648.0), OverflowError);
  EXPECT_THROW(toInt32(INFINITY), OverflowError);
  try {
    toInt16(40000);
    FAIL();
  } catch (const OverflowError& e) {
    EXPECT_STREQ(e.what(), "40000 is outside -32768..32767");
    EXPECT_EQ(e.range(), "-32768..32767");
  }
}

TEST(FormatFixed2, RoundsHalvesAwayFromZeroFromTheShortestDecimal) {
  const struct {
    double value;
    const char* text;
  } rows[] = {
      {0, "0.00"},
      {95, "95.00"},
      {8.5, "8.50"},
      {8.505, "8.51"},
      {1.005, "1.01"},
      {1.004999, "1.00"},
      {121.5559967585089, "121.56"},
      {0.004, "0.00"},
      {0.005, "0.01"},
      {0.0049, "0.00"},
      {99.995, "100.00"},
      {9.999, "10.00"},
      {-1.005, "-1.01"},
      {-0.001, "0.00"},
      {7, "7.00"},
      {123456789012.345, "123456789012.35"},
      {1e20, "100000000000000000000.00"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(formatFixed2(row.value), row.text);
  }
}

TEST(NumberText, IsTheShortestDecimalOfFifteenDigits) {
  const struct {
    double value;
    const char* text;
  } rows[] = {
      {5, "5"},           {7.6, "7.6"},          {0, "0"},
      {-0.0, "0"},        {-150, "-150"},        {0.1 + 0.2, "0.3"},
      {1.5, "1.5"},       {100, "100"},          {123456789012345, "123456789012345"},
      {1e15, "1E+15"},    {1e20, "1E+20"},       {0.0001, "0.0001"},
      {0.00001, "1E-05"}, {-2.5e-7, "-2.5E-07"}, {2147483647, "2147483647"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(numberText(row.value), row.text);
  }
}

}  // namespace
}  // namespace tallix
