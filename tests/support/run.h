// Runs a program of the project as a user would, and captures what it says.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/temp_dir.h"

namespace tallix::testing {

struct Run {
  int status;
  std::string out;
  std::string err;
};

// Runs `command` (a shell command line) with `input` on its standard input.
inline Run run(const std::string& command, const std::string& input = "") {
  TempDir dir;
  writeBytes(dir / "in", input);
  const std::string line = command + " <" + (dir / "in").string() + " >" + (dir / "out").string() +
                           " 2>" + (dir / "err").string();
  const int raw = std::system(line.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readBytes(dir / "out"), readBytes(dir / "err")};
}

}  // namespace tallix::testing
