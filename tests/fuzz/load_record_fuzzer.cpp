// Loads arbitrary bytes as a record file: the load must end normally or with a RecordError,
// never crash, hang or touch memory it does not own.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/profile.h"
#include "counting/counter.h"
#include "records/record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tallix::ProfileFile file(std::string_view(reinterpret_cast<const char*>(data), size));
  tallix::Counter counter;
  tallix::Settings settings;
  settings.rate = {5, 0, 7.6};
  settings.koyaku = {8, 10, 15};
  settings.koyakuG = {30, 0, 20};
  counter.applySettings(settings);
  try {
    tallix::LoadRecord(counter, tallix::readRecord("fuzz.log", [&file](std::string_view section,
                                                                       std::string_view key) {
                         return file.value(section, key);
                       }));
  } catch (const tallix::RecordError&) {
  }
  return 0;
}
