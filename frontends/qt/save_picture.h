// A bitmap file's bytes written to a path that is no link: a regular file (or a new one) is
// written to a new temporary file beside it that then replaces it; on any failure the
// temporary file is removed and an existing file is left byte for byte as it was. A device or
// other special file is written to directly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/files.h"

namespace kepa {

[[nodiscard]] SaveOutcome writeBitmapFile(const std::vector<std::uint8_t>& bytes,
                                          const std::string& path);

}  // namespace kepa
