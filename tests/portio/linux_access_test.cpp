// The Linux library's start and stop. The start runs in a child process, so that this test
// process never holds the right to use the ports; no port instruction is executed.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "kirvoport.h"

namespace {

#if defined(__i386__) || defined(__x86_64__)
// Whether the kernel has the iopl call at all (it may be built without it): asking for the
// level the process already has succeeds exactly then.
bool kernelHasIopl() {
  return syscall(SYS_iopl, 0) == 0;
}

// What a start without the privilege says: the kernel refuses it, or has no iopl to grant.
std::string unprivilegedStartReason() {
  return kernelHasIopl() ? "port access refused: run as root or grant CAP_SYS_RAWIO"
                         : "port access unavailable: this kernel has no iopl support "
                           "\\(CONFIG_X86_IOPL_IOPERM\\)";
}
#else
// A processor without port instructions (arm64) has no iopl call, and a start never succeeds.
bool kernelHasIopl() {
  return false;
}

std::string unprivilegedStartReason() {
  return "port access unavailable: this system has no port instructions";
}
#endif

bool hasRawIoCapability() {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2]{};
  if (syscall(SYS_capget, &header, data) != 0) return false;
  return (data[CAP_SYS_RAWIO / 32].effective & (1u << (CAP_SYS_RAWIO % 32))) != 0;
}

// Starts and stops the library in this (child) process and exits, reporting both on stderr.
[[noreturn]] void startAndReport() {
  const int started = KIRVO_Start();
  const std::string reason = KIRVO_LastError();
  const int stopped = KIRVO_Stop();
  std::fprintf(stderr, "start=%d stop=%d reason=%s\n", started, stopped, reason.c_str());
  std::exit(0);
}

TEST(LinuxAccess, WithoutThePrivilegeTheStartIsRefusedAndSaysWhy) {
  const std::string reason = unprivilegedStartReason();
  EXPECT_EXIT(
      {
        // Leaving root drops every capability, CAP_SYS_RAWIO among them.
        if (geteuid() == 0 && setuid(65534) != 0) std::exit(2);
        startAndReport();
      },
      ::testing::ExitedWithCode(0), "start=1 stop=0 reason=" + reason + "\n");
}

TEST(LinuxAccess, AGrantedStartIsEvenAndHasNoReason) {
  if (!kernelHasIopl() || !hasRawIoCapability()) {
    GTEST_SKIP() << "needs a kernel with iopl, and root or CAP_SYS_RAWIO";
  }
  EXPECT_EXIT(startAndReport(), ::testing::ExitedWithCode(0), "start=0 stop=0 reason=\n");
}

TEST(LinuxAccess, StopWithoutStartAndTheTextBeforeAnyStart) {
  EXPECT_STREQ(KIRVO_LastError(), "");
  EXPECT_EQ(KIRVO_Stop(), 0);
}

}  // namespace
