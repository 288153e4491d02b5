#include "kirvo_binding.h"

#include <string>
#include <utility>

#include "base/say.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <link.h>
#endif

namespace tallix {

namespace {

// Any exported function, before it is given its own type.
using AnyProc = void (*)();

#ifdef _WIN32

void* openLibrary(const std::filesystem::path& file, std::string& error) {
  HMODULE library = LoadLibraryW(file.c_str());
  if (library == nullptr) error = "error " + std::to_string(GetLastError());
  return reinterpret_cast<void*>(library);
}

std::string loadedPath(void* library) {
  wchar_t buffer[32768];
  const DWORD n = GetModuleFileNameW(static_cast<HMODULE>(library), buffer, 32768);
  return std::filesystem::path(std::wstring(buffer, n)).string();
}

AnyProc findExport(void* library, const char* name) {
  return reinterpret_cast<AnyProc>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void closeLibrary(void* library) {
  FreeLibrary(static_cast<HMODULE>(library));
}

#else

void* openLibrary(const std::filesystem::path& file, std::string& error) {
  void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) error = dlerror();
  return library;
}

std::string loadedPath(void* library) {
  link_map* map = nullptr;
  if (dlinfo(library, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) return "";
  return map->l_name;
}

AnyProc findExport(void* library, const char* name) {
  return reinterpret_cast<AnyProc>(dlsym(library, name));
}

void closeLibrary(void* library) {
  dlclose(library);
}

#endif

}  // namespace

#ifdef _WIN32
const char* const KirvoBinding::kLibraryName = "kirvoport.dll";
#else
const char* const KirvoBinding::kLibraryName = "libkirvoport.so";
#endif

KirvoBinding::KirvoBinding(std::filesystem::path dir) : dir_(std::move(dir)) {}

KirvoBinding::~KirvoBinding() {
  if (library_ != nullptr) closeLibrary(library_);
}

std::int32_t KirvoBinding::start() {
  return bound(start_, "KIRVO_Start")();
}

std::string KirvoBinding::lastError() {
  const char* text = bound(lastError_, "KIRVO_LastError")();
  return text != nullptr ? text : "";
}

std::int32_t KirvoBinding::stop() {
  return bound(stop_, "KIRVO_Stop")();
}

std::int16_t KirvoBinding::inpB(std::uint16_t port) {
  return bound(inpB_, "InpB")(port);
}

void KirvoBinding::outB(std::uint16_t port, std::int16_t value) {
  bound(outB_, "OutB")(port, value);
}

template <typename Proc>
Proc KirvoBinding::bound(Proc& slot, const char* name) {
  if (slot == nullptr) {
    if (library_ == nullptr) load();
    const AnyProc proc = findExport(library_, name);
    if (proc == nullptr) {
      throw PortLibraryError(Say::tr("the port library %1 has no export %2", {loadedFrom_, name}));
    }
    slot = reinterpret_cast<Proc>(proc);
  }
  return slot;
}

void KirvoBinding::load() {
  std::string error;
  library_ = openLibrary(dir_ / kLibraryName, error);
  if (library_ == nullptr) {
    std::string ignored;  // the reason from the program's directory says more
    library_ = openLibrary(kLibraryName, ignored);
  }
  if (library_ == nullptr) {
    throw PortLibraryError(
        Say::tr("cannot load the port library %1 from %2 or the system's search path: %3",
                {kLibraryName, dir_.string(), error}));
  }
  loadedFrom_ = loadedPath(library_);
}

}  // namespace tallix
