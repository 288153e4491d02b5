// The live view's server against clients on the loopback that break its rules: a foreign Host or
// Origin, an oversized or slow request, an idle connection, one connection too many (or too many
// from one address), frames that are not masked (floods: linux_floods_test.cpp); the protocol it
// owes every client (HEAD, HTTP/1.0, Connection: close, bad handshakes); the graph it serves as
// the chart changes; and a failure of its thread, which stops the live view only.
#include <atomic>
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>
#include <thread>
#include <vector>

#include "support/fakes.h"
#include "support/live_client.h"

namespace tallix::testing {
namespace {

using namespace std::chrono_literals;

// A page of another site reaches this PC's server through a name of its own (DNS rebinding: its
// Host) or with its Origin: it gets no figures, over HTTP or the WebSocket.
TEST_F(LiveServerTest, AnswersOnlyRequestsFromThisPcsOwnPages) {
  serve(ServeLimits{});
  const struct {
    const char* request;
    const char* status;
  } rows[] = {
      {"GET /api/figures HTTP/1.1\r\nHost: %H\r\n\r\n", "HTTP/1.1 200 OK"},
      {"GET /api/figures HTTP/1.1\r\nHost: LocalHost:%P\r\n\r\n", "HTTP/1.1 200 OK"},
      {"GET /api/figures HTTP/1.1\r\nHost: [::1]:%P\r\n\r\n", "HTTP/1.1 200 OK"},
      {"GET /api/figures HTTP/1.1\r\nHost: %H\r\nOrigin: http://%H\r\n\r\n", "HTTP/1.1 200 OK"},
      {"GET /api/figures HTTP/1.1\r\nHost: evil.example:%P\r\n\r\n",
       "HTTP/1.1 421 Misdirected Request"},
      {"GET / HTTP/1.1\r\nHost: evil.example\r\n\r\n", "HTTP/1.1 421 Misdirected Request"},
      {"GET /api/figures HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n", "HTTP/1.1 421 Misdirected Request"},
      {"GET /api/figures HTTP/1.1\r\nHost: 127.0.0.1:1\r\n\r\n",
       "HTTP/1.1 421 Misdirected Request"},
      {"GET /api/figures HTTP/1.1\r\n\r\n", "HTTP/1.1 421 Misdirected Request"},
      {"GET /api/figures HTTP/1.1\r\nHost: %H\r\nOrigin: http://evil.example\r\n\r\n",
       "HTTP/1.1 403 Forbidden"},
      {"GET /api/figures HTTP/1.1\r\nHost: %H\r\nOrigin: null\r\n\r\n", "HTTP/1.1 403 Forbidden"},
      {"GET /live HTTP/1.1\r\nHost: evil.example:%P\r\nUpgrade: websocket\r\nConnection: "
       "Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: "
       "13\r\n\r\n",
       "HTTP/1.1 421 Misdirected Request"},
      {"GET /live HTTP/1.1\r\nHost: %H\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
       "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\nOrigin: "
       "http://evil.example\r\n\r\n",
       "HTTP/1.1 403 Forbidden"},
      {"GET /live HTTP/1.1\r\nHost: %H\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
       "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\nOrigin: "
       "http://%H\r\n\r\n",
       "HTTP/1.1 101 Switching Protocols"},
  };
  for (const auto& row : rows) {
    std::string text = row.request;
    for (std::size_t at; (at = text.find("%P")) != std::string::npos;) {
      text.replace(at, 2, std::to_string(port));
    }
    SCOPED_TRACE(text);
    RawClient client(port);
    client.send(request(text));
    const std::string answer = client.answer();
    EXPECT_EQ(statusLine(answer), row.status);
    EXPECT_EQ(answer.find("in_count") != std::string::npos,
              std::string_view(row.status).ends_with("200 OK"));
    // No page of another site is allowed to read an answer.
    EXPECT_EQ(answer.find("Access-Control-Allow"), std::string::npos);
  }
}

// [serve] allow_origin= lets the pages of one site read the figures, not take the WebSocket.
TEST_F(LiveServerTest, AllowsTheNamedOriginToReadTheFiguresOnly) {
  serve(ServeLimits{}, "https://overlay.example");
  RawClient figures(port);
  figures.send(
      request("GET /api/figures HTTP/1.1\r\nHost: %H\r\nOrigin: https://overlay.example\r\n\r\n"));
  const std::string answer = figures.answer();
  EXPECT_EQ(statusLine(answer), "HTTP/1.1 200 OK");
  EXPECT_NE(answer.find("\r\nAccess-Control-Allow-Origin: https://overlay.example\r\n"),
            std::string::npos);
  RawClient live(port);
  live.send(handshake("Origin: https://overlay.example\r\n"));
  EXPECT_EQ(statusLine(live.answer()), "HTTP/1.1 403 Forbidden");
  // Its pages may show the page in a frame, as the page's own site may.
  RawClient page(port);
  page.send(get("/"));
  EXPECT_NE(page.answer().find("\r\nContent-Security-Policy: frame-ancestors 'self' "
                               "https://overlay.example\r\n"),
            std::string::npos);
}

TEST_F(LiveServerTest, AnswersAsTheProtocolSays) {
  serve(ServeLimits{});
  const struct {
    std::string request;
    const char* status;
    bool closes;
    const char* header;  // a header line the answer holds, or ""
  } rows[] = {
      {get("/"), "HTTP/1.1 200 OK", false, "Content-Type: text/html; charset=utf-8"},
      {request("HEAD / HTTP/1.1\r\nHost: %H\r\n\r\n"), "HTTP/1.1 200 OK", false, ""},
      {request("GET / HTTP/1.0\r\nHost: %H\r\n\r\n"), "HTTP/1.0 200 OK", true, ""},
      {request("GET / HTTP/1.0\r\nHost: %H\r\nConnection: keep-alive\r\n\r\n"), "HTTP/1.0 200 OK",
       false, "Connection: keep-alive"},
      {request("GET / HTTP/1.1\r\nHost: %H\r\nConnection: close\r\n\r\n"), "HTTP/1.1 200 OK", true,
       "Connection: close"},
      {get("/nothing"), "HTTP/1.1 404 Not Found", false, ""},
      {request("POST /api/figures HTTP/1.1\r\nHost: %H\r\n\r\n"), "HTTP/1.1 405 Method Not Allowed",
       false, "Allow: GET, HEAD"},
      {"NOT HTTP\r\n\r\n", "HTTP/1.1 400 Bad Request", true, ""},
      {get("/" + std::string(ServeLimits::kMaxRequestBytes, 'x')),
       "HTTP/1.1 431 Request Header Fields Too Large", true, ""},
      {request("GET / HTTP/1.1\r\nHost: %H\r\nCookie: " +
               std::string(ServeLimits::kMaxRequestBytes, 'x') + "\r\n\r\n"),
       "HTTP/1.1 431 Request Header Fields Too Large", true, ""},
      {get("/live"), "HTTP/1.1 400 Bad Request", true, ""},
      {request("GET /live HTTP/1.1\r\nHost: %H\r\nUpgrade: websocket\r\n\r\n"),
       "HTTP/1.1 400 Bad Request", true, ""},
      {request("GET /live HTTP/1.1\r\nHost: %H\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
               "Sec-WebSocket-Version: 13\r\n\r\n"),
       "HTTP/1.1 400 Bad Request", true, ""},
      // Another protocol version gets the answer RFC 6455 asks for, naming the version served.
      {request("GET /live HTTP/1.1\r\nHost: %H\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 8\r\n\r\n"),
       "HTTP/1.1 426 Upgrade Required", true, "Sec-WebSocket-Version: 13"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.request.substr(0, 120));
    RawClient client(port);
    client.send(row.request);
    const std::string answer = client.answer(row.request.starts_with("HEAD"));
    EXPECT_EQ(statusLine(answer), row.status);
    EXPECT_NE(answer.find("\r\nServer: tallix/" TALLIX_VERSION "\r\n"), std::string::npos)
        << answer;
    EXPECT_NE(answer.find("\r\n" + std::string(row.header)), std::string::npos) << answer;
    // Every answer is what its Content-Type says; only the page's own site may frame the page.
    EXPECT_NE(answer.find("\r\nX-Content-Type-Options: nosniff\r\n"), std::string::npos);
    EXPECT_EQ(
        answer.find("\r\nContent-Security-Policy: frame-ancestors 'self'\r\n") != std::string::npos,
        answer.find("\r\nContent-Type: text/html") != std::string::npos);
    if (row.closes) {
      EXPECT_TRUE(client.closedByServer());
    } else {
      // Still open: a next request is answered.
      client.send(get());
      EXPECT_EQ(statusLine(client.answer()), "HTTP/1.1 200 OK");
    }
  }

  // HEAD gives GET's header, Content-Length included, without the body.
  RawClient client(port);
  client.send(get("/") + request("HEAD / HTTP/1.1\r\nHost: %H\r\n\r\n") + get("/"));
  const std::string page = client.answer();
  const std::string head = client.answer(true);
  EXPECT_EQ(page.substr(0, page.find("\r\n\r\n") + 4), head);
  // Requests sent together are answered in turn.
  EXPECT_EQ(client.answer(), page);
}

TEST_F(LiveServerTest, ClosesConnectionsThatTakeTooLong) {
  ServeLimits slowRequest = shortLimits();
  slowRequest.idleTimeout = ServeLimits::kIdleTimeout;
  ServeLimits idle = shortLimits();
  idle.requestTimeout = ServeLimits::kRequestTimeout;
  const struct {
    const char* name;
    ServeLimits limits;
    bool firstRequest;  // a request answered before the client goes quiet
    bool trickle;       // the client goes on sending a byte of its next request now and then
  } rows[] = {
      {"idle from the start", idle, false, false},
      {"idle after an answer", idle, true, false},
      {"a request sent slowly", slowRequest, false, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    serve(row.limits);
    RawClient client(port);
    if (row.firstRequest) {
      client.send(get());
      ASSERT_EQ(statusLine(client.answer()), "HTTP/1.1 200 OK");
    }
    if (row.trickle) {
      const std::string slow = get();
      std::size_t sent = 0;
      ASSERT_TRUE(eventually([&] {
        ErrorCode ec;
        asio::write(client.socket(), asio::buffer(&slow[sent++ % slow.size()], 1), ec);
        std::this_thread::sleep_for(10ms);
        return server->connectionCount() == 0;
      }));
    }
    EXPECT_TRUE(client.closedByServer());
    EXPECT_TRUE(eventually([&] { return server->connectionCount() == 0; }));
  }
}

TEST_F(LiveServerTest, RefusesConnectionsBeyondTheCap) {
  ServeLimits limits = shortLimits();
  limits.maxConnections = 3;
  limits.idleTimeout = ServeLimits::kIdleTimeout;
  serve(limits);
  std::vector<std::unique_ptr<RawClient>> clients;
  for (int i = 0; i < 3; ++i) {
    clients.push_back(std::make_unique<RawClient>(port));
    clients.back()->send(get());
    ASSERT_EQ(statusLine(clients.back()->answer()), "HTTP/1.1 200 OK");
  }
  RawClient beyond(port);
  EXPECT_TRUE(beyond.closedByServer());
  // The others are served on; once one has gone, a new one is let in.
  clients[0]->send(get());
  EXPECT_EQ(statusLine(clients[0]->answer()), "HTTP/1.1 200 OK");
  clients.pop_back();
  ASSERT_TRUE(eventually([&] { return server->connectionCount() == 2; }));
  RawClient next(port);
  next.send(get());
  EXPECT_EQ(statusLine(next.answer()), "HTTP/1.1 200 OK");
}

// One address that opens connection after connection holds its own share of the cap, never all
// of it: another address is still served.
TEST_F(LiveServerTest, OneAddressCannotKeepOthersOut) {
  serve(ServeLimits{});
  asio::io_context io;
  std::vector<tcp::socket> crowd;
  crowd.reserve(600);
  for (int i = 0; i < 600; ++i) connectFrom(crowd.emplace_back(io), port, "127.0.0.1");
  const struct {
    const char* from;
    bool served;
  } rows[] = {{"127.0.0.2", true}, {"127.0.0.1", false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.from);
    RawClient client(port, row.from);
    if (row.served) {
      client.send(get());
      EXPECT_EQ(statusLine(client.answer()), "HTTP/1.1 200 OK");
      // Connections are accepted in turn: the crowd's have all been, and it holds its share.
      EXPECT_EQ(server->connectionCount(), ServeLimits::kMaxConnectionsPerAddress + 1);
    } else {
      EXPECT_TRUE(client.closedByServer());
    }
  }
}

// Whatever the server's thread throws stops the live view, never the program: the next publish()
// says so and the server's connections are closed; the counter's side goes on, and a publish()
// restartAfter later serves again, on the same port, the figures as they are by then.
TEST_F(LiveServerTest, AFailureOfItsThreadStopsTheLiveViewOnly) {
  const struct {
    const char* name;
    std::function<void()> fault;
    const char* why;
  } rows[] = {
      {"an exception", [] { throw std::runtime_error("out of sorts"); }, "out of sorts"},
      {"out of memory", [] { throw std::bad_alloc(); }, "std::bad_alloc"},
      {"not an exception", [] { throw 42; }, "an unknown error"},
  };
  ServeLimits limits;
  limits.restartAfter = ServeLimits::Ms{0};
  std::atomic<bool> failing = false;
  Chart& chart = counter.panel().chart();
  const auto addPoint = [&](int value) {
    chart.setRowCount(static_cast<std::int16_t>(chart.rowCount() + 1));
    chart.setRow(chart.rowCount());
    chart.setValue(std::to_string(value));
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    serve(limits, "", [&failing, fault = row.fault] {
      if (failing.exchange(false)) fault();
    });
    const std::string url = server->url();
    RawClient held(port);
    held.send(get());
    ASSERT_EQ(statusLine(held.answer()), "HTTP/1.1 200 OK");

    failing = true;
    addPoint(1);
    EXPECT_EQ(server->publish(counter), "");
    Said notice;
    ASSERT_TRUE(eventually([&] { return !(notice = server->publish(counter)).empty(); }));
    EXPECT_EQ(notice, "The live view stopped: " + std::string(row.why) +
                          ". It is started again in a minute.");
    EXPECT_TRUE(held.closedByServer());

    EXPECT_FALSE(server->serving());
    addPoint(1234);
    EXPECT_EQ(server->publish(counter), "The live view is at " + url + " again.");
    EXPECT_TRUE(server->serving());
    EXPECT_EQ(server->url(), url);
    RawClient next(port);
    next.send(get());
    const std::string answer = next.answer();
    EXPECT_EQ(statusLine(answer), "HTTP/1.1 200 OK");
    EXPECT_NE(answer.find(",1,1234]"), std::string::npos) << answer;
  }
  server.reset();  // before `failing`, which its thread reads
}

// The server keeps its own copy of the graph from what the counter's thread hands over, the new
// points only, several hand-overs at once when it is busy: the figures it serves follow the
// chart through every kind of change.
TEST_F(LiveServerTest, ServesTheGraphAsTheChartChanges) {
  serve(ServeLimits{});
  Chart& chart = counter.panel().chart();
  const auto setPoint = [&](int row, int value) {
    chart.setRow(static_cast<std::int16_t>(row));
    chart.setValue(std::to_string(value));
  };
  const auto addPoint = [&](int value) {
    chart.setRowCount(static_cast<std::int16_t>(chart.rowCount() + 1));
    setPoint(chart.rowCount(), value);
  };
  const std::vector<std::pair<const char*, std::function<void()>>> edits = {
      {"a point added", [&] { addPoint(-12); }},
      {"points added",
       [&] {
         addPoint(30);
         addPoint(45);
       }},
      {"the last point changed", [&] { setPoint(chart.rowCount(), -15); }},
      {"an earlier point changed", [&] { setPoint(2, 7); }},
      {"rows dropped", [&] { chart.setRowCount(3); }},
      {"rows added without values", [&] { chart.setRowCount(6); }},
  };
  const auto served = [&] {
    RawClient client(port);
    client.send(get());
    const std::string answer = client.answer();
    const std::size_t points = answer.find("\"points\":") + 9;
    return answer.substr(points, answer.find(']', points) + 1 - points);
  };
  const auto shown = [&] {
    std::string points = "[";
    for (const std::string& row : chart.rows()) points += (row.empty() ? "0" : row) + ',';
    points.back() = ']';
    return points;
  };
  for (int together : {1, 3}) {
    SCOPED_TRACE(together);
    // A long graph keeps the server busy (it writes the graph's JSON anew at every change) while
    // the next hand-overs come.
    chart.setRowCount(30'000);
    for (std::size_t i = 0; i < edits.size(); ++i) {
      SCOPED_TRACE(edits[i].first);
      edits[i].second();
      server->publish(counter);
      if ((i + 1) % together == 0 || i + 1 == edits.size()) {
        EXPECT_EQ(served(), shown());
      }
    }
  }
}

TEST_F(LiveServerTest, ClosesAWebSocketThatBreaksTheFrameRules) {
  ServeLimits limits;
  limits.maxIncomingMessage = 100;
  serve(limits);
  const struct {
    const char* name;
    std::string frame;
    int closeCode;  // of the server's close frame; 0: it stays open
  } rows[] = {
      {"a masked ping", frame(kPing, "hello"), 0},
      {"a masked text", frame(kText, "hello"), 0},
      {"an unmasked text", frame(kText, "hello", false), 1002},
      {"an unmasked ping", frame(kPing, "hello", false), 1002},
      {"a message over the limit", frame(kText, std::string(101, 'x')), 1009},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    RawClient client(port);
    client.send(handshake());
    ASSERT_EQ(statusLine(client.answer()), "HTTP/1.1 101 Switching Protocols");
    client.send(row.frame);
    // Still open, it answers a ping; otherwise it says why it closes, and does.
    if (row.closeCode == 0) client.send(frame(kPing, "still"));
    std::optional<RawClient::Frame> answer;
    while ((answer = client.frame()) && answer->opcode != kClose &&
           !(answer->opcode == kPong && answer->payload == "still")) {
    }
    ASSERT_TRUE(answer);
    if (row.closeCode == 0) {
      EXPECT_EQ(answer->opcode, kPong);
      EXPECT_EQ(answer->payload, "still");
    } else {
      ASSERT_EQ(answer->opcode, kClose);
      ASSERT_GE(answer->payload.size(), 2u);
      EXPECT_EQ(static_cast<std::uint8_t>(answer->payload[0]) << 8 |
                    static_cast<std::uint8_t>(answer->payload[1]),
                row.closeCode);
      EXPECT_TRUE(client.closedByServer());
    }
  }
}

}  // namespace
}  // namespace tallix::testing
