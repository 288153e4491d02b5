#include "live_server.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/post.hpp>
#include <iterator>
#include <mutex>
#include <thread>
#include <utility>

#include "base/say.h"
#include "counting/counter.h"
#include "figures_json.h"
#include "live_hub.h"

namespace tallix {

using namespace serve;

namespace {

// After a connection could not be accepted (the process out of descriptors, say), the next
// attempt waits this long rather than spin.
constexpr std::chrono::milliseconds kAcceptRetry{100};

}  // namespace

void Update::merge(Update&& later) {
  if (later.figures) figures = std::move(later.figures);
  if (!later.graph) return;
  if (!graph || later.graph->from <= graph->from) {
    graph = std::move(later.graph);
    return;
  }
  // later's rows go on where this update's, counted from their start, stand.
  graph->rows.resize(later.graph->from - graph->from);
  std::move(later.graph->rows.begin(), later.graph->rows.end(), std::back_inserter(graph->rows));
}

class LiveServer::Impl {
 public:
  explicit Impl(const ServeLimits& limits) : hub_(limits) {}

  ~Impl() {
    io_.stop();
    if (thread_.joinable()) thread_.join();
  }

  std::string listen(const std::string& address, std::uint16_t port,
                     const std::string& allowOrigin) {
    ErrorCode ec;
    const asio::ip::address ip = asio::ip::make_address(address, ec);
    if (ec) {
      return Say::tr("The live view is not served: [serve] address=%1 is not an IP address",
                     {address});
    }
    const tcp::endpoint endpoint(ip, port);
    acceptor_.open(endpoint.protocol(), ec);
#ifndef _WIN32
    // The port of the program's last run may still be held by its closed connections; on
    // Windows this option would let another program take a port in use instead.
    if (!ec) acceptor_.set_option(tcp::acceptor::reuse_address(true), ec);
#endif
    if (!ec) acceptor_.bind(endpoint, ec);
    if (!ec) acceptor_.listen(asio::socket_base::max_listen_connections, ec);
    if (ec) {
      ErrorCode ignored;
      acceptor_.close(ignored);
      return Say::tr("The live view is not served: %1 port %2: %3",
                     {address, std::to_string(port), ec.message()});
    }
    hub_.port = acceptor_.local_endpoint().port();
    hub_.allowOrigin = allowOrigin;
    const std::string host = ip.is_v6() ? '[' + ip.to_string() + ']' : ip.to_string();
    url_ = "http://" + host + ':' + std::to_string(hub_.port) + '/';
    accept();
    thread_ = std::thread([this] { io_.run(); });
    return {};
  }

  const std::string& url() const {
    return url_;
  }

  void publish(const Counter& counter) {
    Update update;
    if (std::string figures = figuresJson(counter); figures != figures_) {
      figures_ = figures;
      update.figures = std::move(figures);
    }
    const Chart& chart = counter.panel().chart();
    if (chart.revision() != chartRevision_ || handedRows_ == 0) {
      // The graph grows by appending: while no row was rewritten, those handed over are as
      // they were but for the last.
      const std::vector<std::string>& rows = chart.rows();
      const std::size_t from =
          handedRows_ > 0 && chart.rewrites() == chartRewrites_ ? handedRows_ - 1 : 0;
      update.graph = {from, {rows.begin() + static_cast<std::ptrdiff_t>(from), rows.end()}};
      chartRevision_ = chart.revision();
      chartRewrites_ = chart.rewrites();
      handedRows_ = rows.size();
    }
    if (update.figures || update.graph) handOver(std::move(update));
  }

  std::size_t clientCount() const {
    return hub_.socketCount;
  }
  std::size_t connectionCount() const {
    return hub_.connectionCount;
  }

 private:
  // The counter's thread: the update waits for the server's thread, merged with any before it
  // that the server has not taken yet.
  void handOver(Update update) {
    {
      const std::lock_guard lock(mutex_);
      pending_.merge(std::move(update));
      if (posted_) return;
      posted_ = true;
    }
    asio::post(io_, [this] {
      Update taken;
      {
        const std::lock_guard lock(mutex_);
        taken = std::exchange(pending_, {});
        posted_ = false;
      }
      hub_.apply(std::move(taken));
    });
  }

  void accept() {
    acceptor_.async_accept([this](ErrorCode ec, tcp::socket socket) {
      if (ec == asio::error::operation_aborted) return;
      if (ec) {
        retry_.expires_after(kAcceptRetry);
        retry_.async_wait([this](ErrorCode waited) {
          if (!waited) accept();
        });
        return;
      }
      // Beyond a cap the connection is closed at once, as `socket` goes; so is one whose client
      // is gone already.
      ErrorCode gone;
      const tcp::endpoint peer = socket.remote_endpoint(gone);
      if (!gone && hub_.admits(peer.address())) {
        serveConnection(hub_, std::move(socket), peer.address());
      }
      accept();
    });
  }

  // The counter's thread: what it handed over last.
  std::string figures_;
  std::uint64_t chartRevision_ = 0;
  std::uint64_t chartRewrites_ = 0;
  std::size_t handedRows_ = 0;  // 0: nothing yet

  std::mutex mutex_;
  Update pending_;
  bool posted_ = false;  // a call to take pending_ is on its way to the server's thread

  // The server's thread. The hub outlives the connections, which the io_context ends.
  Hub hub_;
  asio::io_context io_{1};
  tcp::acceptor acceptor_{io_};
  asio::steady_timer retry_{io_};
  std::string url_;
  std::thread thread_;
};

LiveServer::LiveServer(const Counter& counter, ServeLimits limits)
    : impl_(std::make_unique<Impl>(limits)) {
  impl_->publish(counter);
}

LiveServer::~LiveServer() = default;

std::string LiveServer::listen(const std::string& address, std::uint16_t port,
                               const std::string& allowOrigin) {
  return impl_->listen(address, port, allowOrigin);
}

const std::string& LiveServer::url() const {
  return impl_->url();
}

void LiveServer::publish(const Counter& counter) {
  impl_->publish(counter);
}

std::size_t LiveServer::clientCount() const {
  return impl_->clientCount();
}

std::size_t LiveServer::connectionCount() const {
  return impl_->connectionCount();
}

}  // namespace tallix
