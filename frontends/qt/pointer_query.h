// The pointer's position read from the X server over a connection of its own.
//
// Qt's QCursor::pos() asks over the application's connection, whose replies its event thread
// reads: every query then wakes two threads. The magnifier asks a thousand times a second, so
// it gets a private connection where a query is one write and one read.
#pragma once

#include <memory>
#include <optional>

#include "core/geometry.h"

namespace kepa {

class PointerQuery {
 public:
  // Connects to $DISPLAY, where Qt's xcb platform runs unless told otherwise; on another
  // platform, or where that fails, the query has no answer.
  PointerQuery();
  PointerQuery(const PointerQuery&) = delete;
  PointerQuery& operator=(const PointerQuery&) = delete;
  ~PointerQuery();

  // The pointer on the first screen's root window, in device pixels.
  [[nodiscard]] std::optional<Point> position();

 private:
  struct Connection;
  std::unique_ptr<Connection> connection_;
};

}  // namespace kepa
