#include "archive.h"

#include <string>
#include <system_error>

#include "base/files.h"
#include "base/local_time.h"
#include "past_plays.h"

namespace tallix {

namespace {

// Writes the play to `folder` (made when missing) as `prefix` and `when`'s local date and time
// with ".log", or with "_2", "_3" … before ".log" where that name is taken.
std::filesystem::path writeUnderFreeName(const RecordSnapshot& play,
                                         const std::filesystem::path& folder,
                                         const std::string& prefix, std::time_t when) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) throw FileError(folder, ec.message());
  const std::tm local = localTime(when);
  char stamp[32];
  const std::string name =
      prefix + std::string(stamp, std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H%M%S", &local));
  std::filesystem::path path = folder / pathOf(name + ".log");
  for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(path)); ++n) {
    path = folder / pathOf(name + "_" + std::to_string(n) + ".log");
  }
  SaveRecord(play, path);
  return path;
}

}  // namespace

std::filesystem::path archivePlay(const RecordSnapshot& play, const std::filesystem::path& folder,
                                  std::time_t when) {
  std::filesystem::path path = writeUnderFreeName(play, folder, "", when);
  notePastPlay(path);
  return path;
}

std::filesystem::path rescuePlay(const RecordSnapshot& play, const std::filesystem::path& folder,
                                 std::time_t when) {
  return writeUnderFreeName(play, folder, "tallix-", when);
}

}  // namespace tallix
