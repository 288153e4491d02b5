// The sampling thread and its queue, and trace recording.
#include "port/source.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "port/change_queue.h"
#include "port/sampler.h"
#include "port/trace.h"
#include "support/temp_dir.h"

namespace tallix {
namespace {

using testing::TempDir;
using testing::writeBytes;

TEST(ChangeQueue, KeepsOrderAcrossTheRingAndRefusesWhenFull) {
  ChangeQueue queue(4);
  for (std::int64_t round = 0; round < 3; ++round) {
    for (std::int64_t i = 0; i < 4; ++i) EXPECT_TRUE(queue.push({round * 10 + i, 0}));
    EXPECT_FALSE(queue.push({99, 0}));
    for (std::int64_t i = 0; i < 4; ++i) EXPECT_EQ(queue.pop()->ms, round * 10 + i);
    EXPECT_EQ(queue.pop(), std::nullopt);
  }
}

// A source that reads the byte of its script at each poll (the last one from then on), or
// fails once the script has run out when `fail` is set.
class Scripted : public Source {
 public:
  explicit Scripted(std::vector<std::uint8_t> script, bool fail = false)
      : script_(std::move(script)), fail_(fail) {}
  std::atomic<int> polls{0};
  void poll(std::int64_t now, ChangeSink& out) override {
    const auto i = static_cast<std::size_t>(polls.load());
    if (fail_ && i >= script_.size()) throw std::runtime_error("unplugged");
    out.push({now, script_[std::min(i, script_.size() - 1)]});
    ++polls;
  }

 private:
  std::vector<std::uint8_t> script_;
  bool fail_;
};

void sampleUntil(Sampler& sampler, const std::function<bool()>& done) {
  sampler.start();
  for (int i = 0; i < 5000 && !done(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  sampler.stop();
}

TEST(Sampler, HandsOnOnlyChangesInTimeOrderAndCountsWhatAFullQueueLost) {
  // Bytes 0..9, then 9 for ever; the queue takes four.
  Scripted source({0, 0, 1, 1, 1, 2, 3, 3, 4, 5, 6, 7, 8, 9});
  ChangeQueue queue(4);
  Sampler sampler(source, queue, Sampler::Clock::now());
  sampleUntil(sampler, [&] { return source.polls >= 30; });
  std::vector<Change> taken;
  while (auto c = queue.pop()) taken.push_back(*c);
  ASSERT_EQ(taken.size(), 4u);
  for (std::size_t i = 0; i < taken.size(); ++i) {
    EXPECT_EQ(taken[i].byte, i);
    if (i > 0) {
      EXPECT_GT(taken[i].ms, taken[i - 1].ms);
    }
  }
  EXPECT_EQ(sampler.lost(), 6u);  // 4..9, each once however long it is held
  EXPECT_TRUE(sampler.ended());
  EXPECT_EQ(sampler.failure(), "");
}

TEST(Sampler, AFailingSourceEndsSamplingWithItsReason) {
  Scripted source({0xFF, 0xFE}, true);
  ChangeQueue queue;
  Sampler sampler(source, queue, Sampler::Clock::now());
  sampleUntil(sampler, [&] { return sampler.ended(); });
  EXPECT_EQ(sampler.failure(), "unplugged");
  EXPECT_EQ(queue.pop()->byte, 0xFF);
  EXPECT_EQ(queue.pop()->byte, 0xFE);
  EXPECT_EQ(queue.pop(), std::nullopt);
}

TEST(TraceRecording, WritesOnlyTheMomentsTheByteChangesAfterItsOffset) {
  std::ostringstream out;
  TraceRecorder trace(out, 2650);
  trace.record({0, 0xFF});
  trace.record({1, 0xFF});
  trace.record({600, 0xFE});
  trace.comment("3 changes were lost");
  trace.record({9'000'000'000, 0x7F});
  EXPECT_EQ(out.str(), "2650 255\n3250 254\n# 3 changes were lost\n9000002650 127\n");
  std::istringstream in(out.str());
  EXPECT_EQ(readTrace(in, "t").size(), 3u);
}

TEST(TraceRecording, ASessionAppendedToATraceStartsAGapAfterTheLastLine) {
  TempDir dir;
  EXPECT_EQ(appendedSessionStart(dir / "new.trace", 2000), 0);
  writeBytes(dir / "empty.trace", "# nothing yet\n");
  EXPECT_EQ(appendedSessionStart(dir / "empty.trace", 2000), 0);
  writeBytes(dir / "old.trace", "0 255\n600 254\n650 255\n");
  EXPECT_EQ(appendedSessionStart(dir / "old.trace", 2000), 2650);
  writeBytes(dir / "bad.trace", "0 255\n600 fe\n");
  try {
    appendedSessionStart(dir / "bad.trace", 2000);
    ADD_FAILURE() << "no error";
  } catch (const TraceError& e) {
    EXPECT_EQ(std::string(e.what()),
              (dir / "bad.trace").string() + ":2: byte \"fe\" is not a number from 0 to 255");
  }
}

}  // namespace
}  // namespace tallix
