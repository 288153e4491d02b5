#include "cp932.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <utility>

namespace tallix {

namespace {

// ASCII is the same in both encodings: most texts take this path and skip the conversion.
bool isAscii(std::string_view s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool isLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

#ifdef _WIN32

// Through the Windows code-page functions, with code page 932 whatever the system's code page.

std::wstring toWide(UINT codePage, DWORD flags, std::string_view in) {
  const int n =
      MultiByteToWideChar(codePage, flags, in.data(), static_cast<int>(in.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, flags, in.data(), static_cast<int>(in.size()), out.data(), n);
  return out;
}

// Wide text in a code page; `usedDefault` tells whether a character became the default "?".
std::string fromWide(UINT codePage, std::wstring_view in, BOOL* usedDefault) {
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* defaultChar = codePage == CP_UTF8 ? nullptr : "?";
  const int n = WideCharToMultiByte(codePage, flags, in.data(), static_cast<int>(in.size()),
                                    nullptr, 0, defaultChar, usedDefault);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, flags, in.data(), static_cast<int>(in.size()), out.data(), n,
                      defaultChar, usedDefault);
  return out;
}

}  // namespace

std::string cp932ToUtf8(std::string_view cp932) {
  if (isAscii(cp932)) return std::string(cp932);
  std::wstring wide = toWide(932, MB_ERR_INVALID_CHARS, cp932);
  if (wide.empty()) {
    // Some character is not valid: convert one character at a time, each invalid one to U+FFFD
    // after which the next byte starts a character again.
    for (std::size_t i = 0; i < cp932.size();) {
      const std::size_t n = std::min<std::size_t>(
          isLeadByte(static_cast<unsigned char>(cp932[i])) ? 2 : 1, cp932.size() - i);
      const std::wstring c = toWide(932, MB_ERR_INVALID_CHARS, cp932.substr(i, n));
      wide += c.empty() ? std::wstring(1, L'\xFFFD') : c;
      i += c.empty() ? 1 : n;
    }
  }
  return fromWide(CP_UTF8, wide, nullptr);
}

std::string utf8ToCp932(std::string_view utf8) {
  if (isAscii(utf8)) return std::string(utf8);
  const std::wstring wide = toWide(CP_UTF8, 0, utf8);  // invalid UTF-8 becomes U+FFFD
  BOOL usedDefault = FALSE;
  std::string out = fromWide(932, wide, &usedDefault);
  if (!usedDefault) return out;
  // One "?" for each character that CP932 lacks, also for one outside the 16-bit range (a
  // surrogate pair), as iconv writes it on the other platforms.
  out.clear();
  for (std::size_t i = 0; i < wide.size();) {
    const std::size_t n = IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size() ? 2 : 1;
    BOOL lacking = FALSE;
    const std::string c = fromWide(932, std::wstring_view(wide).substr(i, n), &lacking);
    out += lacking ? "?" : c;
    i += n;
  }
  return out;
}

std::wstring widen(std::string_view utf8) {
  return toWide(CP_UTF8, 0, utf8);
}

std::string narrow(std::wstring_view wide) {
  return fromWide(CP_UTF8, wide, nullptr);
}

#else

// Length of the UTF-8 sequence that starts with c (1 for a stray byte).
std::size_t utf8Length(unsigned char c) {
  if (c >= 0xF0 && c <= 0xF4) return 4;
  if (c >= 0xE0) return 3;
  if (c >= 0xC2 && c <= 0xDF) return 2;
  return 1;
}

// Converts with iconv; an unconvertible or incomplete sequence is replaced by `replacement`
// and skipped by the length that `skip` gives for its first byte.
template <typename Skip>
std::string convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement, Skip skip) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error(std::string("no conversion from ") + from + " to " + to);
  }
  std::string out;
  out.reserve(in.size() * 3 / 2 + 4);
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char buf[1024];
  while (srcLeft > 0) {
    char* dst = buf;
    std::size_t dstLeft = sizeof buf;
    const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf, dst - buf);
    if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out.append(replacement);
      const std::size_t n = std::min(srcLeft, skip(static_cast<unsigned char>(*src)));
      src += n;
      srcLeft -= n;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string cp932ToUtf8(std::string_view cp932) {
  if (isAscii(cp932)) return std::string(cp932);
  return convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD",
                 [](unsigned char) { return std::size_t{1}; });
}

std::string utf8ToCp932(std::string_view utf8) {
  if (isAscii(utf8)) return std::string(utf8);
  return convert("CP932", "UTF-8", utf8, "?", utf8Length);
}

#endif

namespace {

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void appendUtf16le(std::string& out, char16_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>(unit >> 8);
}

// The character that starts at s[i], and its length; U+FFFD and 1 for a byte that starts no
// well-formed UTF-8 character.
std::pair<char32_t, std::size_t> decodeUtf8(std::string_view s, std::size_t i) {
  constexpr std::pair<char32_t, std::size_t> kInvalid{0xFFFD, 1};
  const auto lead = static_cast<unsigned char>(s[i]);
  if (lead < 0x80) return {lead, 1};
  const std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (n == 0 || lead > 0xF4 || i + n > s.size()) return kInvalid;
  char32_t c = lead & (0x7F >> n);
  for (std::size_t k = 1; k < n; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return kInvalid;
    c = (c << 6) | (b & 0x3F);
  }
  const char32_t least = n == 2 ? 0x80 : n == 3 ? 0x800 : 0x10000;
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kInvalid;
  return {c, n};
}

}  // namespace

bool isUtf8Text(std::string_view bytes) {
  if (isAscii(bytes)) return false;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto [c, n] = decodeUtf8(bytes, i);
    if (c == 0xFFFD && n == 1) return false;
    i += n;
  }
  return true;
}

std::string utf16leToUtf8(std::string_view utf16le) {
  std::string out;
  out.reserve(utf16le.size());
  auto unitAt = [&](std::size_t i) {
    return static_cast<char16_t>(static_cast<unsigned char>(utf16le[i]) |
                                 static_cast<unsigned char>(utf16le[i + 1]) << 8);
  };
  std::size_t i = 0;
  for (; i + 1 < utf16le.size(); i += 2) {
    const char16_t unit = unitAt(i);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < utf16le.size()) {
      const char16_t low = unitAt(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    appendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit);
  }
  if (i < utf16le.size()) appendUtf8(out, 0xFFFD);
  return out;
}

std::string utf8ToUtf16le(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() * 2);
  for (std::size_t i = 0; i < utf8.size();) {
    const auto [c, n] = decodeUtf8(utf8, i);
    if (c >= 0x10000) {
      appendUtf16le(out, static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      appendUtf16le(out, static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      appendUtf16le(out, static_cast<char16_t>(c));
    }
    i += n;
  }
  return out;
}

std::size_t cp932Prefix(std::string_view cp932, std::size_t maxBytes) {
  std::size_t i = 0;
  while (i < cp932.size()) {
    const std::size_t n = isLeadByte(static_cast<unsigned char>(cp932[i])) ? 2 : 1;
    if (i + n > maxBytes) break;
    i += n;
  }
  return std::min(i, cp932.size());
}

}  // namespace tallix
