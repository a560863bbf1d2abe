// kepa_magnifier_bench: the magnifier on a real X server (its own Xvfb). One tick's work
// against a memcpy of the 225 x 225 view, and, with --cpu=SECONDS, the processor time the
// program uses with the magnifier on, the pointer first still and then moving.
//
// usage: kepa_magnifier_bench [--screen=WIDTHxHEIGHT] [--wayland] [--cpu=SECONDS]
//                             [benchmark options]
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include <sys/resource.h>

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWindow>

#include <benchmark/benchmark.h>

#include "app/app.h"
#include "bench_support.h"
#include "frontends/qt/qt_desktop.h"
#include "frontends/qt/qt_windows.h"
#include "frontends/qt/widget_of.h"
#include "own_display.h"
#include "ratio_reporter.h"

namespace kepa::bench {
namespace {

std::string gCase;

// A capture on the screen with the magnifier switched on from the clipping menu.
struct OpenMagnifier {
  OpenMagnifier() : app(desktop, qtWindows()) {
    app.form1().StartCap_Click();
    app.form2().GZoom_Click();
    while (!widgetOf(app.form3().window()).windowHandle()->isExposed())
      QCoreApplication::processEvents();
  }
  Form3Face& window() { return app.form3().window(); }

  QtDesktop desktop;
  App app;
};

// One tick with the pointer still: the view is computed and found unchanged.
void tickStill(benchmark::State& state) {
  OpenMagnifier magnifier;
  magnifier.window().Timer1().setInterval(0);  // the benchmark runs the ticks
  QCursor::setPos(500, 400);
  magnifier.app.form3().Timer1_Timer();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    magnifier.app.form3().Timer1_Timer();
    QCoreApplication::processEvents();
  }
}

// One tick after the pointer moved a pixel: the view changes and is repainted and flushed.
void tickMoving(benchmark::State& state) {
  OpenMagnifier magnifier;
  magnifier.window().Timer1().setInterval(0);
  int step = 0;
  for (auto _ : state) {
    state.PauseTiming();
    QCursor::setPos(500 + (step++ & 1), 400);
    QCoreApplication::processEvents();
    state.ResumeTiming();
    magnifier.app.form3().Timer1_Timer();
    QCoreApplication::processEvents();
  }
}

double processorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs the event loop for `seconds` with the magnifier on and returns the share of one core
// that the program used.
double coreShare(double seconds) {
  const double before = processorSeconds();
  QElapsedTimer clock;
  clock.start();
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(seconds * 1000.0), &loop, &QEventLoop::quit);
  loop.exec();
  return (processorSeconds() - before) / (static_cast<double>(clock.elapsed()) / 1000.0);
}

void measureProcessorUse(OwnDisplay& display, double seconds) {
  OpenMagnifier magnifier;
  QCursor::setPos(500, 400);
  std::printf("magnifier on, pointer still for %.0f s: %.1f%% of one core\n", seconds,
              100.0 * coreShare(seconds));
  // Another process moves the pointer every 10 ms, back and forth over 200 pixels.
  std::string moves;
  const int count = static_cast<int>(seconds * 100.0);
  for (int i = 0; i < count; ++i) {
    const int x = 400 + (i % 400 < 200 ? i % 200 : 200 - i % 200);
    moves += " mousemove " + std::to_string(x) + " 400 sleep 0.01";
  }
  std::thread mover([&] { display.session().xdotool(moves); });
  std::printf("magnifier on, pointer moving for %.0f s: %.1f%% of one core\n", seconds,
              100.0 * coreShare(seconds));
  mover.join();
}

}  // namespace
}  // namespace kepa::bench

int main(int argc, char* argv[]) {
  kepa::bench::OwnDisplay display(argc, argv);
  if (const auto status = display.runInWaylandSession(argv[0])) return *status;
  double cpuSeconds = 0.0;
  std::erase_if(display.arguments, [&](char* argument) {
    return std::sscanf(argument, "--cpu=%lf", &cpuSeconds) == 1;
  });
  int count = static_cast<int>(display.arguments.size());
  QApplication application(count, display.arguments.data());
  QApplication::setQuitOnLastWindowClosed(false);
  if (cpuSeconds > 0.0) {
    // The pointer is moved through the X server's own test input.
    if (display.wayland()) {
      std::fprintf(stderr, "--cpu needs the X server of its own, not --wayland\n");
      return 2;
    }
    kepa::bench::measureProcessorUse(display, cpuSeconds);
    return 0;
  }
  // Appended, not inserted in front of a temporary: GCC 12 at -O3 warns of a false overlap
  // there (-Wrestrict, GCC bug 105329).
  const std::string kase = std::string(1, ' ').append(display.name());
  const auto add = [](const std::string& name, auto run) {
    benchmark::RegisterBenchmark(name.c_str(), run)->Unit(benchmark::kMicrosecond)->UseRealTime();
  };
  add("kepa/magnifier tick, pointer still" + kase, kepa::bench::tickStill);
  add("memcpy/magnifier tick, pointer still" + kase,
      [](benchmark::State& state) { kepa::bench::copyPixels(state, 225 * 225); });
  add("kepa/magnifier tick, pointer moved" + kase, kepa::bench::tickMoving);
  add("memcpy/magnifier tick, pointer moved" + kase,
      [](benchmark::State& state) { kepa::bench::copyPixels(state, 225 * 225); });
  benchmark::Initialize(&count, display.arguments.data());
  kepa::bench::RatioReporter reporter(std::vector<kepa::bench::RatioReporter::Baseline>{
      {"memcpy", "vs memcpy of the 225 x 225 view"}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
