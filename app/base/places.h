// Where Tallix keeps its files: the settings file tallix.ini, and the play (the record
// hist.log or sim.log, its lock and the past plays). The first rule that applies:
//
//   --data-dir DIR          both in DIR
//   tallix.ini beside the   both beside the program: the portable layout (a folder on a USB
//   program                 stick, a build's bin/)
//   otherwise (installed)   Linux: the settings in $XDG_CONFIG_HOME/tallix/ (~/.config/tallix/),
//                           the play in $XDG_DATA_HOME/tallix/ (~/.local/share/tallix/);
//                           Windows: both in %APPDATA%\Tallix
//
// Without a home folder either (no HOME, no APPDATA) the files stay beside the program.
//
// Where a play goes that its own folder cannot take at the close (a full disk, a USB stick
// pulled out), after the past plays beside the record: the folder an installed program keeps
// the play in, the home folder, the system's temporary folder.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tallix {

struct Places {
  // Both named: a lone folder (a former program directory) is no Places by mistake.
  Places(std::string settingsFile, std::string dataDir)
      : settingsFile(std::move(settingsFile)), dataDir(std::move(dataDir)) {}

  std::string settingsFile;  // the path of tallix.ini
  std::string dataDir;       // the play's folder, with a trailing separator
  // The folders of a rescued play, in the order they are tried, each with a trailing separator;
  // none unless findPlaces() names them.
  std::vector<std::string> rescueDirs{};

  // Both in one folder, given with or without a trailing separator.
  static Places in(std::string dir);
};

// The value of an environment variable, or null when it is not set.
using GetEnv = std::function<const char*(const char*)>;

// The places by the rules above, for a program in programDir (AppDir()) and the folder given
// with --data-dir ("" when none). Looks at the file system only to find a tallix.ini beside
// the program.
Places findPlaces(const std::string& programDir, const std::string& dataDirOption,
                  const GetEnv& getEnv);

}  // namespace tallix
