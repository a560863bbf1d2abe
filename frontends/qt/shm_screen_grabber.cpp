#include "frontends/qt/shm_screen_grabber.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

namespace kepa {

struct ShmScreenGrabber::Connection {
  xcb_connection_t* xcb = nullptr;
  xcb_window_t root = 0;
};

namespace {

// A grab is asked for in this many bands (of at least kMinBandRows rows).
constexpr std::int32_t kBands = 8;
constexpr std::int32_t kMinBandRows = 32;

// A System V shared-memory segment attached both here and in the X server.
class ShmMemory final : public PixelMemory {
 public:
  ShmMemory(std::shared_ptr<ShmScreenGrabber::Connection> connection, void* address,
            xcb_shm_seg_t segment)
      : connection_(std::move(connection)), address_(address), segment_(segment) {}
  ~ShmMemory() override {
    xcb_shm_detach(connection_->xcb, segment_);
    xcb_flush(connection_->xcb);
    ::shmdt(address_);
  }
  std::uint32_t* pixels() override { return static_cast<std::uint32_t*>(address_); }
  [[nodiscard]] xcb_shm_seg_t segment() const { return segment_; }
  [[nodiscard]] const ShmScreenGrabber::Connection* owner() const { return connection_.get(); }

 private:
  std::shared_ptr<ShmScreenGrabber::Connection> connection_;
  void* address_;
  xcb_shm_seg_t segment_;
};

}  // namespace

std::unique_ptr<ShmScreenGrabber> ShmScreenGrabber::forApplication() {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return nullptr;
  xcb_connection_t* xcb = x11->connection();
  // A request of an extension the server lacks breaks the connection: ask first.
  const xcb_query_extension_reply_t* extension = xcb_get_extension_data(xcb, &xcb_shm_id);
  if (extension == nullptr || extension->present == 0) return nullptr;
  xcb_shm_query_version_reply_t* version =
      xcb_shm_query_version_reply(xcb, xcb_shm_query_version(xcb), nullptr);
  if (version == nullptr) return nullptr;  // no MIT-SHM on this server
  std::free(version);
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(xcb)).data;
  if (screen == nullptr || screen->root_depth != 24) return nullptr;
  auto connection = std::make_shared<Connection>();
  connection->xcb = xcb;
  connection->root = screen->root;
  return std::unique_ptr<ShmScreenGrabber>(new ShmScreenGrabber(std::move(connection)));
}

ShmScreenGrabber::ShmScreenGrabber(std::shared_ptr<Connection> connection)
    : connection_(std::move(connection)) {}

ShmScreenGrabber::~ShmScreenGrabber() = default;

Surface ShmScreenGrabber::createSurface(std::int32_t width, std::int32_t height) {
  const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
  if (bytes == 0) return Surface(width, height);
  const int id = ::shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (id < 0) return Surface(width, height);
  void* address = ::shmat(id, nullptr, 0);
  if (address == reinterpret_cast<void*>(-1)) {
    ::shmctl(id, IPC_RMID, nullptr);
    return Surface(width, height);
  }
  // All pages at once rather than one fault at a time (Linux 5.14 and later; elsewhere the
  // fill below faults them in).
  ::madvise(address, bytes, MADV_POPULATE_WRITE);
  xcb_connection_t* xcb = connection_->xcb;
  const xcb_shm_seg_t segment = xcb_generate_id(xcb);
  xcb_generic_error_t* error = xcb_request_check(
      xcb, xcb_shm_attach_checked(xcb, segment, static_cast<std::uint32_t>(id), 0));
  // Marked for removal now: the segment goes when both sides have detached, even after a crash.
  ::shmctl(id, IPC_RMID, nullptr);
  if (error != nullptr) {
    std::free(error);
    ::shmdt(address);
    return Surface(width, height);
  }
  return Surface(width, height, std::make_unique<ShmMemory>(connection_, address, segment));
}

bool ShmScreenGrabber::grabRows(Surface& into, std::int32_t top, std::int32_t rows) {
  auto* memory = dynamic_cast<ShmMemory*>(into.memory());
  // Rows beyond the root (the desktop shrank since `into` was made) fail the request, and
  // the caller then takes the plain way.
  if (memory == nullptr || memory->owner() != connection_.get() || rows <= 0) return false;
  // The rows are asked for in bands, all requests at once: while the server writes the later
  // bands, the earlier ones get their opaque top byte here, still warm in the cache.
  xcb_connection_t* xcb = connection_->xcb;
  const std::int32_t bandRows = std::max(kMinBandRows, (rows + kBands - 1) / kBands);
  std::vector<std::pair<std::int32_t, xcb_shm_get_image_cookie_t>> bands;
  for (std::int32_t first = top; first < top + rows; first += bandRows) {
    const std::int32_t count = std::min(bandRows, top + rows - first);
    const auto offset =
        static_cast<std::uint32_t>(static_cast<std::size_t>(first) * into.bytesPerLine());
    bands.emplace_back(
        first, xcb_shm_get_image(xcb, connection_->root, 0, static_cast<std::int16_t>(first),
                                 static_cast<std::uint16_t>(into.width()),
                                 static_cast<std::uint16_t>(count), ~0U, XCB_IMAGE_FORMAT_Z_PIXMAP,
                                 memory->segment(), offset));
  }
  bool complete = true;
  for (const auto& [first, cookie] : bands) {
    xcb_shm_get_image_reply_t* reply = xcb_shm_get_image_reply(xcb, cookie, nullptr);
    complete = complete && reply != nullptr;
    std::free(reply);
    into.makeOpaque(first, std::min(first + bandRows, top + rows));
  }
  return complete;
}

}  // namespace kepa

namespace kepa {

bool isSharedSurface(const Surface& surface) {
  return dynamic_cast<const ShmMemory*>(surface.memory()) != nullptr;
}

bool putShared(const Surface& surface, const Rect& area, std::uint32_t window, std::uint32_t gc,
               std::uint8_t depth) {
  const auto* memory = dynamic_cast<const ShmMemory*>(surface.memory());
  if (memory == nullptr || area.empty()) return false;
  xcb_connection_t* xcb = memory->owner()->xcb;
  xcb_shm_put_image(xcb, window, gc, static_cast<std::uint16_t>(surface.width()),
                    static_cast<std::uint16_t>(surface.height()),
                    static_cast<std::uint16_t>(area.x), static_cast<std::uint16_t>(area.y),
                    static_cast<std::uint16_t>(area.width), static_cast<std::uint16_t>(area.height),
                    static_cast<std::int16_t>(area.x), static_cast<std::int16_t>(area.y), depth,
                    XCB_IMAGE_FORMAT_Z_PIXMAP, 0, memory->segment(), 0);
  return true;
}

}  // namespace kepa
