// A Windows machine as the driver lifecycle sees it: the service control manager with at most
// one service "kirvo", the driver that service runs, the files on disk and the handles given
// out. It logs every call, checks the fixed arguments of each and that every handle it is
// given is open and of the right kind.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "driver_lifecycle.h"

namespace kirvo::testing {

class FakeServiceManager final : public ServicePlatform {
 public:
  // The machine; tests set it up before the call and look at it afterwards.
  std::optional<std::uint32_t> platformId = 2;  // nullopt: the version query fails
  bool managerAccess = true;                    // false: a user without administrator rights
  std::string currentDir = "C:\\tallix\\";
  std::set<std::string> files = {"C:\\tallix\\kirvo.sys"};  // driver files on disk
  bool registered = false;                                  // the service "kirvo" exists
  std::string servicePath;                                  // its driver file
  bool running = false;
  bool deviceWorks = true;        // false: the running driver's device cannot be opened
  std::uint32_t deleteError = 0;  // not 0: DeleteService fails with this code

  // Every call in order: its name, what it acted on, and " -> code" when it failed.
  std::vector<std::string> calls;

  // The kinds of the handles still open ("manager", "service", "device").
  std::multiset<std::string> openHandles() const {
    std::multiset<std::string> kinds;
    for (const auto& [handle, kind] : handles_) kinds.insert(kind);
    return kinds;
  }

  // A service registered from an earlier run.
  void registerService(const std::string& path, bool isRunning) {
    registered = true;
    servicePath = path;
    running = isRunning;
  }

  std::optional<std::uint32_t> versionPlatformId() override {
    if (platformId) {
      calls.push_back("GetVersionExA");
    } else {
      fail("GetVersionExA", 87);
    }
    return platformId;
  }

  std::uint32_t fullPathName(const char* name, std::uint32_t size, char* buffer) override {
    EXPECT_STREQ(name, "kirvo.sys");
    calls.push_back("GetFullPathNameA");
    const std::string full = currentDir + name;
    if (full.size() + 1 > size) return static_cast<std::uint32_t>(full.size() + 1);
    std::memcpy(buffer, full.c_str(), full.size() + 1);
    return static_cast<std::uint32_t>(full.size());
  }

  Handle openSCManager(std::uint32_t access) override {
    EXPECT_EQ(access, 0xF003Fu);
    if (!managerAccess) return fail("OpenSCManagerA", 5);
    return succeed("OpenSCManagerA", "manager");
  }

  Handle createService(Handle manager, const char* name, const char* displayName,
                       std::uint32_t access, std::uint32_t serviceType, std::uint32_t startType,
                       std::uint32_t errorControl, const char* binaryPath) override {
    use(manager, "manager");
    EXPECT_STREQ(name, "kirvo");
    EXPECT_STREQ(displayName, "kirvo");
    EXPECT_EQ(access, 0xF01FFu);
    EXPECT_EQ(serviceType, 1u);
    EXPECT_EQ(startType, 3u);
    EXPECT_EQ(errorControl, 1u);
    const std::string call = std::string("CreateServiceA ") + binaryPath;
    if (registered) return fail(call, 1073);
    registerService(binaryPath, false);
    return succeed(call, "service");
  }

  Handle openService(Handle manager, const char* name, std::uint32_t access) override {
    use(manager, "manager");
    EXPECT_STREQ(name, "kirvo");
    EXPECT_EQ(access, 0xF01FFu);
    if (!registered) return fail("OpenServiceA", 1060);
    return succeed("OpenServiceA", "service");
  }

  bool startService(Handle service) override {
    use(service, "service");
    if (running) return fail("StartServiceA", 1056);
    if (files.count(servicePath) == 0) return fail("StartServiceA", 2);
    running = true;
    return succeed("StartServiceA");
  }

  bool controlService(Handle service, std::uint32_t control) override {
    use(service, "service");
    EXPECT_EQ(control, 1u);
    if (!running) return fail("ControlService", 1062);
    running = false;
    return succeed("ControlService");
  }

  bool deleteService(Handle service) override {
    use(service, "service");
    if (deleteError != 0) return fail("DeleteService", deleteError);
    registered = false;
    return succeed("DeleteService");
  }

  bool closeServiceHandle(Handle handle) override { return close(handle, "CloseServiceHandle"); }

  Handle createFile(const char* path, std::uint32_t access, std::uint32_t shareMode,
                    std::uint32_t disposition, std::uint32_t attributes) override {
    EXPECT_STREQ(path, "\\\\.\\kirvo");
    EXPECT_EQ(access, 0x80000000u);
    EXPECT_EQ(shareMode, 0u);
    EXPECT_EQ(disposition, 3u);
    EXPECT_EQ(attributes, 0x80u);
    if (!running) return fail("CreateFileA", 2);
    if (!deviceWorks) return fail("CreateFileA", 31);
    return succeed("CreateFileA", "device");
  }

  bool closeHandle(Handle handle) override { return close(handle, "CloseHandle"); }

  std::uint32_t lastError() override { return lastError_; }

 private:
  // Logs a failed call; the result converts to a failed Handle (0) or bool (false).
  int fail(const std::string& call, std::uint32_t error) {
    calls.push_back(call + " -> " + std::to_string(error));
    lastError_ = error;
    return 0;
  }
  // Logs a call that succeeded, and gives out a new handle of `kind` when it makes one. The
  // error code is reset, so a caller that asks for it one call too late sees 0.
  Handle succeed(const std::string& call, const char* kind = nullptr) {
    calls.push_back(call);
    lastError_ = 0;
    if (kind == nullptr) return 1;
    handles_[next_] = kind;
    return next_++;
  }
  void use(Handle handle, const std::string& kind) {
    const auto it = handles_.find(handle);
    if (it == handles_.end() || it->second != kind) {
      ADD_FAILURE() << "not an open " << kind << " handle: " << handle;
    }
  }
  bool close(Handle handle, const std::string& call) {
    const auto it = handles_.find(handle);
    if (it == handles_.end()) {
      ADD_FAILURE() << call << " of a handle that is not open: " << handle;
      return fail(call, 6);
    }
    if ((call == "CloseHandle") != (it->second == "device")) {
      ADD_FAILURE() << call << " of a " << it->second << " handle";
    }
    calls.push_back(call + " " + it->second);
    handles_.erase(it);
    lastError_ = 0;
    return true;
  }

  std::map<Handle, std::string> handles_;
  Handle next_ = 0x100;
  std::uint32_t lastError_ = 0;
};

}  // namespace kirvo::testing
