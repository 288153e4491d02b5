// The binding against stand-ins of the port library (built with the tests) and against the real
// library's start-free calls; no port instruction is executed.
#include "port/kirvo_binding.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

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

// The stand-in library of `dir`, opened a second time beside the binding (the same module), for
// its extra exports.
class DoubleLibrary {
 public:
  explicit DoubleLibrary(const std::string& dir) {
    const std::string file = dir + "/" + KirvoBinding::kLibraryName;
#ifdef _WIN32
    library_ = LoadLibraryA(file.c_str());
#else
    library_ = dlopen(file.c_str(), RTLD_NOW);
#endif
  }
  ~DoubleLibrary() {
#ifdef _WIN32
    FreeLibrary(static_cast<HMODULE>(library_));
#else
    dlclose(library_);
#endif
  }
  DoubleLibrary(const DoubleLibrary&) = delete;
  DoubleLibrary& operator=(const DoubleLibrary&) = delete;

  bool loaded() const {
    return library_ != nullptr;
  }
  template <typename Proc>
  Proc find(const char* name) const {
#ifdef _WIN32
    // Through void (*)(), the one function type any other may be cast from without a warning.
    return reinterpret_cast<Proc>(
        reinterpret_cast<void (*)()>(GetProcAddress(static_cast<HMODULE>(library_), name)));
#else
    return reinterpret_cast<Proc>(dlsym(library_, name));
#endif
  }

 private:
  void* library_ = nullptr;
};

TEST(KirvoBinding, AMissingLibraryFailsTheFirstCallNamingItAndWhereItWasLookedFor) {
  const std::string dir = "/nonexistent/tallix";
#ifdef _WIN32
  const std::string reason = "error 126";  // ERROR_MOD_NOT_FOUND
#else
  const std::string reason =
      "/nonexistent/tallix/libkirvoport.so: cannot open shared object file: No such file or "
      "directory";
#endif
  for (std::size_t i = 0; i < std::size(kEveryCall); ++i) {
    SCOPED_TRACE(i);
    KirvoBinding port(dir);  // constructing loads nothing, so it cannot fail
    EXPECT_EQ(failureOf([&] { kEveryCall[i](port); }),
              "cannot load the port library " + std::string(KirvoBinding::kLibraryName) +
                  " from /nonexistent/tallix or the system's search path: " + reason);
  }
}

TEST(KirvoBinding, AMissingExportFailsItsFirstCallNamingItAndTheLibrary) {
  KirvoBinding port(KIRVOPORT_INCOMPLETE_DIR);
  EXPECT_EQ(port.start(), 13);
  // The library as the system names the file it loaded.
  const std::string failure = failureOf([&] { port.inpB(0x378); });
  const std::string suffix = std::string(KirvoBinding::kLibraryName) + " has no export InpB";
  EXPECT_TRUE(failure.starts_with("the port library ")) << failure;
  EXPECT_NE(failure.find("kirvoport_incomplete"), std::string::npos) << failure;
  EXPECT_TRUE(failure.ends_with(suffix)) << failure;
  // The other exports stay usable, and a later call fails the same way.
  port.outB(0x37A, 0xEC);
  EXPECT_EQ(failureOf([&] { port.inpB(0x378); }), failure);
}

TEST(KirvoBinding, PassesEveryCallThroughUnchanged) {
  const DoubleLibrary library(KIRVOPORT_RECORDING_DIR);
  ASSERT_TRUE(library.loaded());
  const auto calls = library.find<const char* (*)()>("KirvoDouble_Calls");
  const auto setInput = library.find<void (*)(int16_t)>("KirvoDouble_SetInput");
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
}

TEST(KirvoBinding, BindsTheRealLibrary) {
  KirvoBinding port(KIRVOPORT_DIR);
  EXPECT_EQ(port.lastError(), "");
  EXPECT_EQ(port.stop(), 0);
}

}  // namespace
}  // namespace tallix
