#include "live_server.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/post.hpp>
#include <exception>
#include <iterator>
#include <mutex>
#include <system_error>
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

namespace {

// Why a socket could not serve. Windows words it in the ANSI code page, which the notice line,
// in UTF-8, cannot show: there the usual causes get the words they have on Linux.
std::string reasonOf(const ErrorCode& ec) {
#ifdef _WIN32
  switch (ec.value()) {
    case WSAEADDRINUSE:
      return "Address already in use";
    case WSAEACCES:
      return "Permission denied";
    case WSAEADDRNOTAVAIL:
      return "Cannot assign requested address";
    default:
      return "Windows error " + std::to_string(ec.value());
  }
#else
  return ec.message();
#endif
}

// Why the live view cannot be served on an address and port.
Said notServed(const std::string& address, std::uint16_t port, const Said& why) {
  return Say::tr("The live view is not served: %1 port %2: %3",
                 {address, std::to_string(port), why});
}

}  // namespace

class LiveServer::Impl {
 public:
  Impl(const ServeLimits& limits, std::function<void()> onTakeIn)
      : onTakeIn_(std::move(onTakeIn)), hub_(limits) {}

  ~Impl() {
    io_.stop();
    if (thread_.joinable()) thread_.join();
  }

  Said listen(const std::string& address, std::uint16_t port, const std::string& allowOrigin) {
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
      return notServed(address, port, reasonOf(ec));
    }
    hub_.port = acceptor_.local_endpoint().port();
    hub_.allowOrigin = allowOrigin;
    const std::string host = ip.is_v6() ? '[' + ip.to_string() + ']' : ip.to_string();
    url_ = "http://" + host + ':' + std::to_string(hub_.port) + '/';
    accept();
    try {
      thread_ = std::thread([this] { run(); });
    } catch (const std::system_error& e) {
      ErrorCode ignored;
      acceptor_.close(ignored);
      return notServed(address, port, e.what());
    }
    return {};
  }

  const std::string& url() const {
    return url_;
  }
  std::uint16_t port() const {
    return hub_.port;
  }

  // Why the server's thread ended, once it has failed; nullopt while it serves.
  std::optional<Said> failure() const {
    std::exception_ptr failure;
    {
      const std::lock_guard lock(mutex_);
      failure = failure_;
    }
    if (!failure) return std::nullopt;
    try {
      std::rethrow_exception(failure);
    } catch (const std::exception& e) {
      return saidOf(e);
    } catch (...) {
      return Say::tr("an unknown error");
    }
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
      if (onTakeIn_) onTakeIn_();
      hub_.apply(std::move(taken));
    });
  }

  // The server's thread. What a handler throws ends it, never the program; the failure is kept,
  // as it was thrown (nothing to allocate), for the counter's thread to find.
  void run() {
    try {
      io_.run();
    } catch (...) {
      const std::lock_guard lock(mutex_);
      failure_ = std::current_exception();
    }
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

  mutable std::mutex mutex_;  // guards pending_, posted_ and failure_
  Update pending_;
  bool posted_ = false;         // a call to take pending_ is on its way to the server's thread
  std::exception_ptr failure_;  // what ended the server's thread

  const std::function<void()> onTakeIn_;

  // The server's thread. The hub outlives the connections, which the io_context ends.
  Hub hub_;
  asio::io_context io_{1};
  tcp::acceptor acceptor_{io_};
  asio::steady_timer retry_{io_};
  std::string url_;
  std::thread thread_;
};

LiveServer::LiveServer(const Counter& counter, ServeLimits limits, std::function<void()> onTakeIn)
    : limits_(limits),
      onTakeIn_(std::move(onTakeIn)),
      impl_(std::make_unique<Impl>(limits_, onTakeIn_)) {
  impl_->publish(counter);
}

LiveServer::~LiveServer() = default;

Said LiveServer::listen(const std::string& address, std::uint16_t port,
                        const std::string& allowOrigin) {
  Said why = impl_->listen(address, port, allowOrigin);
  if (why.empty()) {
    address_ = address;
    allowOrigin_ = allowOrigin;
    url_ = impl_->url();
    port_ = impl_->port();
  }
  return why;
}

const std::string& LiveServer::url() const {
  return url_;
}

Said LiveServer::publish(const Counter& counter) {
  if (!impl_) return restartAt_ && Clock::now() >= *restartAt_ ? restart(counter) : Said();
  if (const std::optional<Said> why = impl_->failure()) {
    impl_.reset();  // its connections closed, its port let go
    restartAt_ = Clock::now() + limits_.restartAfter;
    return Say::tr("The live view stopped: %1. It is started again in a minute.", {*why});
  }
  impl_->publish(counter);
  return {};
}

// A new server on the address and port of the one that failed, given the figures afresh; when it
// cannot serve, it is tried again restartAfter later.
Said LiveServer::restart(const Counter& counter) {
  restartAt_ = Clock::now() + limits_.restartAfter;
  try {
    auto next = std::make_unique<Impl>(limits_, onTakeIn_);
    next->publish(counter);
    if (Said why = next->listen(address_, port_, allowOrigin_); !why.empty()) return why;
    impl_ = std::move(next);
    restartAt_.reset();
    return Say::tr("The live view is at %1 again.", {url_});
  } catch (const std::exception& e) {
    return notServed(address_, port_, saidOf(e));
  }
}

std::size_t LiveServer::clientCount() const {
  return impl_ ? impl_->clientCount() : 0;
}

std::size_t LiveServer::connectionCount() const {
  return impl_ ? impl_->connectionCount() : 0;
}

}  // namespace tallix
