#include "places.h"

#include <algorithm>
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

#ifndef _WIN32
// An XDG base directory: the variable, else the folder under the home folder.
std::string base(const GetEnv& getEnv, const char* name, const char* underHome) {
  const std::string dir = folderFromEnv(getEnv, name);
  const std::string home = folderFromEnv(getEnv, "HOME");
  return dir.empty() && !home.empty() ? home + underHome : dir;
}
#endif

// The folder an installed program keeps its play in, or "" without a home folder.
std::string installedDataDir(const GetEnv& getEnv) {
#ifdef _WIN32
  const std::string appData = folderFromEnv(getEnv, "APPDATA");
  return appData.empty() ? appData : appData + "Tallix" + kSeparator;
#else
  const std::string data = base(getEnv, "XDG_DATA_HOME", ".local/share/");
  return data.empty() ? data : data + "tallix/";
#endif
}

Places placesOf(const std::string& programDir, const std::string& dataDirOption,
                const GetEnv& getEnv) {
  // Made absolute now: the session makes the program directory current.
  if (!dataDirOption.empty())
    return Places::in(std::filesystem::absolute(pathOf(dataDirOption)).string());
  std::error_code ignored;
  if (std::filesystem::exists(pathOf(withSeparator(programDir) + "tallix.ini"), ignored)) {
    return Places::in(programDir);
  }
  const std::string installed = installedDataDir(getEnv);
#ifdef _WIN32
  return Places::in(installed.empty() ? programDir : installed);
#else
  const std::string config = base(getEnv, "XDG_CONFIG_HOME", ".config/");
  if (config.empty() || installed.empty()) return Places::in(programDir);
  return {config + "tallix/tallix.ini", installed};
#endif
}

}  // namespace

Places Places::in(std::string dir) {
  dir = withSeparator(std::move(dir));
  return {dir + "tallix.ini", dir};
}

Places findPlaces(const std::string& programDir, const std::string& dataDirOption,
                  const GetEnv& getEnv) {
  Places places = placesOf(programDir, dataDirOption, getEnv);
#ifdef _WIN32
  const std::string home = folderFromEnv(getEnv, "USERPROFILE");
  const std::string temp = folderFromEnv(getEnv, "TEMP");
#else
  const std::string home = folderFromEnv(getEnv, "HOME");
  const std::string tmpdir = folderFromEnv(getEnv, "TMPDIR");
  const std::string temp = tmpdir.empty() ? "/tmp/" : tmpdir;
#endif
  std::vector<std::string>& rescue = places.rescueDirs;
  for (const std::string& dir : {installedDataDir(getEnv), home, temp}) {
    if (!dir.empty() && std::ranges::find(rescue, dir) == rescue.end()) rescue.push_back(dir);
  }
  return places;
}

}  // namespace tallix
