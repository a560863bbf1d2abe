// kepa_soak: kepa's memory and processor time at rest and over long use, on a private X
// session (Xvfb and icewm), with real X input.
//   1. At rest: kepa with only its icon for 10 s (processor time, resident memory), against
//      the smallest Qt 6 tray program (icon and tooltip) measured the same way.
//   2. 100 captures in a row, each with a selection, a grey conversion and the end of the
//      clipping: resident memory after 10 warm-up rounds and at the end, and after the last
//      clipping ended against before the first capture.
//   3. The magnifier on for 60 s with a moving pointer: resident memory after 5 s and at
//      the end.
// It prints the figures; it judges nothing.
//
// usage: kepa_soak KEPA_BINARY MINIMAL_TRAY_BINARY
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <unistd.h>

#include "tools/xdriver/kepa_driver.h"
#include "tools/xdriver/x_session.h"

namespace {

using kepa::xdriver::KepaDriver;
using kepa::xdriver::Process;
using kepa::xdriver::XSession;
using std::chrono::seconds;

// Resident memory of process `pid`, in KiB.
long residentKib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// User and system processor time of process `pid`, in seconds.
double processorSeconds(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14 || i == 15) ticks += std::stod(field);
  }
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void sleepFor(seconds duration) {
  std::this_thread::sleep_for(duration);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s KEPA_BINARY MINIMAL_TRAY_BINARY\n", argv[0]);
    return 2;
  }
  XSession session;
  // 1. At rest, against the smallest tray program.
  long minimalKib = 0;
  {
    Process minimal({argv[2]}, session.environment(), session.directory() + "/minimal.log");
    sleepFor(seconds(10));
    minimalKib = residentKib(minimal.pid());
  }
  KepaDriver kepa(session, argv[1], session.directory() + "/kepa.log");
  if (!kepa.trayIcon()) {
    std::fprintf(stderr, "kepa_soak: no tray icon\n%s", kepa.log().c_str());
    return 1;
  }
  const pid_t pid = kepa.process().pid();
  const double restStart = processorSeconds(pid);
  sleepFor(seconds(10));
  const double restCpu = processorSeconds(pid) - restStart;
  const long restKib = residentKib(pid);
  std::printf("at rest for 10 s: %.2f s of processor time (%.2f%% of one core)\n", restCpu,
              restCpu * 10.0);
  std::printf("at rest: %ld KiB resident; the minimal tray program %ld KiB: %.2fx\n", restKib,
              minimalKib, static_cast<double>(restKib) / static_cast<double>(minimalKib));

  // 2. 100 captures, each with a selection, a grey conversion and the end of the clipping.
  long warmKib = 0;
  long duringKib = 0;
  long firstEndedKib = 0;
  for (int round = 1; round <= 100; ++round) {
    if (!kepa.startCapture()) {
      std::fprintf(stderr, "kepa_soak: capture %d failed\n%s", round, kepa.log().c_str());
      return 1;
    }
    if (round == 1) {
      sleepFor(seconds(1));
      duringKib = residentKib(pid);
    }
    session.xdotool(
        "mousemove 100 80 sleep 0.1 mousedown 1 sleep 0.1 mousemove 200 150 sleep 0.05 "
        "mousemove 400 300 sleep 0.1 mouseup 1 sleep 0.1");
    if (!kepa.chooseFromMenu("Down Down Down Right Down Down Down Down Return",
                             "グレ－スケ－ル変換") ||
        !kepa.chooseFromMenu("Up Return", "クリッピング終了")) {
      std::fprintf(stderr, "kepa_soak: round %d failed\n%s", round, kepa.log().c_str());
      return 1;
    }
    kepa::xdriver::waitUntil([&] { return !kepa.clippingWindow().has_value(); }, seconds(10));
    if (round == 1) {
      sleepFor(seconds(1));
      firstEndedKib = residentKib(pid);
    }
    if (round == 10) warmKib = residentKib(pid);
  }
  sleepFor(seconds(2));
  const long afterKib = residentKib(pid);
  std::printf("100 captures: %ld KiB after 10, %ld KiB after 100: %+ld KiB\n", warmKib, afterKib,
              afterKib - warmKib);
  std::printf("the first clipping: %ld KiB while open, %ld KiB once ended (%+ld KiB)\n", duringKib,
              firstEndedKib, firstEndedKib - duringKib);
  std::printf(
      "after the last clipping ended: %ld KiB, at rest before the first: %ld KiB: %+ld "
      "KiB\n",
      afterKib, restKib, afterKib - restKib);

  // 3. The magnifier for 60 s with a moving pointer.
  if (!kepa.startCapture() || !kepa.chooseFromMenu("Down Return", "虫眼鏡")) {
    std::fprintf(stderr, "kepa_soak: the magnifier did not start\n%s", kepa.log().c_str());
    return 1;
  }
  // Another process moves the pointer every 10 ms for 60 s, in commands of 5 s each (one
  // command line cannot hold a minute of moves).
  std::thread mover([&] {
    for (int chunk = 0; chunk < 12; ++chunk) {
      std::string moves;
      for (int i = 0; i < 500; ++i) {
        const int k = chunk * 500 + i;
        moves += " mousemove " + std::to_string(300 + (k % 400)) + " " +
                 std::to_string(200 + (k % 300)) + " sleep 0.01";
      }
      session.xdotool(moves);
    }
  });
  sleepFor(seconds(5));
  const long magnifierWarmKib = residentKib(pid);
  const double magnifierStart = processorSeconds(pid);
  const auto started = std::chrono::steady_clock::now();
  mover.join();
  const auto moved = std::chrono::steady_clock::now();
  const double magnifierCpu = processorSeconds(pid) - magnifierStart;
  const long magnifierKib = residentKib(pid);
  std::printf(
      "magnifier with a moving pointer: %ld KiB after 5 s, %ld KiB at the end: %+ld KiB; "
      "%.1f%% of one core\n",
      magnifierWarmKib, magnifierKib, magnifierKib - magnifierWarmKib,
      magnifierCpu / std::chrono::duration<double>(moved - started).count() * 100.0);
  return 0;
}
