// CP932 (the Japanese Windows code page) at the file boundary. Profile files are CP932 on
// disk so that they move between Windows and Linux unchanged; inside the program every text
// is UTF-8. Also UTF-16LE, the other form Windows reads a profile file in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tallix {

// Bytes that are not valid CP932 become U+FFFD.
std::string cp932ToUtf8(std::string_view cp932);

// Characters that CP932 cannot hold become "?", as the Windows conversion writes them.
std::string utf8ToCp932(std::string_view utf8);

// UTF-16LE from and to UTF-8; a unit that is not part of a character (an unpaired surrogate,
// a last odd byte) and bytes that are not UTF-8 become U+FFFD.
std::string utf16leToUtf8(std::string_view utf16le);
std::string utf8ToUtf16le(std::string_view utf8);

#ifdef _WIN32
// UTF-8 and the UTF-16 of the Windows W functions.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);
#endif

// Whether the bytes are well-formed UTF-8 with at least one character beyond ASCII: a text that
// can only be UTF-8, since CP932 text is hardly ever well-formed UTF-8 as well.
bool isUtf8Text(std::string_view bytes);

// The length of the longest prefix of at most maxBytes bytes that does not split a
// double-byte character.
std::size_t cp932Prefix(std::string_view cp932, std::size_t maxBytes);

}  // namespace tallix
