// The command line's arguments as the program holds every text: in UTF-8.
#pragma once

#include <string>
#include <vector>

namespace tallix {

// The arguments after the program's name. On Windows they are read from the wide command line:
// the narrow argv is in the code page, which cannot name every file. Elsewhere argv as it is.
std::vector<std::string> programArguments(int argc, char** argv);

}  // namespace tallix
