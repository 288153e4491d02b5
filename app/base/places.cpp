#include "places.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "files.h"

namespace tallix {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string withSeparator(std::string dir) {
  if (dir.empty() || (dir.back() != '/' && dir.back() != kSeparator)) dir += kSeparator;
  return dir;
}

// A folder named by an environment variable, or "" when it is unset or relative (the XDG base
// directories say a relative one is to be ignored).
std::string folderFromEnv(const GetEnv& getEnv, const char* name) {
  const char* value = getEnv(name);
  if (value == nullptr || !pathOf(value).is_absolute()) return {};
  return withSeparator(value);
}

}  // namespace

Places Places::in(std::string dir) {
  dir = withSeparator(std::move(dir));
  return {dir + "tallix.ini", dir};
}

Places findPlaces(const std::string& programDir, const std::string& dataDirOption,
                  const GetEnv& getEnv) {
  // Made absolute now: the session makes the program directory current.
  if (!dataDirOption.empty())
    return Places::in(std::filesystem::absolute(pathOf(dataDirOption)).string());
  std::error_code ignored;
  if (std::filesystem::exists(pathOf(withSeparator(programDir) + "tallix.ini"), ignored)) {
    return Places::in(programDir);
  }
#ifdef _WIN32
  const std::string appData = folderFromEnv(getEnv, "APPDATA");
  return Places::in(appData.empty() ? programDir : appData + "Tallix");
#else
  const std::string home = folderFromEnv(getEnv, "HOME");
  auto base = [&](const char* name, const char* underHome) {
    const std::string dir = folderFromEnv(getEnv, name);
    return dir.empty() && !home.empty() ? home + underHome : dir;
  };
  const std::string config = base("XDG_CONFIG_HOME", ".config/");
  const std::string data = base("XDG_DATA_HOME", ".local/share/");
  if (config.empty() || data.empty()) return Places::in(programDir);
  return {config + "tallix/tallix.ini", data + "tallix/"};
#endif
}

}  // namespace tallix
