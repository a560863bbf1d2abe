// SavePicture: a picture written as a Windows bitmap (24 bits per pixel) whatever the file's
// name, so that an existing file is only ever replaced by a complete new one.
#pragma once

#include <string>

#include "platform/surface.h"

namespace kepa {

struct SaveOutcome {
  bool saved = false;
  std::string reason;  // why it was not saved, in Japanese, with the system's own words
};

// A regular file (or a new one) is written to a temporary file beside it that then replaces
// it; on any failure the temporary file is removed and an existing file is left byte for byte
// as it was. A device or other special file is written to directly. A picture without pixels,
// an empty name and a folder are refused before anything is written.
[[nodiscard]] SaveOutcome SavePicture(const Surface& picture, const std::string& path);

}  // namespace kepa
