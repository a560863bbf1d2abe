#include "core/row_bands.h"

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

namespace kepa {

namespace {

constexpr unsigned kMaxBands = 4;

unsigned bandsFor(std::int64_t rows, std::int64_t pixelsPerRow) {
  if (rows < 2 || rows * pixelsPerRow < kParallelPixels) return 1;
  const unsigned cores = std::max(1U, std::thread::hardware_concurrency());
  return static_cast<unsigned>(std::min<std::int64_t>({cores, kMaxBands, rows}));
}

}  // namespace

void forEachRowBand(std::int64_t begin, std::int64_t end, std::int64_t pixelsPerRow,
                    const std::function<void(std::int64_t, std::int64_t)>& work) {
  const std::int64_t rows = end - begin;
  if (rows <= 0) return;
  const unsigned bands = bandsFor(rows, pixelsPerRow);
  const auto bandStart = [&](unsigned band) { return begin + rows * band / bands; };
  std::vector<std::thread> helpers;
  unsigned started = 1;  // band 0 is the calling thread's
  try {
    for (; started < bands; ++started) {
      helpers.emplace_back(work, bandStart(started), bandStart(started + 1));
    }
  } catch (const std::system_error&) {
    // No thread to be had: the bands not started run here.
  }
  work(bandStart(0), bandStart(1));
  if (started < bands) work(bandStart(started), end);
  for (std::thread& helper : helpers)
    helper.join();
}

}  // namespace kepa
