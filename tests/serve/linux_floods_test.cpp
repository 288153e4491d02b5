// A client that floods the live view's server and never reads: these rely on the system's socket
// buffers filling up, which Wine's sockets do not do (they take in whatever a program sends), so
// they run on Linux only.
#include "support/fakes.h"
#include "support/live_client.h"

namespace tallix::testing {
namespace {

// A client that sends and never reads would make the server keep its answers or pongs for it;
// beyond what the connection holds, it is disconnected instead.
TEST_F(LiveServerTest, DisconnectsAClientThatDoesNotRead) {
  const struct {
    const char* name;
    bool webSocket;
    std::string flood;  // sent again and again
  } rows[] = {
      {"pipelined requests", false, get("/")},
      {"pings", true, frame(kPing, std::string(125, 'p'))},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    serve(shortLimits());
    RawClient client(port);
    client.socket().set_option(asio::socket_base::receive_buffer_size(4096));
    if (row.webSocket) {
      client.send(handshake());
      ASSERT_EQ(statusLine(client.answer()), "HTTP/1.1 101 Switching Protocols");
    }
    std::string flood;
    while (flood.size() < 64 * 1024) flood += row.flood;
    client.socket().non_blocking(true);
    ASSERT_TRUE(eventually([&] {
      ErrorCode ec;
      client.socket().write_some(asio::buffer(flood), ec);
      return server->connectionCount() == 0;
    }));
    // Others are served as before.
    RawClient next(port);
    next.send(get());
    EXPECT_EQ(statusLine(next.answer()), "HTTP/1.1 200 OK");
  }
}

}  // namespace
}  // namespace tallix::testing
