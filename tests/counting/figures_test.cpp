#include "counting/figures.h"

#include <gtest/gtest.h>

#include "counting/counter.h"
#include "support/play.h"

namespace tallix {
namespace {

using testing::digits;

struct Refreshed {
  Counter counter;
  const std::string& text(TextId id) const { return counter.panel().text(id).text; }
};

// Sets counters, runs the statistics refresh and returns the counter to look at.
template <typename Set>
std::unique_ptr<Refreshed> refresh(Set set, std::array<double, 3> rates = {5, 6, 7.6}) {
  auto r = std::make_unique<Refreshed>();
  Settings s;
  s.rate = rates;
  r->counter.applySettings(s);
  set(r->counter.counters());
  r->counter.refreshStatistics();
  return r;
}

TEST(Statistics, CoinDifferenceAndPayoutRate) {
  auto r = refresh([](Counters& c) {
    c.out_count = 950;
    c.in_count = 1000;
  });
  EXPECT_EQ(r->text(TextId::dedamaritsu), "95.00%");
  EXPECT_EQ(digits(r->counter.panel(), GroupId::saImage), "000050");
  EXPECT_TRUE(r->counter.panel().saMinusVisible());

  r = refresh([](Counters& c) { c.out_count = 3; });
  EXPECT_EQ(r->text(TextId::dedamaritsu), "0.00%");
  EXPECT_EQ(digits(r->counter.panel(), GroupId::saImage), "000003");
  EXPECT_FALSE(r->counter.panel().saMinusVisible());

  r = refresh([](Counters& c) { c.out_count = c.in_count = 77; });
  EXPECT_EQ(r->text(TextId::dedamaritsu), "100.00%");
  EXPECT_EQ(digits(r->counter.panel(), GroupId::saImage), "000000");
  EXPECT_FALSE(r->counter.panel().saMinusVisible());

  r = refresh([](Counters& c) {
    c.out_count = 1500;
    c.in_count = 1234;
  });
  EXPECT_EQ(r->text(TextId::dedamaritsu), "121.56%");
}

TEST(Statistics, ProbabilitiesAreCutNotRounded) {
  auto r = refresh([](Counters& c) {
    c.start_all_count = 1234;
    c.big_count = 5;
  });
  EXPECT_EQ(r->text(TextId::bigKakuritsu), "1/246");
  EXPECT_EQ(r->text(TextId::regKakuritsu), "1/-");  // no REG yet
  r = refresh([](Counters& c) {
    c.start_all_count = 1000;
    c.reg_count = 3;
    c.big_count = 1;
  });
  EXPECT_EQ(r->text(TextId::regKakuritsu), "1/333");
  EXPECT_EQ(r->text(TextId::bigKakuritsu), "1/1000");
}

TEST(Statistics, CashValuesAtTheThreeRates) {
  auto r = refresh([](Counters& c) { c.temochi_coin = 1000; }, {7.6, 5, 0});
  EXPECT_EQ(r->text(TextId::kankin1), "¥13100");
  EXPECT_EQ(r->text(TextId::kankin2), "¥20000");
  EXPECT_EQ(r->text(TextId::kankin3), "¥0");  // a rate of 0 shows no money
  EXPECT_EQ(r->text(TextId::temochiCoin), "1000");
  r = refresh([](Counters& c) { c.temochi_coin = 4; }, {5, 5, 5});
  EXPECT_EQ(r->text(TextId::kankin1), "¥0");
  r = refresh(
      [](Counters& c) {
        c.temochi_coin = 266;
        c.tosi_coin = 250;
      },
      {5, 5, 5});
  EXPECT_EQ(r->text(TextId::kankin1), "¥10300");
  EXPECT_EQ(r->text(TextId::temochiCoin), "516");
}

TEST(DigitGroups, ShowLeadingZerosAndRollOverLikeAnOdometer) {
  const struct {
    GroupId group;
    std::int64_t value;
    const char* shown;
  } rows[] = {
      {GroupId::outImage, 0, "000000"},     {GroupId::gameImage, 42, "00042"},
      {GroupId::bigImage, 999, "999"},      {GroupId::bigImage, 1234, "234"},
      {GroupId::inImage, 100000, "100000"}, {GroupId::inImage, 1234567, "234567"},
      {GroupId::regImage, -12, "012"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    Panel panel;
    panel.showValue(row.group, row.value);
    EXPECT_EQ(digits(panel, row.group), row.shown);
  }
}

TEST(Figures, Texts) {
  EXPECT_EQ(yenText(1000), "¥1000");
  EXPECT_EQ(cashValueText(-7, 5), "¥-100");
  EXPECT_EQ(payoutRateText(1, 0), "0.00%");
  EXPECT_EQ(probabilityText(0, 1), "1/0");
  EXPECT_EQ(probabilityText(700, 0), "1/-");
}

}  // namespace
}  // namespace tallix
