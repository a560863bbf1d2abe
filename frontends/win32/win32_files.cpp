#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <random>

#include "core/bmp.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_desktop.h"

namespace kepa {

namespace {

// Windows' own words for an error.
std::string systemReason(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::wstring reason =
      length == 0 ? L"error " + std::to_wstring(error) : std::wstring(text, length);
  LocalFree(text);
  while (!reason.empty() &&
         (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L'.'))
    reason.pop_back();
  return utf8Of(reason);
}

SaveOutcome failed(const std::string& what) {
  return {false, what + "（" + systemReason(GetLastError()) + "）。"};
}

}  // namespace

std::string Win32Desktop::AppPath() {
  std::wstring path(MAX_PATH * 4, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return utf8Of(path.substr(0, path.find_last_of(L"\\/")));
}

std::string Win32Desktop::picturesPath() {
  wchar_t* folder = nullptr;
  std::string path;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Pictures, 0, nullptr, &folder)))
    path = utf8Of(folder);
  CoTaskMemFree(folder);
  if (path.empty()) {
    if (const char* home = std::getenv("USERPROFILE")) path = home;
  }
  return path;
}

bool Win32Desktop::canWriteIn(const std::string& path) {
  const std::wstring probe = wideOf(path) + L"\\kepa-write-probe.tmp";
  HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

bool Win32Desktop::isFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(wideOf(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32Desktop::isLink(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(wideOf(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

SaveOutcome Win32Desktop::writeBitmap(const std::vector<std::uint8_t>& bytes,
                                      const std::string& path) {
  const std::wstring target = wideOf(path);
  const std::wstring folder = target.substr(0, target.find_last_of(L"\\/") + 1);
  // Written to a new file beside the target under a name nobody can guess, then put in its
  // place: an existing file is only ever replaced by a complete new one. CREATE_NEW opens
  // nothing that is already there, a reparse point planted at the name included.
  std::random_device random;
  std::wstring temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 8 && file == INVALID_HANDLE_VALUE; ++attempt) {
    wchar_t name[32];
    std::swprintf(name, std::size(name), L".kepa-%08x%08x.tmp", random(), random());
    temporary = folder + name;
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) return failed("作成できません");
  DWORD written = 0;
  const bool wrote =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE &&
      written == bytes.size() && FlushFileBuffers(file) != FALSE;
  const SaveOutcome writeFailure = wrote ? SaveOutcome{true, {}} : failed("書き込めません");
  CloseHandle(file);
  if (!wrote) {
    DeleteFileW(temporary.c_str());
    return writeFailure;
  }
  // An existing file keeps its security and creation time (ReplaceFileW) and its attributes
  // (set again: not every ReplaceFileW keeps them, wine's does not); a new one takes the
  // folder's.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  const bool existing = attributes != INVALID_FILE_ATTRIBUTES;
  const bool placed =
      existing ? ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                              REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != FALSE
               : MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
  if (placed && existing) SetFileAttributesW(target.c_str(), attributes);
  if (!placed) {
    const SaveOutcome moveFailure = failed("書き込めません");
    DeleteFileW(temporary.c_str());
    return moveFailure;
  }
  return {true, {}};
}

void Win32Desktop::ClipboardClear() {
  // The clear takes effect with the SetData that follows, so that a SetData that fails leaves
  // the clipboard as it was.
}

bool Win32Desktop::ClipboardSetData(const Surface& image) {
  if (image.empty()) return false;
  // CF_DIB: the bitmap file without its 14-byte file header.
  const std::vector<std::uint8_t> bytes = encodeBmp(image);
  const std::size_t size = bytes.size() - 14;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (memory == nullptr) return false;
  void* locked = GlobalLock(memory);
  if (locked == nullptr) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(locked, bytes.data() + 14, size);
  GlobalUnlock(memory);
  if (OpenClipboard(ownerWindow()) == FALSE) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool set = SetClipboardData(CF_DIB, memory) != nullptr;
  CloseClipboard();
  if (!set) GlobalFree(memory);
  return set;
}

}  // namespace kepa
