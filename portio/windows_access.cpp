// KIRVO_Start, KIRVO_Stop and KIRVO_LastError on Windows: the driver lifecycle over the real
// service control manager and kernel calls.
#include <windows.h>

#include "driver_lifecycle.h"
#include "kirvoport.h"

namespace kirvo {
namespace {

SC_HANDLE scHandle(Handle handle) {
  return reinterpret_cast<SC_HANDLE>(handle);
}
Handle handleOf(const void* handle) {
  return reinterpret_cast<Handle>(handle);
}

class WindowsServices final : public ServicePlatform {
 public:
  std::optional<std::uint32_t> versionPlatformId() override {
    OSVERSIONINFOA info{};
    static_assert(sizeof info == 148);
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return std::nullopt;
    return info.dwPlatformId;
  }
  std::uint32_t fullPathName(const char* name, std::uint32_t size, char* buffer) override {
    return GetFullPathNameA(name, size, buffer, nullptr);
  }
  Handle openSCManager(std::uint32_t access) override {
    return handleOf(OpenSCManagerA(nullptr, nullptr, access));
  }
  Handle createService(Handle manager, const char* name, const char* displayName,
                       std::uint32_t access, std::uint32_t serviceType, std::uint32_t startType,
                       std::uint32_t errorControl, const char* binaryPath) override {
    return handleOf(CreateServiceA(scHandle(manager), name, displayName, access, serviceType,
                                   startType, errorControl, binaryPath, nullptr, nullptr, nullptr,
                                   nullptr, nullptr));
  }
  Handle openService(Handle manager, const char* name, std::uint32_t access) override {
    return handleOf(OpenServiceA(scHandle(manager), name, access));
  }
  bool startService(Handle service) override {
    return StartServiceA(scHandle(service), 0, nullptr) != 0;
  }
  bool controlService(Handle service, std::uint32_t control) override {
    SERVICE_STATUS status{};
    return ControlService(scHandle(service), control, &status) != 0;
  }
  bool deleteService(Handle service) override { return DeleteService(scHandle(service)) != 0; }
  bool closeServiceHandle(Handle handle) override {
    return CloseServiceHandle(scHandle(handle)) != 0;
  }
  Handle createFile(const char* path, std::uint32_t access, std::uint32_t shareMode,
                    std::uint32_t disposition, std::uint32_t attributes) override {
    const HANDLE file =
        CreateFileA(path, access, shareMode, nullptr, disposition, attributes, nullptr);
    return file == INVALID_HANDLE_VALUE ? 0 : handleOf(file);
  }
  bool closeHandle(Handle handle) override {
    return CloseHandle(reinterpret_cast<HANDLE>(handle)) != 0;
  }
  std::uint32_t lastError() override { return GetLastError(); }
};

// The process-wide state, created when the library is loaded.
WindowsServices services;
DriverLifecycle lifecycle(services);

}  // namespace
}  // namespace kirvo

extern "C" {

int32_t KIRVO_CALL KIRVO_Start(void) {
  return kirvo::lifecycle.KIRVO_Start();
}
int32_t KIRVO_CALL KIRVO_Stop(void) {
  return kirvo::lifecycle.KIRVO_Stop();
}
const char* KIRVO_CALL KIRVO_LastError(void) {
  return kirvo::lifecycle.reason().c_str();
}

}  // extern "C"
