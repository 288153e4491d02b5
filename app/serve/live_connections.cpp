// The live view's connections, on the server's thread: HTTP requests, and the WebSocket clients
// of /live.
#include <boost/asio/buffer.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>

#include "figures_json.h"
#include "live_hub.h"
#include "request_checks.h"

namespace tallix::serve {

namespace {

namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
using Clock = asio::steady_timer::clock_type;
using Request = http::request<http::empty_body>;

constexpr char kServerName[] = "tallix/" TALLIX_VERSION;
constexpr char kPagePath[] = "/";
constexpr char kFiguresPath[] = "/api/figures";
constexpr char kLivePath[] = "/live";
// On every answer (Beast names no such field): it is what its Content-Type says, so that a
// browser never takes a text for a script or a page.
constexpr const char* kNoSniff[] = {"X-Content-Type-Options", "nosniff"};

std::string_view view(beast::string_view text) {
  return {text.data(), text.size()};
}

Text text(std::string content) {
  return std::make_shared<const std::string>(std::move(content));
}

// An answer to a request.
struct Answer {
  http::status status = http::status::ok;
  const char* type = "text/plain; charset=utf-8";
  Text body;
  bool close = false;           // the connection closes after it, whatever the client asked
  const char* allow = nullptr;  // the Allow header of a 405
  bool crossOrigin = false;     // the pages of [serve] allow_origin may read it
  bool page = false;            // the page, which only its own site (and allow_origin) may frame
};

Answer plain(http::status status, std::string_view text, bool close = false) {
  return {status, "text/plain; charset=utf-8", serve::text(std::string(text) + '\n'), close};
}

// The address a connection came in on, as a Host header names it: "192.168.1.5", "[fe80::1]"
// (an IPv4 client of a server on "::" comes in on "::ffff:192.168.1.5", and names 192.168.1.5).
std::string hostForm(const tcp::socket& socket) {
  ErrorCode ec;
  asio::ip::address address = socket.local_endpoint(ec).address();
  if (ec) return {};
  if (address.is_v6() && address.to_v6().is_v4_mapped()) {
    address = asio::ip::make_address_v4(asio::ip::v4_mapped, address.to_v6());
  }
  return address.is_v6() ? '[' + address.to_string() + ']' : address.to_string();
}

}  // namespace

// A WebSocket client of /live: sent the figures at once, then whenever they change, one message
// at a time. A client still taking one when the figures change again gets the latest once it
// has, so nothing piles up for it; one that takes none in time is disconnected. What it sends
// is read and dropped; the pings it sends are answered (by Beast) only as fast as it reads the
// pongs.
class LiveSocket : public Connection {
 public:
  LiveSocket(Hub& hub, tcp::socket socket, const asio::ip::address& peer)
      : Connection(hub, socket.get_executor(), peer), ws_(std::move(socket)) {}
  ~LiveSocket() override { hub_.removeSocket(this); }

  void start(const Request& request) {
    const ServeLimits& limits = hub_.limits;
    ws_.set_option(websocket::stream_base::timeout{limits.sendTimeout, limits.idleTimeout, true});
    ws_.set_option(websocket::stream_base::decorator([](websocket::response_type& response) {
      response.set(http::field::server, kServerName);
      response.set(kNoSniff[0], kNoSniff[1]);
    }));
    ws_.read_message_max(limits.maxIncomingMessage);
    // A bad handshake is answered 400 (426 for another protocol version) by Beast, then closed.
    ws_.async_accept(request, [self = self<LiveSocket>()](ErrorCode ec) {
      if (ec) return self->close();
      self->hub_.addSocket(self.get());
      self->read();
      self->offer();
    });
  }

  // Sends the latest figures unless the client has them or is still taking a message.
  void offer() {
    const bool graphSent = graphSent_ == hub_.graphRevision();
    if (writing_ || (graphSent && figuresSent_ == hub_.figuresRevision())) return;
    sending_ = graphSent ? hub_.figures() : hub_.whole();
    figuresSent_ = hub_.figuresRevision();
    graphSent_ = hub_.graphRevision();
    writing_ = true;
    arm(hub_.limits.sendTimeout);
    ws_.text(true);
    ws_.async_write(asio::buffer(*sending_),
                    [self = self<LiveSocket>()](ErrorCode ec, std::size_t) {
                      self->writing_ = false;
                      self->sending_.reset();
                      if (ec) return self->close();
                      self->disarm();
                      self->offer();
                    });
  }

 private:
  void close() override {
    ErrorCode ignored;
    beast::get_lowest_layer(ws_).close(ignored);
    disarm();
  }

  void read() {
    ws_.async_read(incoming_, [self = self<LiveSocket>()](ErrorCode ec, std::size_t) {
      if (ec) return self->close();
      self->incoming_.clear();
      self->read();
    });
  }

  websocket::stream<tcp::socket> ws_;
  beast::flat_buffer incoming_;
  Text sending_;  // the message being sent, kept until it is
  bool writing_ = false;
  std::uint64_t figuresSent_ = 0;  // the revisions of what it was sent last; 0: nothing yet
  std::uint64_t graphSent_ = 0;
};

namespace {

// An HTTP connection: one request read, one answer sent, and so on, until either side closes,
// a limit is broken or the request asks for the WebSocket.
class HttpConnection : public Connection {
 public:
  HttpConnection(Hub& hub, tcp::socket socket, const asio::ip::address& peer)
      : Connection(hub, socket.get_executor(), peer),
        socket_(std::move(socket)),
        address_(hostForm(socket_)),
        buffer_(hub.limits.maxRequestBytes) {}

  void waitForRequest() {
    if (buffer_.size() > 0) return readRequest();  // a pipelined request is here already
    arm(hub_.limits.idleTimeout);
    socket_.async_wait(tcp::socket::wait_read, [self = self<HttpConnection>()](ErrorCode ec) {
      if (!ec) self->readRequest();
    });
  }

 private:
  void close() override {
    ErrorCode ignored;
    socket_.close(ignored);
    disarm();
  }

  void readRequest() {
    arm(hub_.limits.requestTimeout);
    request_ = {};  // an answer to a request that cannot be read is one to HTTP/1.1 GET
    parser_.emplace();
    parser_->header_limit(static_cast<std::uint32_t>(hub_.limits.maxRequestBytes));
    http::async_read(
        socket_, buffer_, *parser_,
        [self = self<HttpConnection>()](ErrorCode ec, std::size_t) { self->onRequest(ec); });
  }

  void onRequest(ErrorCode ec) {
    if (ec == http::error::header_limit || ec == http::error::buffer_overflow) {
      return send(plain(http::status::request_header_fields_too_large,
                        "Request Header Fields Too Large", true));
    }
    if (ec == http::error::end_of_stream || ec == http::error::partial_message) return close();
    if (ec && ec.category() == http::make_error_code(http::error::bad_method).category()) {
      return send(plain(http::status::bad_request, "Bad Request", true));
    }
    if (ec) return close();  // gone, or out of time
    request_ = parser_->release();
    if (std::optional<Answer> answer = this->answer()) {
      // A client that asked to switch to another protocol and may not has nothing more to say
      // in this one.
      answer->close = answer->close || request_.count(http::field::upgrade) > 0;
      return send(std::move(*answer));
    }
    disarm();
    std::make_shared<LiveSocket>(hub_, std::move(socket_), peer_)->start(std::move(request_));
  }

  // The answer to request_, or nullopt for a WebSocket handshake on /live.
  std::optional<Answer> answer() {
    const std::string_view host = view(request_[http::field::host]);
    const std::string_view target = view(request_.target());
    const std::string_view path = target.substr(0, target.find('?'));
    if (!hostNamesThisPc(host, hub_.port, address_)) {
      return plain(http::status::misdirected_request,
                   "Misdirected Request: the live view answers to this PC's addresses only");
    }
    const auto origin = request_.find(http::field::origin);
    if (!originAllowed(
            origin == request_.end() ? std::nullopt : std::optional(view(origin->value())), host,
            hub_.allowOrigin, path == kLivePath)) {
      return plain(http::status::forbidden, "Forbidden: pages of other sites may not read this");
    }
    if (path == kLivePath) {
      if (websocket::is_upgrade(request_)) return std::nullopt;
      return plain(http::status::bad_request, "Bad Request: /live is a WebSocket", true);
    }
    if (path != kPagePath && path != kFiguresPath) {
      return plain(http::status::not_found, "Not Found");
    }
    if (request_.method() != http::verb::get && request_.method() != http::verb::head) {
      Answer readOnly =
          plain(http::status::method_not_allowed, "Method Not Allowed: the live view is read-only");
      readOnly.allow = "GET, HEAD";
      return readOnly;
    }
    if (path == kPagePath) {
      Answer answer{http::status::ok, "text/html; charset=utf-8", page()};
      answer.page = true;
      return answer;
    }
    Answer figures{http::status::ok, "application/json", hub_.whole()};
    figures.crossOrigin = !hub_.allowOrigin.empty();
    return figures;
  }

  static const Text& page() {
    static const Text page = text(std::string(kLivePage));
    return page;
  }

  void send(Answer answer) {
    const bool head = request_.method() == http::verb::head;
    response_.emplace(answer.status, request_.version());
    response_->set(http::field::server, kServerName);
    response_->set(http::field::content_type, answer.type);
    // Every answer is of this moment: never kept by a browser or a proxy.
    response_->set(http::field::cache_control, "no-store");
    response_->set(kNoSniff[0], kNoSniff[1]);
    if (answer.page) {
      // No page of another site may show this one in a frame, but for the overlay the player
      // named.
      response_->set("Content-Security-Policy", hub_.allowOrigin.empty()
                                                    ? std::string("frame-ancestors 'self'")
                                                    : "frame-ancestors 'self' " + hub_.allowOrigin);
    }
    if (answer.allow) response_->set(http::field::allow, answer.allow);
    if (answer.crossOrigin) {
      response_->set(http::field::access_control_allow_origin, hub_.allowOrigin);
    }
    body_ = std::move(answer.body);
    response_->body() =
        head ? beast::span<const char>() : beast::span<const char>(body_->data(), body_->size());
    response_->content_length(body_->size());
    response_->keep_alive(!answer.close && request_.keep_alive());
    arm(hub_.limits.sendTimeout);
    http::async_write(socket_, *response_,
                      [self = self<HttpConnection>()](ErrorCode ec, std::size_t) {
                        if (ec) return self->close();
                        self->body_.reset();
                        if (self->response_->keep_alive()) {
                          self->waitForRequest();
                        } else {
                          self->finish();
                        }
                      });
  }

  // Closes after the last answer: its end sent, what the client still sends is read and dropped
  // until it closes too (or for kSendTimeout), so that its unread bytes do not make the system
  // reset the connection before the client has read the answer.
  void finish() {
    ErrorCode ignored;
    socket_.shutdown(tcp::socket::shutdown_send, ignored);
    arm(hub_.limits.sendTimeout);
    drain();
  }

  void drain() {
    buffer_.clear();
    socket_.async_read_some(buffer_.prepare(buffer_.max_size()),
                            [self = self<HttpConnection>()](ErrorCode ec, std::size_t) {
                              if (ec) return self->close();
                              self->drain();
                            });
  }

  tcp::socket socket_;
  const std::string address_;
  beast::flat_buffer buffer_;
  std::optional<http::request_parser<http::empty_body>> parser_;
  Request request_;
  std::optional<http::response<http::span_body<const char>>> response_;
  Text body_;
};

}  // namespace

Connection::Connection(Hub& hub, const asio::any_io_executor& executor,
                       const asio::ip::address& peer)
    : hub_(hub), peer_(peer), deadline_(executor) {
  hub_.enter(peer_);
}

Connection::~Connection() {
  hub_.leave(peer_);
}

void Connection::arm(ServeLimits::Ms timeout) {
  deadline_.expires_after(timeout);
  deadline_.async_wait([weak = weak_from_this()](ErrorCode ec) {
    const std::shared_ptr<Connection> self = weak.lock();
    // A wait that arm() replaced may complete without an error all the same: look at the time.
    if (!ec && self && self->deadline_.expiry() <= Clock::now()) self->close();
  });
}

const Text& Hub::whole() {
  if (!whole_) {
    std::string whole = *figures_;
    whole.pop_back();  // the closing brace
    whole += ",\"graph\":";
    whole += *graph_;
    whole += '}';
    whole_ = text(std::move(whole));
  }
  return whole_;
}

void Hub::apply(Update update) {
  if (update.figures) {
    figures_ = text(std::move(*update.figures));
    ++figuresRevision_;
    whole_.reset();
  }
  if (update.graph) {
    rows_.resize(update.graph->from);
    std::move(update.graph->rows.begin(), update.graph->rows.end(), std::back_inserter(rows_));
    graph_ = text(graphJson(rows_));
    ++graphRevision_;
    whole_.reset();
  }
  for (LiveSocket* socket : sockets_) socket->offer();
}

bool Hub::admits(const asio::ip::address& peer) const {
  const auto open = perAddress_.find(peer);
  return connectionCount < limits.maxConnections &&
         (open == perAddress_.end() || open->second < limits.maxConnectionsPerAddress);
}

void Hub::enter(const asio::ip::address& peer) {
  ++perAddress_[peer];
  ++connectionCount;
}

void Hub::leave(const asio::ip::address& peer) {
  if (const auto open = perAddress_.find(peer); --open->second == 0) perAddress_.erase(open);
  --connectionCount;
}

void Hub::addSocket(LiveSocket* socket) {
  sockets_.insert(socket);
  socketCount = sockets_.size();
}

void Hub::removeSocket(LiveSocket* socket) {
  sockets_.erase(socket);
  socketCount = sockets_.size();
}

void serveConnection(Hub& hub, tcp::socket socket, const asio::ip::address& peer) {
  std::make_shared<HttpConnection>(hub, std::move(socket), peer)->waitForRequest();
}

}  // namespace tallix::serve
