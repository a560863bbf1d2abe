// kepa_capture_bench: the capture and the clipping window's drag on a real X server (its own
// Xvfb), against a raw MIT-SHM grab of the same screen and a full-screen repaint; with
// --wayland, in a headless Wayland session of its own, against one grim of the same screen.
//
// usage: kepa_capture_bench [--screen=WIDTHxHEIGHT] [--scale=FACTOR] [--without-shm]
//                           [--wayland] [benchmark options]
#include <cstdlib>

#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <benchmark/benchmark.h>

#include "app/app.h"
#include "bench_support.h"
#include "core/bit_blt.h"
#include "frontends/qt/device_pixels.h"
#include "frontends/qt/qt_desktop.h"
#include "frontends/qt/qt_windows.h"
#include "frontends/qt/widget_of.h"
#include "own_display.h"
#include "ratio_reporter.h"

namespace kepa::bench {
namespace {

std::string gCase;  // "WIDTHxHEIGHT", the suffix of every benchmark name

// Until the window is on the screen and the server has carried out everything asked of it
// (a round trip answers only after the requests before it).
void waitForPaint(QWidget& window) {
  while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
    QCoreApplication::processEvents();
  }
  QCoreApplication::processEvents();
  xcb_connection_t* xcb =
      qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
  std::free(xcb_get_input_focus_reply(xcb, xcb_get_input_focus(xcb), nullptr));
}

// StartCap's grab: the screen's device context copied into the clipping window's image.
void kepaCapture(benchmark::State& state) {
  QtDesktop desktop;
  const QSize size = QGuiApplication::primaryScreen()->size();
  Surface image = desktop.screen.createScreenImage(size.width(), size.height());
  DeviceContext target(image);
  for (auto _ : state) {
    DeviceContext screen = desktop.screen.GetDC();
    BitBlt(target, 0, 0, size.width(), size.height(), screen, 0, 0, RasterOp::SRCCOPY);
    desktop.screen.ReleaseDC(screen);
    benchmark::DoNotOptimize(image.data());
  }
}

// The same screen read with one XShmGetImage into an attached segment, nothing more.
void rawShmGrab(benchmark::State& state) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* xcb = x11->connection();
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(xcb)).data;
  const std::size_t bytes = std::size_t{screen->width_in_pixels} * screen->height_in_pixels * 4;
  const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  void* address = shmat(id, nullptr, 0);
  const xcb_shm_seg_t segment = xcb_generate_id(xcb);
  xcb_shm_attach(xcb, segment, static_cast<std::uint32_t>(id), 0);
  shmctl(id, IPC_RMID, nullptr);
  for (auto _ : state) {
    std::free(xcb_shm_get_image_reply(
        xcb,
        xcb_shm_get_image(xcb, screen->root, 0, 0, screen->width_in_pixels,
                          screen->height_in_pixels, ~0U, XCB_IMAGE_FORMAT_Z_PIXMAP, segment, 0),
        nullptr));
    benchmark::DoNotOptimize(address);
  }
  xcb_shm_detach(xcb, segment);
  xcb_flush(xcb);
  shmdt(address);
}

// The compositor's own screenshot tool writing the screen as an uncompressed picture.
void grimGrab(benchmark::State& state) {
  for (auto _ : state) {
    QProcess grim;
    grim.setStandardOutputFile(QProcess::nullDevice());
    grim.start("grim", {"-t", "ppm", "-"});
    if (!grim.waitForFinished() || grim.exitCode() != 0) {
      state.SkipWithError("grim failed");
      break;
    }
  }
}

void qtGrab(benchmark::State& state) {
  for (auto _ : state) {
    QImage grabbed = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    benchmark::DoNotOptimize(grabbed.constBits());
  }
}

// From the menu command to the clipping window on the screen with the frozen image: the
// window is loaded afresh each time, as after ending a clipping, after the tray menu's opening
// has made its image ready.
void kepaMenuToFrozenScreen(benchmark::State& state) {
  QtDesktop desktop;
  App app(desktop, qtWindows());
  for (auto _ : state) {
    // The tray menu opens: the image is made ready while the user chooses.
    state.PauseTiming();
    desktop.screen.prepareScreenImage(QGuiApplication::primaryScreen()->size().width(),
                                      QGuiApplication::primaryScreen()->size().height());
    QCoreApplication::processEvents();
    state.ResumeTiming();
    app.form1().StartCap_Click();
    waitForPaint(widgetOf(app.form2().window()));
    state.PauseTiming();
    app.form2().Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}

// A capture shown on the screen, as the user sees it after スタ－トキャプチャ－.
struct OpenClipping {
  OpenClipping() : app(desktop, qtWindows()) {
    app.form1().StartCap_Click();
    waitForPaint(window());
  }
  QWidget& window() { return widgetOf(app.form2().window()); }

  QtDesktop desktop;
  App app;
};

// One step of a drag that has grown a 1000 x 800 frame: the frame grows by a pixel and the
// window repaints what changed (old and new outline, old and new cursor box).
void kepaDragStep(benchmark::State& state) {
  OpenClipping clipping;
  QWidget& window = clipping.window();
  clipping.app.module1().SelStartX = 100;
  clipping.app.module1().SelStartY = 100;
  clipping.app.form2().SelColor = Colour(0x00FFFF);
  int step = 0;
  for (auto _ : state) {
    const float x = static_cast<float>(1099 + (step & 1));
    const float y = static_cast<float>(899 + (step & 1));
    ++step;
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), window.mapToGlobal(QPointF(x, y)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &move);
    QCoreApplication::processEvents();  // the repaint and its flush to the server
  }
}

// The same canvas repainted whole.
void fullRepaint(benchmark::State& state) {
  OpenClipping clipping;
  for (auto _ : state) {
    clipping.window().update();
    QCoreApplication::processEvents();
  }
}

void registerAll(bool shm, bool wayland) {
  const auto add = [](const std::string& name, void (*run)(benchmark::State&)) {
    benchmark::RegisterBenchmark((name + " " + gCase).c_str(), run)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  };
  // Without MIT-SHM the raw grab cannot be had: kepa's figures are compared with Qt's. Under
  // Xwayland both see a black screen, and the compositor's grim is the baseline.
  add("kepa/capture", kepaCapture);
  if (wayland) add("grim/capture", grimGrab);
  if (shm && !wayland) add("XShmGetImage/capture", rawShmGrab);
  if (!wayland) add("Qt/capture", qtGrab);
  add("kepa/menu to frozen screen", kepaMenuToFrozenScreen);
  if (wayland) add("grim/menu to frozen screen", grimGrab);
  if (shm && !wayland) add("XShmGetImage/menu to frozen screen", rawShmGrab);
  add("kepa/drag step", kepaDragStep);
  add("full repaint/drag step", fullRepaint);
}

}  // namespace
}  // namespace kepa::bench

int main(int argc, char* argv[]) {
  kepa::bench::OwnDisplay display(argc, argv);
  if (const auto status = display.runInWaylandSession(argv[0])) return *status;
  int count = static_cast<int>(display.arguments.size());
  kepa::useDevicePixels();  // as the program starts
  QApplication application(count, display.arguments.data());
  QApplication::setQuitOnLastWindowClosed(false);
  kepa::bench::gCase = display.name();
  kepa::bench::registerAll(!display.withoutShm(), display.wayland());
  benchmark::Initialize(&count, display.arguments.data());
  kepa::bench::RatioReporter reporter({{"XShmGetImage", "vs raw XShmGetImage"},
                                       {"Qt", "vs QScreen::grabWindow"},
                                       {"grim", "vs grim -t ppm"},
                                       {"full repaint", "vs full-screen repaint"}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
