// The save-file dialog on Qt's own file dialog: only the file types' descriptions are shown,
// their patterns match names whatever their case, an existing file is replaced without a
// question and a name typed without an extension is taken as typed.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QString>

#include "runtime/dialogs.h"

class QWidget;

namespace kepa {

// The Qt name filter of one file type: the description, and the pattern made to match either
// case of every letter; "*.*" matches every name, with or without a dot.
[[nodiscard]] QString nameFilter(const std::string& description, const std::string& pattern);

// Runs the dialog, made modal by `makeModal`; the chosen path, or nothing when it was
// cancelled.
[[nodiscard]] std::optional<std::string> runSaveDialog(
    const SaveDialogRequest& request, const std::function<void(QWidget& dialog)>& makeModal);

}  // namespace kepa
