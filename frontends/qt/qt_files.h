// Files and the clipboard on Qt.
#pragma once

#include "runtime/files.h"

namespace kepa {

class QtFiles final : public Files {
 public:
  [[nodiscard]] std::string AppPath() override;
  [[nodiscard]] std::string picturesPath() override;
  [[nodiscard]] bool canWriteIn(const std::string& path) override;
  [[nodiscard]] bool isFolder(const std::string& path) override;
  [[nodiscard]] bool isLink(const std::string& path) override;
  void ClipboardClear() override;
  bool ClipboardSetData(const Surface& image) override;

 protected:
  [[nodiscard]] SaveOutcome writeBitmap(const std::vector<std::uint8_t>& bytes,
                                        const std::string& path) override;
};

}  // namespace kepa
