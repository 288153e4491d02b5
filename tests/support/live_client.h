// A client of the live view's server on the loopback that speaks raw bytes, and a test fixture
// that serves a counter's figures with limits of the test's choosing.
#pragma once

#include <gtest/gtest.h>

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/write.hpp>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "counting/counter.h"
#include "serve/live_server.h"

namespace tallix::testing {

namespace asio = boost::asio;
using tcp = asio::ip::tcp;
using ErrorCode = boost::system::error_code;

// How long a client waits for something that must come; only a fault makes it wait so long.
inline constexpr std::chrono::seconds kPatience{5};

// Connects `socket` to the server on 127.0.0.1 from the loopback address `from`: the loopback is
// all of 127.0.0.0/8, so a test has clients at many addresses.
inline void connectFrom(tcp::socket& socket, std::uint16_t port, const char* from) {
  socket.open(tcp::v4());
  socket.bind({asio::ip::make_address(from), 0});
  socket.connect({asio::ip::make_address("127.0.0.1"), port});
}

// A connection to the server that speaks raw bytes.
class RawClient {
 public:
  explicit RawClient(std::uint16_t port, const char* from = "127.0.0.1") {
    connectFrom(socket_, port, from);
  }

  void send(std::string_view bytes) { asio::write(socket_, asio::buffer(bytes)); }

  // One HTTP answer: its header and the body its Content-Length gives (none to a HEAD); "" when
  // the connection closes first.
  std::string answer(bool head = false) {
    std::size_t end;
    while ((end = received_.find("\r\n\r\n")) == std::string::npos) {
      if (!readSome()) return {};
    }
    end += 4;
    const std::size_t length = head ? 0 : contentLength(received_.substr(0, end));
    while (received_.size() < end + length) {
      if (!readSome()) return {};
    }
    std::string answer = received_.substr(0, end + length);
    received_.erase(0, end + length);
    return answer;
  }

  // Whether the server closes the connection (reads what still comes).
  bool closedByServer() {
    while (readSome()) {
    }
    return closed_;
  }

  // The next WebSocket frame from the server (never masked): its opcode and payload; nullopt
  // when the connection closes first.
  struct Frame {
    int opcode;
    std::string payload;
  };
  std::optional<Frame> frame() {
    for (;;) {
      if (std::optional<Frame> taken = takeFrame()) return taken;
      if (!readSome()) return std::nullopt;
    }
  }

  tcp::socket& socket() { return socket_; }

 private:
  // The frame at the start of what was received, once it is all there.
  std::optional<Frame> takeFrame() {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(received_[i]); };
    if (received_.size() < 2) return std::nullopt;
    const std::size_t shortLength = byte(1) & 0x7F;
    const std::size_t start = shortLength == 127 ? 10 : shortLength == 126 ? 4 : 2;
    if (received_.size() < start) return std::nullopt;
    std::size_t length = start == 2 ? shortLength : 0;
    for (std::size_t i = 2; i < start; ++i) length = length << 8 | byte(i);
    if (received_.size() < start + length) return std::nullopt;
    Frame taken{byte(0) & 0x0F, received_.substr(start, length)};
    received_.erase(0, start + length);
    return taken;
  }

  static std::size_t contentLength(const std::string& header) {
    const std::size_t at = header.find("Content-Length: ");
    return at == std::string::npos ? 0 : std::stoul(header.substr(at + 16));
  }

  // Reads what comes within kPatience; false when the connection closed, or nothing came.
  bool readSome() {
    char buffer[4096];
    std::optional<ErrorCode> result;
    std::size_t n = 0;
    socket_.async_read_some(asio::buffer(buffer), [&](ErrorCode ec, std::size_t k) {
      result = ec;
      n = k;
    });
    io_.restart();
    io_.run_for(kPatience);
    if (!result) {
      socket_.cancel();
      io_.restart();
      io_.run();
      return false;
    }
    received_.append(buffer, n);
    closed_ = result->failed();
    return !closed_;
  }

  asio::io_context io_;
  tcp::socket socket_{io_};
  std::string received_;
  bool closed_ = false;
};

// A WebSocket frame from a client: FIN, the opcode, the payload (under 126 bytes) masked with a
// key, or not.
inline std::string frame(std::uint8_t opcode, std::string_view payload, bool masked = true) {
  std::string bytes{static_cast<char>(0x80 | opcode),
                    static_cast<char>((masked ? 0x80 : 0) | payload.size())};
  const char key[4] = {0x11, 0x22, 0x33, 0x44};
  if (masked) bytes.append(key, 4);
  for (std::size_t i = 0; i < payload.size(); ++i) {
    bytes += masked ? static_cast<char>(payload[i] ^ key[i % 4]) : payload[i];
  }
  return bytes;
}

inline constexpr std::uint8_t kText = 0x1;
inline constexpr std::uint8_t kClose = 0x8;
inline constexpr std::uint8_t kPing = 0x9;
inline constexpr std::uint8_t kPong = 0xA;

inline std::string statusLine(const std::string& answer) {
  return answer.substr(0, answer.find("\r\n"));
}

// Limits short enough for a test to see each one run out; a test lengthens those it does not
// test.
inline ServeLimits shortLimits() {
  ServeLimits limits;
  limits.maxConnections = 8;
  limits.requestTimeout = limits.idleTimeout = limits.sendTimeout = ServeLimits::Ms{100};
  return limits;
}

class LiveServerTest : public ::testing::Test {
 protected:
  void serve(const ServeLimits& limits, const std::string& allowOrigin = "",
             std::function<void()> onTakeIn = {}) {
    server.emplace(counter, limits, std::move(onTakeIn));
    ASSERT_EQ(server->listen("127.0.0.1", 0, allowOrigin), "");
    const std::string& url = server->url();  // http://127.0.0.1:PORT/
    port = static_cast<std::uint16_t>(std::stoi(url.substr(url.rfind(':') + 1)));
    host = "127.0.0.1:" + std::to_string(port);
  }
  // "%H" in a request stands for host.
  std::string request(std::string text) const {
    for (std::size_t at; (at = text.find("%H")) != std::string::npos;) text.replace(at, 2, host);
    return text;
  }
  std::string get(const std::string& path = "/api/figures") const {
    return request("GET " + path + " HTTP/1.1\r\nHost: %H\r\n\r\n");
  }
  std::string handshake(const std::string& headers = "") const {
    return request(
        "GET /live HTTP/1.1\r\nHost: %H\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
        "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n" +
        headers + "\r\n");
  }

  Counter counter;
  std::optional<LiveServer> server;
  std::uint16_t port = 0;
  std::string host;
};

}  // namespace tallix::testing
