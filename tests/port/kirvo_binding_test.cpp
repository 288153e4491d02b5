// The binding against stand-ins of the port library (built with the tests) and against the real
// library's start-free calls; no port instruction is executed.
#include "port/kirvo_binding.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tallix {
namespace {

// The message of the PortLibraryError that `call` throws, or "" when it throws none.
std::string failureOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const PortLibraryError& e) {
    return e.what();
  }
  return "";
}

const std::function<void(KirvoBinding&)> kEveryCall[] = {
    [](KirvoBinding& port) { port.start(); },
    [](KirvoBinding& port) { port.lastError(); },
    [](KirvoBinding& port) { port.stop(); },
    [](KirvoBinding& port) { port.inpB(0x378); },
    [](KirvoBinding& port) { port.outB(0x37A, 0xEC); },
};

TEST(KirvoBinding, AMissingLibraryFailsTheFirstCallNamingItAndWhereItWasLookedFor) {
  const std::string dir = "/nonexistent/tallix";
  for (std::size_t i = 0; i < std::size(kEveryCall); ++i) {
    SCOPED_TRACE(i);
    KirvoBinding port(dir);  // constructing loads nothing, so it cannot fail
    EXPECT_EQ(failureOf([&] { kEveryCall[i](port); }),
              "cannot load the port library libkirvoport.so from /nonexistent/tallix or the "
              "system's search path: /nonexistent/tallix/libkirvoport.so: cannot open shared "
              "object file: No such file or directory");
  }
}

TEST(KirvoBinding, AMissingExportFailsItsFirstCallNamingItAndTheLibrary) {
  KirvoBinding port(KIRVOPORT_INCOMPLETE_DIR);
  EXPECT_EQ(port.start(), 13);
  EXPECT_EQ(failureOf([&] { port.inpB(0x378); }),
            "the port library " KIRVOPORT_INCOMPLETE_DIR "/libkirvoport.so has no export InpB");
  // The other exports stay usable, and a later call fails the same way.
  port.outB(0x37A, 0xEC);
  EXPECT_EQ(failureOf([&] { port.inpB(0x378); }),
            "the port library " KIRVOPORT_INCOMPLETE_DIR "/libkirvoport.so has no export InpB");
}

TEST(KirvoBinding, PassesEveryCallThroughUnchanged) {
  // The same library the binding loads, opened here too to read what it recorded.
  void* library = dlopen(KIRVOPORT_RECORDING_DIR "/libkirvoport.so", RTLD_NOW);
  ASSERT_NE(library, nullptr) << dlerror();
  const auto calls = reinterpret_cast<const char* (*)()>(dlsym(library, "KirvoDouble_Calls"));
  const auto setInput = reinterpret_cast<void (*)(int16_t)>(dlsym(library, "KirvoDouble_SetInput"));
  ASSERT_NE(calls, nullptr);
  ASSERT_NE(setInput, nullptr);
  {
    KirvoBinding port(KIRVOPORT_RECORDING_DIR);
    EXPECT_EQ(port.start(), 13);
    EXPECT_EQ(port.lastError(), "refused by the double");
    port.outB(0x37A, 0x1EC);
    port.outB(0x37A, -20);
    for (std::int16_t value : {-1, -128, 127, 0}) {
      setInput(value);
      EXPECT_EQ(port.inpB(0x378), value);
    }
    EXPECT_EQ(port.stop(), 8);
  }
  EXPECT_STREQ(calls(),
               "KIRVO_Start\nKIRVO_LastError\nOutB 890 492\nOutB 890 -20\nInpB 888\nInpB 888\n"
               "InpB 888\nInpB 888\nKIRVO_Stop\n");
  dlclose(library);
}

TEST(KirvoBinding, BindsTheRealLibrary) {
  KirvoBinding port(KIRVOPORT_DIR);
  EXPECT_EQ(port.lastError(), "");
  EXPECT_EQ(port.stop(), 0);
}

}  // namespace
}  // namespace tallix
