// The common dialog control CMD as the save command uses it: properties set before each
// showing, and ShowSave, which reports a cancellation as an error number.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/dialogs.h"

namespace kepa {

// The error ShowSave raises for a cancelled dialog while CancelError is True.
inline constexpr std::int32_t cdlCancel = 32755;

class CommonDialog {
 public:
  bool CancelError = false;
  // "description|pattern|description|pattern...".
  std::string Filter;
  std::string InitDir;
  // The proposed name before ShowSave, the chosen path after it.
  std::string FileName;
  std::int32_t Flags = 0;
  // The window the control sits on, to which its dialog is modal.
  FormWindow* owner = nullptr;

  // Shows the save dialog through `dialogs`; returns the error number: 0, or cdlCancel when
  // it was cancelled and CancelError is True. FileName holds the chosen path.
  std::int32_t ShowSave(Dialogs& dialogs);
};

// The file types of a Filter text, in order; a description without a pattern is dropped.
[[nodiscard]] std::vector<std::pair<std::string, std::string>> filterPairs(
    const std::string& filter);

}  // namespace kepa
