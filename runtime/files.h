// Files and the clipboard: the program's folder and the user's, bitmap files, the clipboard.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/surface.h"

namespace kepa {

struct SaveOutcome {
  bool saved = false;
  std::string reason;  // why it was not saved, in Japanese, with the system's own words
};

class Files {
 public:
  Files() = default;
  Files(const Files&) = delete;
  Files& operator=(const Files&) = delete;
  virtual ~Files() = default;

  // App.Path: the folder of the program's executable file.
  [[nodiscard]] virtual std::string AppPath() = 0;
  // The user's own folder for pictures (their home folder where there is none).
  [[nodiscard]] virtual std::string picturesPath() = 0;
  // Whether `path` is a folder in which this user may create files.
  [[nodiscard]] virtual bool canWriteIn(const std::string& path) = 0;
  // Whether `path` names an existing folder.
  [[nodiscard]] virtual bool isFolder(const std::string& path) = 0;
  // Whether `path` itself is a symbolic link (or another reparse point), looked at without
  // following it.
  [[nodiscard]] virtual bool isLink(const std::string& path) = 0;

  // SavePicture: the picture written as a Windows bitmap (24 bits per pixel) whatever the
  // file's name. A picture without pixels, an empty name, a folder and a link are refused
  // before anything is written: a link would have the save replace whatever it points at
  // (another user can plant one in a shared folder under the proposed name). The rest is
  // writeBitmap's.
  [[nodiscard]] SaveOutcome SavePicture(const Surface& picture, const std::string& path);

  // Clipboard.Clear and Clipboard.SetData with a picture. The two make one replacement of
  // the clipboard's contents: SetData gives it exactly the image's pixels as a bitmap, or,
  // where the clipboard cannot take it, returns false and the clipboard keeps what it held.
  virtual void ClipboardClear() = 0;
  virtual bool ClipboardSetData(const Surface& image) = 0;

 protected:
  // The bytes of a bitmap file written at `path`, a file name that is not a folder's. An
  // existing regular file is only ever replaced by a complete new one and is left byte for
  // byte as it was on any failure; a device or other special file is written to directly.
  [[nodiscard]] virtual SaveOutcome writeBitmap(const std::vector<std::uint8_t>& bytes,
                                                const std::string& path) = 0;
};

}  // namespace kepa
