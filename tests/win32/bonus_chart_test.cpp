// The history window's bonus chart, painted into a memory device context (no display needed):
// whatever its size and its bonuses, a paint leaves the context holding what it held and keeps
// no GDI object.
#include "win32/bonus_chart.h"

#include <gtest/gtest.h>

#include <vector>

namespace tallix::win32 {
namespace {

// How many more GDI objects the process can make. Wine's GetGuiResources counts nothing (it
// returns 0), so the objects that paints keep are measured by the room they take.
std::size_t gdiRoom() {
  std::vector<Gdi<HBRUSH>> made;
  while (HBRUSH brush = CreateSolidBrush(0)) made.emplace_back(brush);
  return made.size();
}

TEST(BonusChart, APaintOfAnySizePutsBackWhatItSelectedAndKeepsNoGdiObject) {
  const std::vector<Bonus> two{{BonusKind::BIG, 120, 120, 312}, {BonusKind::REG, 300, 180, -40}};
  const struct {
    const char* name;
    RECT client;
    bool bonuses;
  } rows[] = {
      {"too small for a plot", {0, 0, 40, 30}, true},
      {"no bonus yet", {0, 0, 600, 300}, false},
      {"two bonuses", {0, 0, 600, 300}, true},
  };
  const Scale scale;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    BonusChart chart;
    chart.render(row.bonuses ? two : std::vector<Bonus>{});
    const HDC dc = CreateCompatibleDC(nullptr);  // it draws on a bitmap of one dot
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT), pen = GetCurrentObject(dc, OBJ_PEN);
    chart.paint(dc, row.client, scale);  // the first paint may fill the system's caches
    const std::size_t room = gdiRoom();
    for (int i = 0; i < 200; ++i) chart.paint(dc, row.client, scale);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(gdiRoom(), room);
    DeleteDC(dc);
  }
}

}  // namespace
}  // namespace tallix::win32
