// The live view: the counter's figures served over HTTP to browsers and tools on this machine
// (or, with another address, the network), for a stream's browser source or a phone.
//
//   GET /                 the page (plain HTML, CSS and a little script, built in); with
//                         ?transparent its background is clear, for a streaming program
//   GET /api/figures      the figures as JSON (figures_json.h), the coin graph included
//   WebSocket /live       the same JSON at once, then again whenever a figure changes; the
//                         coin graph only when it changed since that client last got it
//
// Everything else gets a plain-text error. Nothing a client sends changes the play.
//
// The server lives in the window's thread and only reads the counter there, between two
// counts, so what it serves is what the window draws. Its sockets never block: a client that
// reads slowly (or has vanished without a word) is sent nothing new while more than
// kMaxBacklog bytes wait for it, and catches up with the latest figures once it reads again.
#pragma once

#include <QByteArray>
#include <QHttpServer>
#include <QJsonObject>
#include <QTimer>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QWebSocket;

namespace tallix {

class Counter;

class LiveServer : public QObject {
 public:
  static constexpr qint64 kMaxBacklog = 1 << 20;
  static constexpr int kPublishInterval = 100;  // ms between looks at the figures

  explicit LiveServer(const Counter& counter, QObject* parent = nullptr);

  // Starts serving on the address (an IP address; "0.0.0.0" for every one of the machine) and
  // port (0 picks a free one). Returns "" when it serves, or why it cannot, for the player.
  std::string listen(const std::string& address, std::uint16_t port);
  // The address of the page, "http://127.0.0.1:8255/", once listening.
  const std::string& url() const { return url_; }
  std::size_t clientCount() const { return clients_.size(); }

  // Sends what changed since each client last got the figures. The timer calls it; tests call
  // it after playing the counter.
  void publish();

 private:
  struct Client {
    QWebSocket* socket;
    std::uint64_t figuresSent = 0;           // generation_ when it was last sent the figures
    std::optional<std::uint64_t> graphSent;  // the chart's revision when it was last sent
  };

  void addRoutes();
  void accept();
  void refresh();  // figures_ made the counter's
  void send(Client& client);

  const Counter& counter_;
  QHttpServer http_;
  QByteArray page_;
  QTimer publisher_;
  std::vector<Client> clients_;
  QJsonObject figures_;           // the figures as last published
  std::uint64_t generation_ = 1;  // changes with figures_; a new client has had none
  std::string url_;
};

}  // namespace tallix
