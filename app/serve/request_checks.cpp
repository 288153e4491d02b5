#include "request_checks.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "base/settings.h"

namespace tallix {

namespace {

bool sameText(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

bool hostNamesThisPc(std::string_view host, std::uint16_t port, std::string_view address) {
  // "name", "name:port", "[v6]" or "[v6]:port".
  const std::size_t nameEnd = host.starts_with('[') ? host.find(']') + 1 : host.find(':');
  if (nameEnd == 0) return false;  // "[" without its "]"
  const std::string_view name = host.substr(0, nameEnd);
  const std::string_view rest = nameEnd < host.size() ? host.substr(nameEnd) : std::string_view();
  const bool portOk =
      rest.empty() ? port == 80 : rest.front() == ':' && parsePortNumber(rest.substr(1)) == port;
  return portOk && (sameText(name, "localhost") || name == "127.0.0.1" || name == "[::1]" ||
                    sameText(name, address));
}

bool originAllowed(std::optional<std::string_view> origin, std::string_view host,
                   std::string_view allowOrigin, bool webSocket) {
  if (!origin) return true;
  if (sameText(*origin, "http://" + std::string(host))) return true;
  return !webSocket && !allowOrigin.empty() && sameText(*origin, allowOrigin);
}

}  // namespace tallix
