#include "live_server.h"

#include <QFile>
#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QHttpServerResponse>
#include <QJsonDocument>
#include <QTcpServer>
#include <QWebSocket>
#include <algorithm>
#include <memory>

#include "base/say.h"
#include "counting/counter.h"
#include "figures_json.h"

namespace tallix {

namespace {

constexpr char kPagePath[] = "/";
constexpr char kFiguresPath[] = "/api/figures";
constexpr char kLivePath[] = "/live";

// A client sends nothing but the WebSocket's own control frames.
constexpr qint64 kMaxIncoming = 1024;

using Status = QHttpServerResponder::StatusCode;

QHttpServerResponse plainError(Status status, const QByteArray& text) {
  return QHttpServerResponse("text/plain; charset=utf-8", text + '\n', status);
}

// Every answer is of this moment: never kept by a browser or a proxy.
QHttpServerResponse fresh(QHttpServerResponse&& response) {
  response.addHeader("Cache-Control", "no-store");
  return std::move(response);
}

}  // namespace

LiveServer::LiveServer(const Counter& counter, QObject* parent)
    : QObject(parent), counter_(counter), http_(this) {
  QFile page(QStringLiteral(":/live/index.html"));
  if (page.open(QIODevice::ReadOnly)) page_ = page.readAll();
  addRoutes();
  connect(&http_, &QAbstractHttpServer::newWebSocketConnection, this, &LiveServer::accept);
  publisher_.setInterval(kPublishInterval);
  connect(&publisher_, &QTimer::timeout, this, &LiveServer::publish);
}

void LiveServer::addRoutes() {
  http_.route(kPagePath, QHttpServerRequest::Method::Get,
              [this] { return fresh(QHttpServerResponse("text/html; charset=utf-8", page_)); });
  http_.route(kFiguresPath, QHttpServerRequest::Method::Get, [this] {
    QJsonObject figures = figuresJson(counter_);
    figures.insert("graph", graphJson(counter_.panel().chart()));
    QHttpServerResponse response = fresh(QHttpServerResponse(figures));
    // Tools on pages of their own (a stream overlay from a file) may read the figures.
    response.addHeader("Access-Control-Allow-Origin", "*");
    return response;
  });
  // Qt hands a WebSocket upgrade on to newWebSocketConnection only on a path whose route takes
  // it without writing an answer.
  http_.route(kLivePath, [](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
    if (request.value("upgrade").compare("websocket", Qt::CaseInsensitive) != 0) {
      plainError(Status::BadRequest, "Bad Request: /live is a WebSocket")
          .write(std::move(responder));
    }
  });
  http_.setMissingHandler([](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
    const QString path = request.url().path();
    if (path != kPagePath && path != kFiguresPath) {
      plainError(Status::NotFound, "Not Found").write(std::move(responder));
      return;
    }
    QHttpServerResponse readOnly =
        plainError(Status::MethodNotAllowed, "Method Not Allowed: the live view is read-only");
    readOnly.addHeader("Allow", "GET");
    readOnly.write(std::move(responder));
  });
}

std::string LiveServer::listen(const std::string& address, std::uint16_t port) {
  const QHostAddress host(QString::fromStdString(address));
  if (host.isNull()) {
    return Say::tr("The live view is not served: [serve] address=%1 is not an IP address",
                   {address});
  }
  auto server = std::make_unique<QTcpServer>();
  if (!server->listen(host, port)) {
    return Say::tr("The live view is not served: %1 port %2: %3",
                   {address, std::to_string(port), server->errorString().toStdString()});
  }
  const QString shownHost = host.protocol() == QAbstractSocket::IPv6Protocol
                                ? '[' + host.toString() + ']'
                                : host.toString();
  url_ = QStringLiteral("http://%1:%2/").arg(shownHost).arg(server->serverPort()).toStdString();
  http_.bind(server.release());
  publisher_.start();
  return {};
}

void LiveServer::accept() {
  while (http_.hasPendingWebSocketConnections()) {
    QWebSocket* socket = http_.nextPendingWebSocketConnection().release();
    socket->setParent(this);
    socket->setMaxAllowedIncomingFrameSize(kMaxIncoming);
    socket->setMaxAllowedIncomingMessageSize(kMaxIncoming);
    connect(socket, &QWebSocket::disconnected, this, [this, socket] {
      std::erase_if(clients_, [socket](const Client& c) { return c.socket == socket; });
      socket->deleteLater();
    });
    clients_.push_back({socket, 0, std::nullopt});
    refresh();
    send(clients_.back());
  }
}

void LiveServer::refresh() {
  QJsonObject figures = figuresJson(counter_);
  if (figures != figures_) {
    figures_ = std::move(figures);
    ++generation_;
  }
}

void LiveServer::publish() {
  if (clients_.empty()) return;
  refresh();
  const std::uint64_t graph = counter_.panel().chart().revision();
  for (Client& client : clients_) {
    if (client.figuresSent == generation_ && client.graphSent == graph) continue;
    if (client.socket->bytesToWrite() > kMaxBacklog) continue;
    send(client);
  }
}

void LiveServer::send(Client& client) {
  QJsonObject message = figures_;
  const Chart& chart = counter_.panel().chart();
  if (client.graphSent != chart.revision()) {
    message.insert("graph", graphJson(chart));
    client.graphSent = chart.revision();
  }
  client.figuresSent = generation_;
  client.socket->sendTextMessage(
      QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
}

}  // namespace tallix
