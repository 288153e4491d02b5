// What the live view costs the counter's (the window's) thread, and what floods of hostile
// clients leave behind, with a full record (a graph of 32,767 points).
//
//   BM_Figures           the figures' JSON, made on the counter's thread at every hand-over
//   BM_GraphJson         the graph's JSON, made on the server's thread once per change of the graph
//   BM_Hold500Clients    500 WebSocket clients reading; the figures change every 100 ms and the
//                        graph gains a point every 500 ms: the longest and the mean time
//                        publish() held the counter's thread (wall time, which counts the time
//                        other processes had the core, and the thread's own CPU time), and the
//                        clients still there at the end
//   BM_Flood/KIND        a flood against the server, from another process, as the issue measured
//                        them: the process's resident memory before, at its peak, when the flood
//                        ends and 10 s later; its open descriptors at their peak and 10 s after;
//                        saves (a file written and renamed every 200 ms) that failed meanwhile.
//                        The server keeps its real limits, and the process the usual 1024
//                        descriptors. KIND: idle (1,100 idle connections), slow (200 requests
//                        sent a byte every 5 s), header (a 64 MB header), pipelined (150,000
//                        GET / never read), pings (3,000,000 WebSocket pings, pongs never read)
//
//   bench_live_view [benchmark options]       (the floods take about three minutes)
//   bench_live_view --flood=KIND --port=N     (the flooding client, run by the benchmark)
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "counting/counter.h"
#include "full_record.h"
#include "serve/figures_json.h"
#include "serve/live_server.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

const char* program = nullptr;  // argv[0], to run the flooding clients

// The next point of the graph, as the counter adds one every 25 games.
void addPoint(tallix::Counter& counter) {
  tallix::Chart& chart = counter.panel().chart();
  chart.setRowCount(static_cast<std::int16_t>(chart.rowCount() + 1));
  chart.setRow(chart.rowCount());
  chart.setValue(std::to_string(chart.rowCount() % 3000));
}

double residentMegabytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024;
  }
  return 0;
}

double threadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double openDescriptors() {
  const auto fds = std::filesystem::directory_iterator("/proc/self/fd");
  return static_cast<double>(std::distance(begin(fds), end(fds)));
}

std::uint16_t portOf(const tallix::LiveServer& server) {
  const std::string& url = server.url();
  return static_cast<std::uint16_t>(std::stoi(url.substr(url.rfind(':') + 1)));
}

pid_t spawnFlood(const std::string& kind, std::uint16_t port) {
  std::string flood = "--flood=" + kind, at = "--port=" + std::to_string(port);
  char* argv[] = {const_cast<char*>(program), flood.data(), at.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0) return -1;
  return pid;
}

void BM_Figures(benchmark::State& state) {
  const tallix::Counter counter;
  for (auto _ : state) benchmark::DoNotOptimize(tallix::figuresJson(counter));
}
BENCHMARK(BM_Figures);

void BM_GraphJson(benchmark::State& state) {
  tallix::Counter counter;
  tallix::bench::fillGraph(counter, static_cast<std::int16_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(tallix::graphJson(counter.panel().chart().rows()));
  }
}
BENCHMARK(BM_GraphJson)->Arg(320)->Arg(tallix::Chart::kMaxRows)->Unit(benchmark::kMillisecond);

void BM_Hold500Clients(benchmark::State& state) {
  constexpr std::size_t kClients = 500;
  for (auto _ : state) {
    tallix::Counter counter;
    tallix::bench::fillGraph(counter, tallix::Chart::kMaxRows - 20);
    tallix::LiveServer server(counter);
    server.listen("127.0.0.1", 0);
    const pid_t clients = spawnFlood("websockets", portOf(server));
    const auto t0 = Clock::now();
    while (server.clientCount() < kClients && Clock::now() - t0 < 60s) {
      std::this_thread::sleep_for(10ms);
    }
    state.counters["clients"] = static_cast<double>(server.clientCount());
    double longest = 0, longestCpu = 0, total = 0;
    constexpr int kRounds = 100;
    for (int round = 1; round <= kRounds; ++round) {
      ++counter.counters().in_count;
      if (round % 5 == 0) addPoint(counter);
      const auto start = Clock::now();
      const double cpu = threadCpuMs();
      server.publish(counter);
      longestCpu = std::max(longestCpu, threadCpuMs() - cpu);
      const double held = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      longest = std::max(longest, held);
      total += held;
      std::this_thread::sleep_until(start + tallix::LiveServer::kPublishInterval);
    }
    state.counters["longest_hold_ms"] = longest;
    state.counters["longest_hold_cpu_ms"] = longestCpu;
    state.counters["mean_hold_ms"] = total / kRounds;
    state.counters["clients_at_end"] = static_cast<double>(server.clientCount());
    kill(clients, SIGTERM);
    waitpid(clients, nullptr, 0);
  }
}

// Writes a file beside it and renames it over, as a save does; false when that fails.
bool save(const std::filesystem::path& file) {
  std::ofstream out(file.string() + ".tmp", std::ios::binary);
  out << std::string(64 * 1024, 'r');
  out.close();
  std::error_code ec;
  std::filesystem::rename(file.string() + ".tmp", file, ec);
  return out && !ec;
}

void flood(benchmark::State& state, const std::string& kind) {
  for (auto _ : state) {
    tallix::Counter counter;
    tallix::bench::fillGraph(counter, tallix::Chart::kMaxRows);
    tallix::LiveServer server(counter);
    server.listen("127.0.0.1", 0);
    const auto file = std::filesystem::temp_directory_path() / "tallix-bench-live.log";
    std::this_thread::sleep_for(500ms);
    const double before = residentMegabytes();
    double peak = before, peakDescriptors = openDescriptors();
    int savesFailed = 0;
    const pid_t pid = spawnFlood(kind, portOf(server));
    auto nextSave = Clock::now();
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
      peak = std::max(peak, residentMegabytes());
      peakDescriptors = std::max(peakDescriptors, openDescriptors());
      if (Clock::now() >= nextSave) {
        savesFailed += save(file) ? 0 : 1;
        nextSave += 200ms;
      }
      std::this_thread::sleep_for(50ms);
    }
    const double atEnd = residentMegabytes();
    std::this_thread::sleep_for(10s);
    state.counters["rss_before_MB"] = before;
    state.counters["rss_peak_MB"] = peak;
    state.counters["rss_end_MB"] = atEnd;
    state.counters["rss_10s_MB"] = residentMegabytes();
    state.counters["fds_peak"] = peakDescriptors;
    state.counters["fds_10s"] = openDescriptors();
    state.counters["saves_failed"] = savesFailed;
    std::filesystem::remove(file);
  }
}

// ---- The flooding clients, in a process of their own.

int connectTo(std::uint16_t port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

bool sendAll(int fd, const std::string& bytes) {
  for (std::size_t sent = 0; sent < bytes.size();) {
    const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

// Sends `unit` `times` times, never reading, then a byte now and then until the server has
// closed the connection (or for a minute).
void floodUnread(int fd, const std::string& unit, long times) {
  std::string chunk;
  while (chunk.size() < 64 * 1024) chunk += unit;
  const long perChunk = static_cast<long>(chunk.size() / unit.size());
  for (long sent = 0; sent < times; sent += perChunk) {
    if (!sendAll(fd, chunk)) return;
  }
  for (int i = 0; i < 600 && sendAll(fd, "\r\n"); ++i) std::this_thread::sleep_for(100ms);
}

// Waits until the server has closed each of `fds` (or for a minute); `tick` runs every 5 s.
template <typename Tick>
void holdUntilClosed(std::vector<int> fds, Tick tick) {
  const auto end = Clock::now() + 60s;
  auto nextTick = Clock::now();
  while (!fds.empty() && Clock::now() < end) {
    if (Clock::now() >= nextTick) {
      tick(fds);
      nextTick += 5s;
    }
    std::vector<pollfd> polled;
    for (int fd : fds) polled.push_back({fd, POLLIN, 0});
    poll(polled.data(), polled.size(), 100);
    fds.clear();
    for (const pollfd& p : polled) {
      char buffer[4096];
      if (p.revents != 0 && recv(p.fd, buffer, sizeof buffer, 0) <= 0) {
        close(p.fd);
      } else {
        fds.push_back(p.fd);
      }
    }
  }
}

std::string request(std::uint16_t port, const std::string& path = "/") {
  return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) + "\r\n\r\n";
}

// Opens a WebSocket on /live and reads its handshake's answer.
int openWebSocket(std::uint16_t port) {
  const int fd = connectTo(port);
  if (fd < 0) return -1;
  sendAll(fd, "GET /live HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                  "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Key: "
                  "dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
  std::string answer;
  char c;
  while (answer.find("\r\n\r\n") == std::string::npos && recv(fd, &c, 1, 0) == 1) answer += c;
  return fd;
}

int runFlood(const std::string& kind, std::uint16_t port) {
  rlimit files{};
  getrlimit(RLIMIT_NOFILE, &files);
  files.rlim_cur = files.rlim_max;
  setrlimit(RLIMIT_NOFILE, &files);
  if (kind == "idle" || kind == "slow") {
    std::vector<int> fds;
    for (int i = 0; i < (kind == "idle" ? 1100 : 200); ++i) {
      if (const int fd = connectTo(port); fd >= 0) fds.push_back(fd);
    }
    const std::string slow = request(port);
    std::size_t next = 0;
    holdUntilClosed(fds, [&](const std::vector<int>& open) {
      if (kind != "slow") return;
      for (int fd : open) send(fd, &slow[next % slow.size()], 1, MSG_NOSIGNAL);
      ++next;
    });
  } else if (kind == "header") {
    const int fd = connectTo(port);
    sendAll(fd, "GET / HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) + "\r\nX-Flood: ");
    floodUnread(fd, std::string(64 * 1024, 'a'), 1024);
  } else if (kind == "pipelined") {
    floodUnread(connectTo(port), request(port), 150'000);
  } else if (kind == "pings") {
    // A masked ping with no payload: FIN and opcode 9, the mask bit, a mask key.
    floodUnread(openWebSocket(port), std::string("\x89\x80\x01\x02\x03\x04", 6), 3'000'000);
  } else if (kind == "websockets") {
    std::vector<int> fds;
    for (int i = 0; i < 500; ++i) fds.push_back(openWebSocket(port));
    for (;;) holdUntilClosed(fds, [](const std::vector<int>&) {});
  } else {
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  program = argv[0];
  if (argc == 3 && std::strncmp(argv[1], "--flood=", 8) == 0 &&
      std::strncmp(argv[2], "--port=", 7) == 0) {
    return runFlood(argv[1] + 8, static_cast<std::uint16_t>(std::atoi(argv[2] + 7)));
  }
  // The usual limit of a desktop session, as the measurements had it.
  rlimit files{};
  getrlimit(RLIMIT_NOFILE, &files);
  files.rlim_cur = std::min<rlim_t>(files.rlim_max, 1024);
  setrlimit(RLIMIT_NOFILE, &files);
  for (const char* kind : {"idle", "slow", "header", "pipelined", "pings"}) {
    benchmark::RegisterBenchmark((std::string("BM_Flood/") + kind).c_str(),
                                 [kind](benchmark::State& state) { flood(state, kind); })
        ->Iterations(1)
        ->Unit(benchmark::kSecond)
        ->UseRealTime();
  }
  // After the floods, whose memory is measured against a process that has not served many
  // clients yet.
  benchmark::RegisterBenchmark("BM_Hold500Clients", BM_Hold500Clients)
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
