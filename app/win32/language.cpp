#include "language.h"

#include <windows.h>

#include "base/say.h"
#include "base/translations.h"

namespace tallix::win32 {

bool japaneseUi() {
  static const bool japanese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
  return japanese;
}

namespace {

std::string inLanguage(const char* context, const char* source) {
  const char* japanese = japaneseUi() ? tallix::japanese(context, source) : nullptr;
  return japanese != nullptr ? japanese : source;
}

}  // namespace

std::wstring translate(const char* context, const char* source) {
  return widen(inLanguage(context, source));
}

std::wstring fill(std::wstring_view text, const std::vector<std::string>& args) {
  return widen(fillIn(narrow(text), args));
}

std::wstring translated(const Said& text) {
  return widen(text.in([](const char* source) { return inLanguage("Say", source); }));
}

std::string settingsSample() {
  // The samples are resources of the program (tallix.rc).
  HRSRC found = FindResourceW(nullptr, japaneseUi() ? L"SAMPLE_JA" : L"SAMPLE_EN", RT_RCDATA);
  HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
  if (loaded == nullptr) return {};
  return std::string(static_cast<const char*>(LockResource(loaded)),
                     SizeofResource(nullptr, found));
}

}  // namespace tallix::win32
