#include "frontends/qt/save_picture.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kepa {

namespace {

SaveOutcome failed(const char* what, int error) {
  return {false, std::string(what) + "（" + std::strerror(error) + "）。"};
}

// Writes every byte to `fd`, and to the disk.
bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  return ::fsync(fd) == 0 || errno == EINVAL;  // a pipe or a device that keeps nothing
}

// The folder of `path`, to make the temporary file in.
std::string folderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

SaveOutcome writeBitmapFile(const std::vector<std::uint8_t>& bytes, const std::string& path) {
  struct stat existing {};
  const bool exists = ::lstat(path.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode) && !S_ISLNK(existing.st_mode)) {
    // A device or a pipe cannot be replaced by renaming: it is written to as it is.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return failed("開けません", errno);
    const bool wrote = writeAll(fd, bytes);
    const int error = errno;
    ::close(fd);
    if (!wrote) return failed("書き込めません", error);
    return {true, {}};
  }

  // A new file beside the target, under a name nobody can guess or plant first, that then
  // takes the target's place: rename replaces the name itself and never follows a link
  // planted there meanwhile.
  std::string temporary = folderOf(path) + "/.kepa-XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return failed("作成できません", errno);
  // The target's permissions where it exists; a new file's as the umask allows.
  mode_t mode = 0;
  if (exists && S_ISREG(existing.st_mode)) {
    mode = existing.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  bool wrote = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes);
  int error = errno;
  if (::close(fd) != 0 && wrote) {
    wrote = false;
    error = errno;
  }
  if (wrote && ::rename(temporary.c_str(), path.c_str()) != 0) {
    wrote = false;
    error = errno;
  }
  if (!wrote) {
    ::unlink(temporary.c_str());
    return failed("書き込めません", error);
  }
  return {true, {}};
}

}  // namespace kepa
