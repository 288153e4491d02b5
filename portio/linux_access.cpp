// KIRVO_Start, KIRVO_Stop and KIRVO_LastError on Linux: the kernel grants the process the
// right to use every port (iopl 3), which needs root or CAP_SYS_RAWIO, and takes it back.
#include <cerrno>
#include <cstring>
#include <string>

#if defined(__linux__) && (defined(__i386__) || defined(__x86_64__))
#define KIRVO_HAS_IOPL 1
#include <sys/io.h>
#endif

#include "kirvoport.h"

namespace {

std::string reason;  // why the last KIRVO_Start failed

}  // namespace

extern "C" {

int32_t KIRVO_CALL KIRVO_Start(void) {
#ifdef KIRVO_HAS_IOPL
  if (iopl(3) == 0) {
    reason.clear();
    return 0;
  }
  const int error = errno;
  if (error == EPERM) {
    reason = "port access refused: run as root or grant CAP_SYS_RAWIO";
  } else if (error == ENOSYS) {
    reason = "port access unavailable: this kernel has no iopl support (CONFIG_X86_IOPL_IOPERM)";
  } else {
    reason = std::string("port access unavailable: ") + std::strerror(error);
  }
#else
  reason = "port access unavailable: this system has no port instructions";
#endif
  return 1;
}

int32_t KIRVO_CALL KIRVO_Stop(void) {
#ifdef KIRVO_HAS_IOPL
  iopl(0);  // giving the right back cannot fail where it could be had
#endif
  return 0;
}

const char* KIRVO_CALL KIRVO_LastError(void) {
  return reason.c_str();
}

}  // extern "C"
