// The live view: its JSON against the panel the window draws, its WebSocket clients, its
// answers to anything else, where it listens, and its page in a real browser.
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkInterface>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebSocket>
#include <cmath>
#include <filesystem>
#include <functional>

#include "serve/figures_json.h"
#include "serve/live_server.h"
#include "simulation/machine.h"
#include "window_fixture.h"

namespace tallix::testing {
namespace {

// Runs the event loop until `done` or for at most `ms`; returns `done()`.
bool waitFor(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
  return done();
}

struct Reply {
  int status = 0;
  QByteArray type, allow, body;
};

Reply request(const QString& url, const QByteArray& verb = "GET") {
  QNetworkAccessManager manager;
  QNetworkReply* reply = manager.sendCustomRequest(QNetworkRequest(QUrl(url)), verb);
  EXPECT_TRUE(waitFor([reply] { return reply->isFinished(); })) << url.toStdString();
  Reply r{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
          reply->header(QNetworkRequest::ContentTypeHeader).toByteArray(),
          reply->rawHeader("Allow"), reply->readAll()};
  delete reply;
  return r;
}

QJsonObject parse(const QByteArray& json) {
  return QJsonDocument::fromJson(json).object();
}

// A counter with a played-out play and a live view of it on a free loopback port.
class LiveViewTest : public ::testing::Test {
 protected:
  LiveViewTest() {
    Settings settings;
    settings.koyaku = {8, 2, 15};
    counter.applySettings(settings);
    counter.setSettingModel(MachineDescription{}.model());
    // A play of the simulated machine, ticked at its changes as the program counts them.
    Machine machine(MachineDescription{}, 7, 1, 3000);
    for (auto t = machine.nextEventTime(); t; t = machine.nextEventTime()) {
      machine.advanceTo(*t);
      now = *t;
      driver.tick(now, signExtendByte(machine.byte()));
    }
    server.publish(counter);
    EXPECT_EQ(server.listen("127.0.0.1", 0), "");
    base = QString::fromStdString(server.url());
  }

  // A game of three coins in.
  void game() {
    now += TickDriver::kTimer2Ms;
    for (int i = 0; i < 3; ++i) {
      driver.tick(++now, signExtendByte(static_cast<std::uint8_t>(~kCoinIn)));
      driver.tick(++now, signExtendByte(0xFF));
    }
  }
  QUrl live() const { return QUrl(QString(base).replace("http", "ws") + "live"); }

  Counter counter;
  TickDriver driver{counter};
  std::int64_t now = 0;
  LiveServer server{counter};
  QString base;
};

TEST_F(LiveViewTest, FiguresAreThoseOfThePanel) {
  const Reply reply = request(base + "api/figures");
  ASSERT_EQ(reply.status, 200);
  const QJsonObject json = parse(reply.body);
  const Panel& panel = counter.panel();
  ASSERT_GT(counter.counters().big_count + counter.counters().reg_count, 3);

  // Each digit group shows its counter's value, rolled over to its width as the window does.
  const std::pair<GroupId, const char*> groups[] = {{GroupId::gameImage, "start_bonus_count"},
                                                    {GroupId::totalImage, "start_all_count"},
                                                    {GroupId::bigImage, "big_count"},
                                                    {GroupId::regImage, "reg_count"},
                                                    {GroupId::inImage, "in_count"},
                                                    {GroupId::outImage, "out_count"},
                                                    {GroupId::saImage, "difference"}};
  for (const auto& [group, key] : groups) {
    SCOPED_TRACE(key);
    const std::int64_t value = json[key].toInteger();
    const int width = panel.group(group).size;
    const std::string shown =
        std::to_string(std::abs(value) % static_cast<std::int64_t>(std::pow(10, width)));
    EXPECT_EQ(digits(panel, group), std::string(width - shown.size(), '0') + shown);
  }
  EXPECT_EQ(panel.saMinusVisible(), json["difference"].toInteger() < 0);
  for (const CounterField& field : kRecordCounters) {
    EXPECT_EQ(json[QString::fromUtf8(field.key.data(), field.key.size())].toInteger(),
              field.get(counter.counters()))
        << field.key;
  }
  const std::pair<TextId, const char*> texts[] = {{TextId::dedamaritsu, "payout_rate"},
                                                  {TextId::bigKakuritsu, "big_probability"},
                                                  {TextId::regKakuritsu, "reg_probability"}};
  for (const auto& [id, key] : texts) {
    EXPECT_EQ(json[key].toString().toStdString(), panel.text(id).text) << key;
  }

  // The bonuses, newest first, are those of the history: kind by colour, run-up by bar.
  const QJsonArray bonuses = json["bonuses"].toArray();
  ASSERT_EQ(bonuses.size(), std::min<qsizetype>(kLiveBonuses, counter.bonuses().all().size()));
  for (qsizetype i = 0; i < bonuses.size(); ++i) {
    SCOPED_TRACE(i);
    const QJsonObject b = bonuses[i].toObject();
    const HistoryEntry& entry = panel.history(static_cast<std::size_t>(i));
    EXPECT_EQ(entry.colour, b["kind"] == "BIG" ? kBigColour : kRegColour);
    const int runUp = b["run_up"].toInt();
    const int squares = std::min(20, (runUp + 99) / 100);
    EXPECT_EQ(entry.text.size(), squares * std::string("■").size());
  }

  // The estimate of the machine's setting.
  const SettingEstimate estimate = counter.settingEstimate().value();
  const QJsonObject settings = json["settings"].toObject();
  const QJsonArray probabilities = settings["probabilities"].toArray();
  ASSERT_EQ(probabilities.size(), 6);
  for (qsizetype s = 0; s < 6; ++s) {
    EXPECT_NEAR(probabilities[s].toDouble(), estimate.probability[static_cast<std::size_t>(s)],
                1e-14);
  }
  EXPECT_NEAR(settings["payout_rate"].toDouble(), estimate.payoutRate.value(), 1e-12);
  EXPECT_EQ(settings["games"].toInteger(), estimate.games);
  EXPECT_TRUE(settings["from_payouts"].toBool());

  // The graph's points are the chart's rows.
  const QJsonObject graph = json["graph"].toObject();
  EXPECT_EQ(graph["games_per_point"].toInt(), 25);
  const QJsonArray points = graph["points"].toArray();
  ASSERT_EQ(points.size(), static_cast<qsizetype>(panel.chart().rows().size()));
  for (qsizetype i = 0; i < points.size(); ++i) {
    EXPECT_EQ(std::to_string(points[i].toInteger()), panel.chart().rows()[i]) << i;
  }
}

TEST_F(LiveViewTest, ClientsGetChangesUntilTheyVanish) {
  std::vector<QJsonObject> got;
  QWebSocket client;
  QObject::connect(&client, &QWebSocket::textMessageReceived,
                   [&](const QString& m) { got.push_back(parse(m.toUtf8())); });
  client.open(live());
  ASSERT_TRUE(waitFor([&] { return got.size() == 1; }));
  EXPECT_EQ(got[0]["in_count"].toInteger(), counter.counters().in_count);
  EXPECT_TRUE(got[0].contains("graph"));
  EXPECT_EQ(server.clientCount(), 1u);

  // Nothing changed: nothing is sent. A game changes the figures; the graph comes along only
  // when the game gave it a point.
  server.publish(counter);
  const std::uint64_t graph = counter.panel().chart().revision();
  game();
  server.publish(counter);
  ASSERT_TRUE(waitFor([&] { return got.size() == 2; }));
  EXPECT_EQ(got[1]["in_count"].toInteger(), got[0]["in_count"].toInteger() + 3);
  EXPECT_EQ(got[1].contains("graph"), counter.panel().chart().revision() != graph);

  // A client that vanishes is let go; the server goes on serving others.
  client.abort();
  ASSERT_TRUE(waitFor([&] { return server.clientCount() == 0; }));
  QWebSocket next;
  bool answered = false;
  QObject::connect(&next, &QWebSocket::textMessageReceived, [&] { answered = true; });
  next.open(live());
  EXPECT_TRUE(waitFor([&] { return answered; }));
}

TEST_F(LiveViewTest, AnswersAnythingElseWithAPlainError) {
  const struct {
    const char* path;
    QByteArray verb;
    int status;
    const char* allow;
  } rows[] = {
      {"nothing", "GET", 404, ""},
      {"api/figures/1", "GET", 404, ""},
      {"api/figures", "POST", 405, "GET, HEAD"},
      {"", "DELETE", 405, "GET, HEAD"},
      {"live", "GET", 400, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    const Reply reply = request(base + row.path, row.verb);
    EXPECT_EQ(reply.status, row.status);
    EXPECT_EQ(reply.type, "text/plain; charset=utf-8");
    EXPECT_EQ(reply.allow, row.allow);
  }
  const Reply page = request(base + "?transparent");
  EXPECT_EQ(page.status, 200);
  EXPECT_TRUE(page.body.contains("<html")) << page.body.left(100).toStdString();

  QWebSocket elsewhere;
  bool closed = false;
  QObject::connect(&elsewhere, &QWebSocket::disconnected, [&] { closed = true; });
  elsewhere.open(QUrl(live().toString().replace("live", "stream")));
  EXPECT_TRUE(waitFor([&] { return closed; }));
  EXPECT_EQ(server.clientCount(), 0u);
}

std::uint16_t freePort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost);
  return probe.serverPort();
}

class LiveViewWindowTest : public WindowTest {
 protected:
  window::FrmTallix& startServing(std::optional<std::uint16_t> serve) {
    frm = std::make_unique<window::FrmTallix>(window::Environment{
        {&port, nullptr, Places::in(appDir()), nullptr, {}, serve}, dialog, messages});
    EXPECT_TRUE(frm->Form_Load());
    return *frm;
  }
  // The port double's own notice (no port address set) comes first.
  std::string lastNotice() const { return frm->notices().lines().last().toStdString(); }
};

TEST_F(LiveViewWindowTest, ServesOnTheLoopbackAddressOnlyByDefault) {
  const std::uint16_t port = freePort();
  writeIni("[serve]\nport=" + std::to_string(port) + "\n");
  startServing(std::nullopt);
  ASSERT_NE(frm->liveServer(), nullptr);
  const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/";
  EXPECT_EQ(lastNotice(), "The live view is at " + url);
  EXPECT_EQ(request(QString::fromStdString(url) + "api/figures").status, 200);

  // The machine's other addresses do not answer.
  for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
    if (address.isLoopback() || address.protocol() != QAbstractSocket::IPv4Protocol) continue;
    SCOPED_TRACE(address.toString().toStdString());
    QTcpSocket socket;
    socket.connectToHost(address, port);
    EXPECT_FALSE(socket.waitForConnected(2000));
  }
}

TEST_F(LiveViewWindowTest, SaysWhyItCannotServe) {
  QTcpServer taken;
  ASSERT_TRUE(taken.listen(QHostAddress::LocalHost));
  const std::string port = std::to_string(taken.serverPort());
  const std::pair<std::string, std::string> rows[] = {
      {"", "The live view is not served: 127.0.0.1 port " + port + ": Address already in use"},
      {"[serve]\naddress=my.pc\n",
       "The live view is not served: [serve] address=my.pc is not "
       "an IP address"},
  };
  for (const auto& [ini, notice] : rows) {
    SCOPED_TRACE(ini);
    writeIni(ini);
    startServing(taken.serverPort());
    EXPECT_EQ(frm->liveServer(), nullptr);
    EXPECT_EQ(lastNotice(), notice);
    frm.reset();
  }
}

// The program as a player starts it: tallix --simulate --serve serves the page and the figures
// of the play as it goes on, on the loopback address.
TEST(LiveViewProgram, ServesTheSimulatedPlayAsItGoesOn) {
  TempDir dir;
  std::filesystem::copy_file(TALLIX_PROGRAM, dir / "tallix");
  writeBytes(dir / "tallix.ini", "");
  const QString port = QString::number(freePort());
  QProcess tallix;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  tallix.setProcessEnvironment(env);
  tallix.setWorkingDirectory(QString::fromStdString(dir.path().string()));
  tallix.start("./tallix", {"--simulate=2", "--serve=" + port});
  const QString base = "http://127.0.0.1:" + port + "/";
  ASSERT_TRUE(waitFor([&] { return request(base + "api/figures").status == 200; }, 10000));
  const QJsonObject first = parse(request(base + "api/figures").body);
  ASSERT_TRUE(waitFor(
      [&] {
        return parse(request(base + "api/figures").body)["in_count"].toInteger() >
               first["in_count"].toInteger();
      },
      15000));
  EXPECT_TRUE(request(base).body.contains("<html"));
  tallix.terminate();
  ASSERT_TRUE(tallix.waitForFinished(10000));
  EXPECT_EQ(tallix.exitCode(), 0);
}

// The page in a real browser: Debian's Chromium, headless, shows the served figures.
TEST_F(LiveViewTest, PageShowsTheFiguresInABrowser) {
  const char* chromium = "/usr/bin/chromium";
  if (!std::filesystem::exists(chromium)) GTEST_SKIP() << "no " << chromium;
  const QJsonObject json = parse(request(base + "api/figures").body);
  const QString shown = QStringLiteral("id=\"in_count\">%1<").arg(json["in_count"].toInteger());
  // The page as the browser has it once its script ran. A browser held up by a busy machine may
  // give it before the figures came: it is asked again.
  QString dom;
  for (int attempt = 0; attempt < 5 && !dom.contains(shown); ++attempt) {
    TempDir profile;
    QProcess browser;
    browser.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu",
                             "--user-data-dir=" + QString::fromStdString(profile.path().string()),
                             "--virtual-time-budget=5000", "--dump-dom", base});
    ASSERT_TRUE(waitFor([&] { return browser.state() == QProcess::NotRunning; }, 60000));
    dom = QString::fromUtf8(browser.readAllStandardOutput());
  }
  for (const char* key : {"start_bonus_count", "start_all_count", "big_count", "reg_count",
                          "in_count", "out_count", "difference"}) {
    const QRegularExpression shown(QStringLiteral("id=\"%1\">(\\d+)<").arg(key));
    const QRegularExpressionMatch match = shown.match(dom);
    ASSERT_TRUE(match.hasMatch()) << key << "\n" << dom.left(2000).toStdString();
    EXPECT_EQ(match.captured(1).toLongLong(), std::abs(json[key].toInteger())) << key;
  }
  for (const char* key : {"payout_rate", "big_probability", "reg_probability"}) {
    EXPECT_TRUE(dom.contains(QStringLiteral("id=\"%1\">%2<").arg(key, json[key].toString())))
        << key;
  }
  EXPECT_EQ(dom.count("<tr class=\"kind-"), json["bonuses"].toArray().size());
  EXPECT_TRUE(dom.contains("<polyline")) << "no coin graph";
  EXPECT_EQ(dom.count("<tr class=\"setting\">"), 6) << "no setting estimate";
}

}  // namespace
}  // namespace tallix::testing
