#include "driver_lifecycle.h"

namespace kirvo {

namespace {

// Bits of startFlags, which is also the result of KIRVO_Start.
constexpr std::uint32_t kStartFailed = 1;      // the start failed
constexpr std::uint32_t kDeviceReachable = 2;  // the device could be opened
constexpr std::uint32_t kMustStop = 4;         // KIRVO_Stop must stop the service
constexpr std::uint32_t kMustRemove = 8;       // KIRVO_Stop must remove the service

constexpr const char* kDriverFile = "kirvo.sys";  // resolved against the current directory
constexpr const char* kServiceName = "kirvo";     // also the display name
constexpr const char* kDevicePath = "\\\\.\\kirvo";

constexpr std::uint32_t kScManagerAllAccess = 0xF003F;
constexpr std::uint32_t kServiceAllAccess = 0xF01FF;
constexpr std::uint32_t kServiceKernelDriver = 1;
constexpr std::uint32_t kServiceDemandStart = 3;
constexpr std::uint32_t kServiceErrorNormal = 1;
constexpr std::uint32_t kServiceControlStop = 1;
constexpr std::uint32_t kGenericRead = 0x80000000;
constexpr std::uint32_t kOpenExisting = 3;
constexpr std::uint32_t kFileAttributeNormal = 0x80;

constexpr std::uint32_t kErrorServiceExists = 1073;
constexpr std::uint32_t kErrorFilenameExcedRange = 206;

constexpr int kPlatformDirect = 1;
constexpr int kPlatformNt = 2;
constexpr std::uint32_t kManagerFailed = 1;

}  // namespace

std::int32_t DriverLifecycle::KIRVO_Start() {
  startFlags_ = 0;
  reason_.clear();
  if (PlatformKind() == kPlatformDirect) return 0;

  // Attempt 0 only tries the device (the driver may be running already), attempt 1 starts a
  // registered service, attempt 2 registers the service from the driver file and starts it.
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (attempt == 2) {
      if (const std::uint32_t error = InstallDriver(); error != 0) {
        noteServiceFailure(error == kErrorServiceExists
                               ? "removed a kirvo service that could not be used; start again"
                               : "cannot register the driver service kirvo",
                           error);
        break;
      }
      startFlags_ |= kMustRemove;
    }
    if (attempt >= 1) {
      if (const std::uint32_t error = StartDriver(); error != 0) {
        noteServiceFailure("cannot start the driver service kirvo", error);
        continue;
      }
      startFlags_ |= kMustStop;
    }
    const Handle device =
        platform_.createFile(kDevicePath, kGenericRead, 0, kOpenExisting, kFileAttributeNormal);
    if (device != 0) {
      platform_.closeHandle(device);
      // From here on KIRVO_Stop stops and removes the service, even one that was registered or
      // running before this start.
      startFlags_ |= kDeviceReachable | kMustStop | kMustRemove;
      reason_.clear();  // an earlier attempt's failure does not count
      return static_cast<std::int32_t>(startFlags_);
    }
    noteFailure("cannot open the device \\\\.\\kirvo", platform_.lastError());
  }

  KIRVO_Stop();  // undoes what the flags say was done
  startFlags_ |= kStartFailed;
  return static_cast<std::int32_t>(startFlags_);
}

std::int32_t DriverLifecycle::KIRVO_Stop() {
  if (PlatformKind() == kPlatformDirect) return 0;
  // StopDriver clears kMustStop unless the manager could not be opened, so an early end here
  // gives 0 or 4; RemoveDriver leaves kMustRemove set, so an early end there gives 8.
  if ((startFlags_ & kMustStop) != 0 && StopDriver() != 0) {
    return static_cast<std::int32_t>(startFlags_ & kMustStop);
  }
  if ((startFlags_ & kMustRemove) != 0 && RemoveDriver() != 0) {
    return static_cast<std::int32_t>(startFlags_ & kMustRemove);
  }
  CloseManager();
  return 0;
}

int DriverLifecycle::PlatformKind() {
  const std::optional<std::uint32_t> id = platform_.versionPlatformId();
  if (!id) return 0;
  return *id == 2 ? kPlatformNt : kPlatformDirect;
}

std::uint32_t DriverLifecycle::OpenManager() {
  if (managerHandle_ != 0) return 0;
  managerHandle_ = platform_.openSCManager(kScManagerAllAccess);
  if (managerHandle_ != 0) return 0;
  managerError_ = platform_.lastError();
  return managerError_;
}

void DriverLifecycle::CloseManager() {
  if (managerHandle_ != 0) platform_.closeServiceHandle(managerHandle_);
  managerHandle_ = 0;
  startFlags_ &= ~kMustRemove;
}

std::uint32_t DriverLifecycle::InstallDriver() {
  if (OpenManager() != 0) return kManagerFailed;
  // A path that does not fit would register the service with a wrong one.
  const std::uint32_t length = platform_.fullPathName(kDriverFile, sizeof driverPath_, driverPath_);
  if (length == 0) return platform_.lastError();
  if (length >= sizeof driverPath_) return kErrorFilenameExcedRange;

  const Handle service = platform_.createService(
      managerHandle_, kServiceName, kServiceName, kServiceAllAccess, kServiceKernelDriver,
      kServiceDemandStart, kServiceErrorNormal, driverPath_);
  if (service != 0) {
    platform_.closeServiceHandle(service);
    startFlags_ &= ~kMustRemove;  // KIRVO_Start sets it again at once
    return 0;
  }
  const std::uint32_t error = platform_.lastError();
  if (error == kErrorServiceExists) {
    // A registration that could not be started; remove it so the next start registers afresh.
    StopDriver();
    RemoveDriver();
  }
  return error;
}

std::uint32_t DriverLifecycle::StartDriver() {
  if (OpenManager() != 0) return kManagerFailed;
  return onService([this](Handle service) { return platform_.startService(service); });
}

std::uint32_t DriverLifecycle::StopDriver() {
  if (OpenManager() != 0) return kManagerFailed;
  const std::uint32_t error = onService(
      [this](Handle service) { return platform_.controlService(service, kServiceControlStop); });
  startFlags_ &= ~kMustStop;
  return error;
}

std::uint32_t DriverLifecycle::RemoveDriver() {
  if (OpenManager() != 0) return kManagerFailed;
  // The platform removes the service once the last handle to it is closed.
  const std::uint32_t error =
      onService([this](Handle service) { return platform_.deleteService(service); });
  startFlags_ &= ~kDeviceReachable;
  return error;
}

template <typename Call>
std::uint32_t DriverLifecycle::onService(Call call) {
  const Handle service = platform_.openService(managerHandle_, kServiceName, kServiceAllAccess);
  if (service == 0) return platform_.lastError();
  // The error code is taken before the handle is closed, which may change it.
  const std::uint32_t error = call(service) ? 0 : platform_.lastError();
  platform_.closeServiceHandle(service);
  return error;
}

void DriverLifecycle::noteFailure(const char* what, std::uint32_t error) {
  reason_ = std::string(what) + " (error " + std::to_string(error) + ")";
}

void DriverLifecycle::noteServiceFailure(const char* what, std::uint32_t error) {
  // A step that could not open the manager returns 1; the manager's own code says more.
  if (managerHandle_ == 0) {
    reason_ = "no access to the service control manager (error " + std::to_string(managerError_) +
              "): run as administrator";
  } else {
    noteFailure(what, error);
  }
}

}  // namespace kirvo
