// Splitting a block's rows into bands that run on several cores. Block copies are limited
// by memory bandwidth, which one core does not saturate on a large block.
#pragma once

#include <cstdint>
#include <functional>

namespace kepa {

// Blocks smaller than this many pixels run on the calling thread: below it, starting a
// thread costs more than it saves.
inline constexpr std::int64_t kParallelPixels = std::int64_t{1} << 20;

// Calls work(bandBegin, bandEnd) for bands that together cover the rows [begin, end) exactly
// once. Bands run in parallel when rows x pixelsPerRow reaches kParallelPixels; work must then
// only write rows of its own band. Returns when every band is done.
void forEachRowBand(std::int64_t begin, std::int64_t end, std::int64_t pixelsPerRow,
                    const std::function<void(std::int64_t, std::int64_t)>& work);

}  // namespace kepa
