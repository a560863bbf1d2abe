#include <algorithm>

#include "frontends/fake/fake_desktop.h"

namespace kepa {

std::string FakeDesktop::AppPath() {
  return appPath;
}

std::string FakeDesktop::picturesPath() {
  return picturesFolder;
}

bool FakeDesktop::canWriteIn(const std::string& path) {
  return path == appPath && appPathWritable;
}

bool FakeDesktop::isFolder(const std::string& path) {
  return folders.contains(path);
}

SaveOutcome FakeDesktop::writeBitmap(const std::vector<std::uint8_t>& bytes,
                                     const std::string& path) {
  calls.push_back("SavePicture " + path);
  if (!saveFailures.empty()) {
    std::string reason = std::move(saveFailures.front());
    saveFailures.pop_front();
    return {false, std::move(reason)};
  }
  files[path] = bytes;
  return {true, {}};
}

void FakeDesktop::ClipboardClear() {
  calls.emplace_back("Clipboard.Clear");
}

bool FakeDesktop::ClipboardSetData(const Surface& image) {
  calls.emplace_back("Clipboard.SetData");
  if (clipboardRefuses || image.empty()) return false;
  Surface copy(image.width(), image.height());
  for (std::int32_t y = 0; y < image.height(); ++y)
    std::copy_n(image.row(y), image.width(), copy.row(y));
  clipboard = std::move(copy);
  return true;
}

}  // namespace kepa
