// The live view: the counter's figures served over HTTP to browsers and tools on this PC (or,
// with another address, the network), for a stream's browser source or a phone.
//
//   GET /                 the page (plain HTML, CSS and a little script, built in); with
//                         ?transparent its background is clear, for a streaming program
//   GET /api/figures      the figures as JSON (figures_json.h), the coin graph included
//   WebSocket /live       the same JSON at once, then again whenever a figure changes; the
//                         coin graph only when it changed since that client last got it
//
// HEAD is answered as GET is. Everything else gets a plain-text error; nothing a client sends
// changes the play. Requests from the pages of other sites are refused (request_checks.h).
//
// Threads: the server runs on a thread of its own and never touches the counter. The counter's
// thread hands it the figures with publish(): their JSON (a few hundred bytes) and the graph
// rows added since (one per 25 games), a constant cost however many clients there are. The
// server's thread turns them into immutable texts, the graph's JSON once per change of the
// graph, which every client's answer and message share.
//
// Every client is held to ServeLimits: a connection beyond the cap, or beyond its address's share
// of it, is closed at once; a request must arrive and be complete in time, within a size; a
// client is sent one answer or message at a time, and one that does not take it in time is
// disconnected. A WebSocket client that falls behind skips to the latest figures, so nothing
// piles up for it.
//
// Whatever goes wrong on the server's thread ends the live view, never the program: the next
// publish() drops the server (its connections closed, its port let go) and returns a notice for
// the player; a publish() ServeLimits::restartAfter later serves again on the same address and
// port.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/say.h"

namespace tallix {

class Counter;

struct ServeLimits {
  using Ms = std::chrono::milliseconds;

  // Open connections of every kind. One more is closed as soon as it is accepted, so that a
  // flood of connections never takes the descriptors the play's files need (the usual limit of
  // a process is 1024), while a stream, phones and 500 readers fit.
  static constexpr std::size_t kMaxConnections = 512;
  // Open connections from one peer address: one device that opens and re-opens connections
  // cannot keep every other viewer out.
  static constexpr std::size_t kMaxConnectionsPerAddress = 32;
  // The request line and header fields together. A larger request gets 431 and is closed.
  static constexpr std::size_t kMaxRequestBytes = 8 * 1024;
  // From a request's first byte to its end: a request sent slowly is closed.
  static constexpr Ms kRequestTimeout{10'000};
  // A connection that sends nothing (before its first request, between requests) is closed; a
  // WebSocket that sends nothing is pinged after half this time, closed after all of it.
  static constexpr Ms kIdleTimeout{15'000};
  // An answer, a WebSocket message or a pong that the client has not taken in this time: the
  // client does not read, and is disconnected. Also the time a closing client has to take the
  // last answer before the connection is dropped.
  static constexpr Ms kSendTimeout{10'000};
  // A WebSocket message from a client, which has nothing to say: larger ones close it.
  static constexpr std::size_t kMaxIncomingMessage = 1024;
  // After the server's thread failed, the time before it is started again.
  static constexpr Ms kRestartAfter{60'000};

  std::size_t maxConnections = kMaxConnections;
  std::size_t maxConnectionsPerAddress = kMaxConnectionsPerAddress;
  std::size_t maxRequestBytes = kMaxRequestBytes;
  Ms requestTimeout = kRequestTimeout;
  Ms idleTimeout = kIdleTimeout;
  Ms sendTimeout = kSendTimeout;
  std::size_t maxIncomingMessage = kMaxIncomingMessage;
  Ms restartAfter = kRestartAfter;
};

class LiveServer {
 public:
  // How often the counter's thread hands over the figures: the page follows within this.
  static constexpr std::chrono::milliseconds kPublishInterval{100};

  // The first figures are those of `counter`. Nothing is served before listen(). `onTakeIn`,
  // when given, runs on the server's thread whenever it takes in figures: a test makes it throw,
  // as a failure there would.
  explicit LiveServer(const Counter& counter, ServeLimits limits = {},
                      std::function<void()> onTakeIn = {});
  // Closes every connection and ends the server's thread.
  ~LiveServer();
  LiveServer(const LiveServer&) = delete;
  LiveServer& operator=(const LiveServer&) = delete;

  // Starts serving, on a thread of its own, on the address (an IP address; "0.0.0.0" for every
  // one of the PC) and port (0 picks a free one). allowOrigin, an origin ("https://example.com")
  // or "", is one whose pages may read /api/figures. Returns "" when it serves, or why it
  // cannot, for the player.
  Said listen(const std::string& address, std::uint16_t port, const std::string& allowOrigin = "");
  // The address of the page, "http://127.0.0.1:8255/", once listening.
  const std::string& url() const;

  // On the counter's thread: hands over the figures, if they changed since the last call. The
  // program calls it every kPublishInterval; tests call it after playing the counter. Returns a
  // notice for the player, or nothing: that the server failed and stopped (the first call after
  // it did), why it could not be started again, or that it serves again.
  Said publish(const Counter& counter);
  // Whether it serves now: false once it stopped, until it serves again.
  bool serving() const { return impl_ != nullptr; }

  // On the counter's thread, as the server last counted them: WebSocket clients, and open
  // connections of every kind (none while it is stopped).
  std::size_t clientCount() const;
  std::size_t connectionCount() const;

 private:
  class Impl;
  using Clock = std::chrono::steady_clock;

  Said restart(const Counter& counter);

  const ServeLimits limits_;
  const std::function<void()> onTakeIn_;
  // What listen() was given, and the port it served (for a restart on the same one).
  std::string address_, allowOrigin_, url_;
  std::uint16_t port_ = 0;
  std::unique_ptr<Impl> impl_;                  // null while stopped after a failure
  std::optional<Clock::time_point> restartAt_;  // while stopped: when to start again
};

}  // namespace tallix
