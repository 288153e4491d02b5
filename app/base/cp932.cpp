#include "cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

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
