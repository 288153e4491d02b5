// stall-thread: holds one thread of a running program stopped, again and again, while its other
// threads run on, as a window thread held up by a slow redraw, a disk or a dialog would be.
// Linux only: the thread is stopped and continued with ptrace (root, or the same user with
// ptrace allowed).
//
//   stall-thread TID TIMES HOLD_MS GAP_MS
//
// TID is a thread id; a program's main thread (its window's thread) has the program's pid.
#include <sys/ptrace.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

bool stopped(pid_t tid) {
  int status = 0;
  if (waitpid(tid, &status, __WALL) != tid) return false;
  return WIFSTOPPED(status);
}

void pause(long ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: stall-thread TID TIMES HOLD_MS GAP_MS\n");
    return 2;
  }
  const pid_t tid = std::atoi(argv[1]);
  const int times = std::atoi(argv[2]);
  const long hold = std::atol(argv[3]);
  const long gap = std::atol(argv[4]);
  if (ptrace(PTRACE_SEIZE, tid, nullptr, nullptr) != 0) {
    std::fprintf(stderr, "stall-thread: %d: %s\n", tid, std::strerror(errno));
    return 1;
  }
  for (int i = 0; i < times; ++i) {
    if (ptrace(PTRACE_INTERRUPT, tid, nullptr, nullptr) != 0 || !stopped(tid)) {
      std::fprintf(stderr, "stall-thread: %d ended\n", tid);
      return 1;
    }
    pause(hold);
    ptrace(PTRACE_CONT, tid, nullptr, nullptr);
    pause(gap);
  }
  if (ptrace(PTRACE_INTERRUPT, tid, nullptr, nullptr) == 0 && stopped(tid)) {
    ptrace(PTRACE_DETACH, tid, nullptr, nullptr);
  }
  return 0;
}
