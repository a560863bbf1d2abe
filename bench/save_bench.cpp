// Saving a 3840 x 2160 region image as a BMP file, against writing the same number of bytes
// with write(2).
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "core/bmp.h"
#include "frontends/qt/qt_files.h"

namespace kepa::bench {
namespace {

constexpr std::int32_t kWidth = 3840;
constexpr std::int32_t kHeight = 2160;

std::string scratchPath(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

void kepaSave(benchmark::State& state) {
  const Surface picture = busySurface(kWidth, kHeight, 3);
  const std::string path = scratchPath("kepa-bench-save.bmp");
  QtFiles files;
  for (auto _ : state) {
    if (!files.SavePicture(picture, path).saved) state.SkipWithError("the save failed");
  }
  std::filesystem::remove(path);
}

// The same bytes written with open, write and close, straight into the file.
void plainWrite(benchmark::State& state) {
  const std::vector<char> bytes(bmpFileSize(kWidth, kHeight), 'x');
  const std::string path = scratchPath("kepa-bench-write.bin");
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::size_t done = 0;
    while (fd >= 0 && done < bytes.size()) {
      const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    if (fd >= 0) ::close(fd);
    benchmark::DoNotOptimize(done);
  }
  std::filesystem::remove(path);
}

const bool kRegistered = [] {
  benchmark::RegisterBenchmark("kepa/save BMP 3840x2160", kepaSave)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("write(2)/save BMP 3840x2160", plainWrite)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  return true;
}();

}  // namespace
}  // namespace kepa::bench
