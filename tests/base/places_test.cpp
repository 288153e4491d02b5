#include "base/places.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace tallix {
namespace {

using testing::TempDir;
using testing::writeBytes;

// The environment of a row: the variables it sets, all others unset.
GetEnv environment(const std::map<std::string, std::string>& vars) {
  return [vars](const char* name) -> const char* {
    const auto it = vars.find(name);
    return it == vars.end() ? nullptr : it->second.c_str();
  };
}

#ifndef _WIN32
TEST(Places, PortableThenDataDirThenTheUsersFolders) {
  TempDir portable;
  TempDir installed;
  writeBytes(portable / "tallix.ini", "");
  const std::string beside = portable.path().string() + "/";
  const std::string bin = installed.path().string() + "/";
  const struct {
    const char* what;
    const std::string& programDir;
    std::string dataDir;
    std::map<std::string, std::string> env;
    Places expected;
    // Where a play goes that its folder cannot take: the installed program's data folder, the
    // home folder, the temporary folder, each once.
    std::vector<std::string> rescue;
  } rows[] = {
      {"a tallix.ini beside the program keeps both there",
       beside,
       "",
       {{"HOME", "/home/p"}},
       {beside + "tallix.ini", beside},
       {"/home/p/.local/share/tallix/", "/home/p/", "/tmp/"}},
      {"--data-dir wins, also over a tallix.ini beside the program",
       beside,
       "/media/stick/tallix",
       {{"HOME", "/home/p"}},
       {"/media/stick/tallix/tallix.ini", "/media/stick/tallix/"},
       {"/home/p/.local/share/tallix/", "/home/p/", "/tmp/"}},
      {"installed, without XDG variables: under HOME",
       bin,
       "",
       {{"HOME", "/home/p"}},
       {"/home/p/.config/tallix/tallix.ini", "/home/p/.local/share/tallix/"},
       {"/home/p/.local/share/tallix/", "/home/p/", "/tmp/"}},
      {"installed, with XDG variables",
       bin,
       "",
       {{"HOME", "/home/p"},
        {"XDG_CONFIG_HOME", "/cfg"},
        {"XDG_DATA_HOME", "/data/"},
        {"TMPDIR", "/var/tmp"}},
       {"/cfg/tallix/tallix.ini", "/data/tallix/"},
       {"/data/tallix/", "/home/p/", "/var/tmp/"}},
      {"relative XDG variables are ignored",
       bin,
       "",
       {{"HOME", "/home/p"}, {"XDG_CONFIG_HOME", "cfg"}, {"XDG_DATA_HOME", "data"}},
       {"/home/p/.config/tallix/tallix.ini", "/home/p/.local/share/tallix/"},
       {"/home/p/.local/share/tallix/", "/home/p/", "/tmp/"}},
      {"no home at all: beside the program", bin, "", {}, {bin + "tallix.ini", bin}, {"/tmp/"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const Places places = findPlaces(row.programDir, row.dataDir, environment(row.env));
    EXPECT_EQ(places.settingsFile, row.expected.settingsFile);
    EXPECT_EQ(places.dataDir, row.expected.dataDir);
    EXPECT_EQ(places.rescueDirs, row.rescue);
  }
  // A relative --data-dir is taken from the current directory, before the session changes it.
  EXPECT_EQ(findPlaces(bin, "d", environment({})).dataDir,
            (std::filesystem::current_path() / "d").string() + "/");
}
#else
TEST(Places, PortableThenDataDirThenAppData) {
  TempDir portable;
  TempDir installed;
  writeBytes(portable / "tallix.ini", "");
  const std::string beside = portable.path().string() + "\\";
  const std::string bin = installed.path().string() + "\\";
  const GetEnv appData = environment({{"APPDATA", "C:\\Users\\p\\AppData\\Roaming"}});
  EXPECT_EQ(findPlaces(beside, "", appData).dataDir, beside);
  EXPECT_EQ(findPlaces(bin, "", appData).settingsFile,
            "C:\\Users\\p\\AppData\\Roaming\\Tallix\\tallix.ini");
  EXPECT_EQ(findPlaces(bin, "", appData).dataDir, "C:\\Users\\p\\AppData\\Roaming\\Tallix\\");
  EXPECT_EQ(findPlaces(bin, "D:\\plays", appData).dataDir, "D:\\plays\\");
  EXPECT_EQ(findPlaces(bin, "", environment({})).dataDir, bin);
  EXPECT_EQ(findPlaces(bin, "",
                       environment({{"APPDATA", "C:\\Users\\p\\AppData\\Roaming"},
                                    {"USERPROFILE", "C:\\Users\\p"},
                                    {"TEMP", "C:\\Temp"}}))
                .rescueDirs,
            (std::vector<std::string>{"C:\\Users\\p\\AppData\\Roaming\\Tallix\\", "C:\\Users\\p\\",
                                      "C:\\Temp\\"}));
}
#endif

}  // namespace
}  // namespace tallix
