#include "archive.h"

#include <string>
#include <system_error>

#include "base/files.h"
#include "base/local_time.h"
#include "past_plays.h"

namespace tallix {

std::filesystem::path archivePlay(const RecordSnapshot& play, const std::filesystem::path& folder,
                                  std::time_t when) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) throw FileError(folder, ec.message());
  const std::tm local = localTime(when);
  char stamp[32];
  const std::string name(stamp, std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H%M%S", &local));
  std::filesystem::path path = folder / (name + ".log");
  for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(path)); ++n) {
    path = folder / (name + "_" + std::to_string(n) + ".log");
  }
  SaveRecord(play, path);
  notePastPlay(path);
  return path;
}

}  // namespace tallix
