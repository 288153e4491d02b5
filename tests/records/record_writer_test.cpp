// The record writer's thread: whatever a save throws is a failed save of that file, and the
// writer goes on to the next.
#include "records/record_writer.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "base/files.h"
#include "counting/counter.h"
#include "support/temp_dir.h"

namespace tallix {
namespace {

TEST(RecordWriter, WhateverASaveThrowsIsAFailedSaveAndTheNextIsWritten) {
  testing::TempDir dir;
  const std::filesystem::path path = dir / "hist.log";
  const struct {
    const char* what;
    std::function<void()> fail;
    std::string failure;
  } rows[] = {
      {"a file error", [&] { throw FileError(path, "No space left on device"); },
       path.string() + ": No space left on device"},
      {"no memory", [] { throw std::bad_alloc(); }, path.string() + ": not enough memory"},
      {"a conversion that fails", [] { throw std::runtime_error("no conversion to CP932"); },
       path.string() + ": no conversion to CP932"},
      {"something that is no exception", [] { throw 7; }, path.string() + ": an unexpected error"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    bool failing = true;
    RecordWriter writer([&](const RecordSnapshot& play, const std::filesystem::path& to) {
      if (std::exchange(failing, false)) row.fail();
      SaveRecord(play, to);
    });
    const Counter counter;
    writer.save(counter, path);
    std::vector<RecordWriter::Outcome> outcomes = writer.finish();
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].failure, row.failure);
    writer.save(counter, path);
    outcomes = writer.finish();
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_TRUE(outcomes[0].saved()) << outcomes[0].failure;
    EXPECT_TRUE(std::filesystem::exists(path));
    std::filesystem::remove(path);
  }
}

}  // namespace
}  // namespace tallix
