#include "live_view.h"

#include "counting/counter.h"

namespace tallix {

namespace {

constexpr auto kTopic = Notices::Topic::liveView;

}  // namespace

bool LiveView::start(const Counter& counter, std::optional<std::uint16_t> commandLine) {
  const ServeSettings& settings = counter.settings().serve;
  const std::uint16_t port = servePort(commandLine, settings);
  if (port == 0) return false;
  server_ = std::make_unique<LiveServer>(counter);
  if (const Said why = server_->listen(settings.address, port, settings.allowOrigin);
      !why.empty()) {
    server_.reset();
    view_.notice(why, SessionView::Notice::lasting, kTopic);
    return false;
  }
  view_.notice(Say::tr("The live view is at %1", {server_->url()}), SessionView::Notice::passing,
               kTopic);
  return true;
}

void LiveView::publish(const Counter& counter) {
  if (!server_) return;
  // The server says when it stopped or cannot start again, and when it serves again, which it
  // does by itself: that takes the place of the stop.
  if (const Said said = server_->publish(counter); !said.empty()) {
    view_.notice(said,
                 server_->serving() ? SessionView::Notice::passing : SessionView::Notice::lasting,
                 kTopic);
  }
}

}  // namespace tallix
