// Which requests the live view answers: the checks that keep the pages of other sites out.
//
// A page of any site, opened in a browser on this PC, can send requests to this PC's addresses.
// It reads an answer only where the server lets it: through a name of its own that it points
// at this PC ("DNS rebinding"; its requests then carry that name in Host), through a WebSocket
// (browsers open one to anywhere and send the page's Origin), or through a header that allows
// its origin (Access-Control-Allow-Origin). So Host must name this PC, Origin (when a browser
// sends one) must be the live view's own, and no answer allows another origin unless the player
// named it in [serve] allow_origin=.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tallix {

// Whether a Host header names this PC: localhost, 127.0.0.1, [::1] or `address` (the address
// the connection came in on, an IPv6 one in brackets), with the port served (no port: 80).
// Names are compared without regard to case.
bool hostNamesThisPc(std::string_view host, std::uint16_t port, std::string_view address);

// Whether a request with this Origin header (nullopt: none) may be answered: none, the live
// view's own origin (http:// and the request's Host, which hostNamesThisPc() accepted) or, for
// anything but the WebSocket, `allowOrigin` ("" for none).
bool originAllowed(std::optional<std::string_view> origin, std::string_view host,
                   std::string_view allowOrigin, bool webSocket);

}  // namespace tallix
