#include "port_values.h"

#include <gtest/gtest.h>

namespace kirvo {
namespace {

TEST(PortValues, InpBSignExtendsTheByteRead) {
  const struct {
    std::uint8_t read;
    std::int16_t result;
  } rows[] = {{0x00, 0}, {0x01, 1}, {0x7F, 127}, {0x80, -128}, {0xEC, -20}, {0xFF, -1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.read));
    EXPECT_EQ(byteResult(row.read), row.result);
  }
}

TEST(PortValues, OutBWritesTheLowEightBits) {
  const struct {
    std::int16_t value;
    std::uint8_t written;
  } rows[] = {{236, 0xEC}, {0x1EC, 0xEC},  {-20, 0xEC},   {-1, 0xFF},
              {0, 0x00},   {-32768, 0x00}, {0x7F7F, 0x7F}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(byteToWrite(row.value), row.written);
  }
}

}  // namespace
}  // namespace kirvo
