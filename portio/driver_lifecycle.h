// The lifecycle of the port driver on NT-family Windows: KIRVO_Start installs the kernel driver
// kirvo.sys as the service "kirvo" when needed, starts it and opens its device "\\.\kirvo",
// which leaves the process allowed to use the port instructions; KIRVO_Stop stops and removes
// the service again as far as the start flags say.
//
// The lifecycle makes its platform calls through ServicePlatform, so the same code runs against
// the real service control manager (in kirvoport.dll) and against a fake one in the tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kirvo {

// A service control manager, service or file handle; 0 is none.
using Handle = std::uintptr_t;

// The Windows calls the lifecycle makes, one method per call with the same arguments. A method
// that returns a Handle returns 0 when the call fails; one that returns bool returns false.
class ServicePlatform {
 public:
  virtual ~ServicePlatform() = default;
  // GetVersionExA with the record's size field set to 148: the platform identifier, or
  // nullopt when the query fails.
  virtual std::optional<std::uint32_t> versionPlatformId() = 0;
  // GetFullPathNameA: the length written to `buffer`, or the size needed when it does not fit,
  // or 0 on failure.
  virtual std::uint32_t fullPathName(const char* name, std::uint32_t size, char* buffer) = 0;
  // OpenSCManagerA of the local machine's active database.
  virtual Handle openSCManager(std::uint32_t access) = 0;
  // CreateServiceA with no load-order group, tag, dependencies, account or password.
  virtual Handle createService(Handle manager, const char* name, const char* displayName,
                               std::uint32_t access, std::uint32_t serviceType,
                               std::uint32_t startType, std::uint32_t errorControl,
                               const char* binaryPath) = 0;
  virtual Handle openService(Handle manager, const char* name, std::uint32_t access) = 0;
  // StartServiceA with no arguments.
  virtual bool startService(Handle service) = 0;
  virtual bool controlService(Handle service, std::uint32_t control) = 0;
  virtual bool deleteService(Handle service) = 0;
  virtual bool closeServiceHandle(Handle handle) = 0;
  // CreateFileA with no security attributes and no template.
  virtual Handle createFile(const char* path, std::uint32_t access, std::uint32_t shareMode,
                            std::uint32_t disposition, std::uint32_t attributes) = 0;
  virtual bool closeHandle(Handle handle) = 0;
  // GetLastError: the error code of the call that failed last.
  virtual std::uint32_t lastError() = 0;
};

// The process-wide state of the library and the operations on it. OpenManager returns 0 or
// the platform's error code; the four service steps return 0 on success, 1 when the manager
// cannot be opened and the platform's error code otherwise.
class DriverLifecycle {
 public:
  explicit DriverLifecycle(ServicePlatform& platform) : platform_(platform) {}
  DriverLifecycle(const DriverLifecycle&) = delete;
  DriverLifecycle& operator=(const DriverLifecycle&) = delete;

  // 0 where the platform gives direct port access, 14 after the device was opened, odd when
  // the device could not be opened; what a failed start did is undone by KIRVO_Stop.
  std::int32_t KIRVO_Start();
  // 0 when it ran to its end; 0, 4 or 8 when it ended early at a failed step.
  std::int32_t KIRVO_Stop();
  // Why the last KIRVO_Start failed (the text of KIRVO_LastError); "" after a success.
  const std::string& reason() const { return reason_; }

 private:
  int PlatformKind();  // 1: direct port access; 2: NT family; 0: unknown (treated like 2)
  std::uint32_t OpenManager();
  void CloseManager();
  std::uint32_t InstallDriver();
  std::uint32_t StartDriver();
  std::uint32_t StopDriver();
  std::uint32_t RemoveDriver();
  // Opens the service and makes one call on it: 0, or the error code of the open or the call.
  template <typename Call>
  std::uint32_t onService(Call call);
  // Record why a step of KIRVO_Start failed: `what` and the error code; for a service step
  // that could not open the service control manager, that.
  void noteFailure(const char* what, std::uint32_t error);
  void noteServiceFailure(const char* what, std::uint32_t error);

  ServicePlatform& platform_;
  std::uint32_t startFlags_ = 0;
  Handle managerHandle_ = 0;
  char driverPath_[260] = {};       // full path of kirvo.sys, filled by InstallDriver
  std::uint32_t managerError_ = 0;  // the error code of the last failed OpenManager
  std::string reason_;
};

}  // namespace kirvo
