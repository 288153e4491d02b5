// The live view as a window runs it, the same in both views: started with the window when the
// command line's --serve or tallix.ini's [serve] port= asks for it, handed the figures on the
// window's thread every LiveServer::kPublishInterval, its news said on the window's notice line
// (where the page is, why it is not served, that it stopped or serves again).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "live_server.h"
#include "session/session.h"

namespace tallix {

class LiveView {
 public:
  explicit LiveView(SessionView& view) : view_(view) {}

  // Serves the counter's figures when `commandLine` (--serve=PORT, or 0 for --serve alone) or
  // the counter's settings ask for it. True when it serves: publish() is then due on the
  // window's timer.
  bool start(const Counter& counter, std::optional<std::uint16_t> commandLine);
  // Hands over what changed; says the server's news.
  void publish(const Counter& counter);
  // Closes every connection; nothing is served afterwards.
  void stop() { server_.reset(); }

  const LiveServer* server() const { return server_.get(); }

 private:
  SessionView& view_;
  std::unique_ptr<LiveServer> server_;
};

}  // namespace tallix
