// The 1 ms tick runs a thousand times a second: a tick that sees no edge must not allocate.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "support/play.h"

namespace {
std::size_t allocations = 0;
}

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
// The nothrow form too (std::stable_sort takes its buffer with it), so that every form of new
// that the replaced deletes free comes from malloc.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  ++allocations;
  return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace tallix {
namespace {

TEST(CounterTick, ATickWithoutAnEdgeAllocatesNothing) {
  Settings s;
  s.koyaku = {8, 10, 15};
  s.data5pinEnabled = true;
  testing::Play play(s);
  play.game(3, 8);
  play.holdLines(testing::kBig);
  play.tick();
  const std::size_t before = allocations;
  play.idle(3000);  // includes the game guard's end
  EXPECT_EQ(allocations, before);
}

}  // namespace
}  // namespace tallix
