#include "runtime/files.h"

#include "core/bmp.h"

namespace kepa {

SaveOutcome Files::SavePicture(const Surface& picture, const std::string& path) {
  if (picture.empty()) return {false, "画像の幅または高さが 0 のため、ビットマップにできません。"};
  if (path.empty()) return {false, "ファイル名がありません。"};
  if (isLink(path)) return {false, "同じ名前のリンクがあります（リンク先には書き込みません）。"};
  if (isFolder(path)) return {false, "同じ名前のフォルダーがあります。"};
  return writeBitmap(encodeBmp(picture), path);
}

}  // namespace kepa
