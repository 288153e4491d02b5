// Past plays: a play that クリア ends is kept first, in the record format, in a folder of past
// plays beside its record, named by the moment it ended (2026-12-07_193012.log), so that nothing
// cleared is gone and 読込み can bring it back.
#pragma once

#include <ctime>
#include <filesystem>

#include "record.h"

namespace tallix {

// Writes the play to `folder` (made when missing) as `when`'s local date and time with ".log",
// or with "_2", "_3" … before ".log" where that name is taken. Returns the file written;
// throws FileError when it cannot be written.
std::filesystem::path archivePlay(const RecordSnapshot& play, const std::filesystem::path& folder,
                                  std::time_t when);

// A play that could not be saved where it belongs, written to a folder that is not a folder of
// past plays (a home folder, the temporary folder) as "tallix-" and `when`'s local date and time
// with ".log", under a name that overwrites nothing as above. Returns the file written; throws
// FileError when it cannot be written.
std::filesystem::path rescuePlay(const RecordSnapshot& play, const std::filesystem::path& folder,
                                 std::time_t when);

}  // namespace tallix
