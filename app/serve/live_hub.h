// Inside the live view's server (live_server.h): what its connections share on the server's
// thread, and how the counter's thread hands over the figures. Only the server's files include
// this header, and with it Boost.Asio.
#pragma once

#include <atomic>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "live_server.h"

namespace tallix {

// The page, built in from page/index.html.
extern const std::string_view kLivePage;

namespace serve {

namespace asio = boost::asio;
using tcp = asio::ip::tcp;
using ErrorCode = boost::system::error_code;
using Text = std::shared_ptr<const std::string>;  // immutable, shared by every client sent it

// What the counter's thread hands to the server's: what changed since its last update.
struct Update {
  std::optional<std::string> figures;  // figuresJson()
  // The graph's rows from row `from` (0-based) on; those before it are as they were.
  struct GraphRows {
    std::size_t from = 0;
    std::vector<std::string> rows;
  };
  std::optional<GraphRows> graph;

  // This update followed by `later`, as one.
  void merge(Update&& later);
};

class Hub;
class LiveSocket;

// A connection of the server, from `peer`, counted by the hub while it exists. Its one timer
// closes it when the time it is given runs out.
class Connection : public std::enable_shared_from_this<Connection> {
 public:
  Connection(Hub& hub, const asio::any_io_executor& executor, const asio::ip::address& peer);
  virtual ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

 protected:
  virtual void close() = 0;
  // close() unless disarm() or arm() again comes first, within `timeout`.
  void arm(ServeLimits::Ms timeout);
  void disarm() { deadline_.cancel(); }
  template <typename Derived>
  std::shared_ptr<Derived> self() {
    return std::static_pointer_cast<Derived>(shared_from_this());
  }

  Hub& hub_;
  const asio::ip::address peer_;

 private:
  asio::steady_timer deadline_;
};

// The server's state on its own thread: the limits, the latest figures and the connections.
class Hub {
 public:
  explicit Hub(const ServeLimits& limits) : limits(limits) {}

  const ServeLimits limits;
  std::uint16_t port = 0;   // the port served, for the Host check
  std::string allowOrigin;  // [serve] allow_origin=, "" for none

  // The latest figures without the graph, and the revisions of those and of the graph (from 1).
  const Text& figures() const { return figures_; }
  std::uint64_t figuresRevision() const { return figuresRevision_; }
  std::uint64_t graphRevision() const { return graphRevision_; }
  // The figures with the graph, as /api/figures answers: made once per revision of either.
  const Text& whole();

  // Takes in the counter's update and offers it to every WebSocket client.
  void apply(Update update);

  // Whether a new connection from `peer` may be served: under the cap, and under the cap of one
  // address. Each Connection enters when it is made and leaves when it goes.
  bool admits(const asio::ip::address& peer) const;
  void enter(const asio::ip::address& peer);
  void leave(const asio::ip::address& peer);

  // The WebSocket clients, which apply() offers the figures to.
  void addSocket(LiveSocket* socket);
  void removeSocket(LiveSocket* socket);

  // Open connections of every kind (each Connection counts itself) and WebSocket clients;
  // other threads read them too.
  std::atomic<std::size_t> connectionCount{0};
  std::atomic<std::size_t> socketCount{0};

 private:
  Text figures_, graph_, whole_;
  std::uint64_t figuresRevision_ = 0, graphRevision_ = 0;
  std::vector<std::string> rows_;  // the graph's rows, as the counter's thread handed them over
  std::unordered_set<LiveSocket*> sockets_;
  std::map<asio::ip::address, std::size_t> perAddress_;  // open connections, by peer
};

// Serves a connection just accepted from `peer`: its requests, and the WebSocket it may ask for.
void serveConnection(Hub& hub, tcp::socket socket, const asio::ip::address& peer);

}  // namespace serve
}  // namespace tallix
