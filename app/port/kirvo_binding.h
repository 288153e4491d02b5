// The Port of the real machine: the exports of the port library kirvoport, bound by name at
// their first call. The library is loaded by the first call into it (KIRVO_Start at start-up),
// from the program's directory first and then from the system's search path.
#pragma once

#include <filesystem>
#include <stdexcept>

#include "base/files.h"
#include "base/say.h"
#include "kirvoport.h"
#include "port.h"

namespace tallix {

// The port library or one of its exports cannot be had; the message names the library or the
// export and where it was looked for. The program cannot go on without it.
class PortLibraryError : public SaidError {
 public:
  using SaidError::SaidError;
};

class KirvoBinding final : public Port {
 public:
  // "libkirvoport.so", or "kirvoport.dll" on Windows.
  static const char* const kLibraryName;

  // Looks for the library in `dir` first and then on the system's search path; loads nothing
  // yet. Every call below throws PortLibraryError when the library or its export is missing.
  explicit KirvoBinding(std::filesystem::path dir = pathOf(AppDir()));
  ~KirvoBinding() override;
  KirvoBinding(const KirvoBinding&) = delete;
  KirvoBinding& operator=(const KirvoBinding&) = delete;

  std::int32_t start() override;
  std::string lastError() override;
  std::int32_t stop() override;
  std::int16_t inpB(std::uint16_t port) override;
  void outB(std::uint16_t port, std::int16_t value) override;

 private:
  // The export `name`, bound into `slot` at its first use.
  template <typename Proc>
  Proc bound(Proc& slot, const char* name);
  void load();

  std::filesystem::path dir_;
  void* library_ = nullptr;
  std::string loadedFrom_;  // the file the library was loaded from
  KIRVO_StartProc start_ = nullptr;
  KIRVO_LastErrorProc lastError_ = nullptr;
  KIRVO_StopProc stop_ = nullptr;
  InpBProc inpB_ = nullptr;
  OutBProc outB_ = nullptr;
};

}  // namespace tallix
