#!/usr/bin/env python3
"""Mutation check: how many small, deliberate faults do the unit, forms and Qt suites catch?

Each mutation below changes one token in the pixel core (core/), the
effects or the rules of the clipping and zoom windows: an operator, a constant, a rounding mode
or an off-by-one. For every mutation the script

  1. checks that its snippet occurs exactly once in the file (otherwise the mutation is
     reported as invalid and skipped),
  2. writes the mutated file, rebuilds only kepa_unit_tests, kepa_forms_tests and
     kepa_qt_tests,
  3. runs the unit tests, then (if they all pass) the forms tests on the fake front end, then
     the Qt front end's tests on Qt's offscreen platform; a failing test, a crash or a timeout
     kills the mutation, all tests passing lets it survive,
  4. puts the original file back, whatever happened (also on Ctrl-C or an error).

A mutation that does not build is reported as invalid and does not count. Before the first
mutation the suites are built and run on the tree as it is: they must pass, or the score would
mean nothing. At the end the tests are rebuilt from the restored tree, one line is printed per
mutation and then "mutation score: K of N killed" (N counts the valid mutations).

It is run by hand, to compare two states of the test suite (same list, before and after), and
is not part of the test command:

  cmake --preset default
  nice -n 10 cmake --build --preset default --target kepa_unit_tests kepa_forms_tests \
    kepa_qt_tests -j 2
  tools/mutation/mutate.py build/default            # all mutations
  tools/mutation/mutate.py build/default --only 3,17 # some of them, by number
  tools/mutation/mutate.py --list                    # the list, without building anything

Builds run under nice with -j 2 (see --jobs); each test binary gets --timeout seconds.
"""

import argparse
import os
import signal
import subprocess
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]

# (file, snippet that occurs exactly once, replacement)
MUTATIONS = [
    # platform: blits and raster operations
    ("core/bit_blt.cpp", "if (r < rows.begin || r >= rows.end) {", "if (r < rows.begin || r > rows.end) {"),
    ("core/bit_blt.cpp", "x < dc.width() && y < dc.height()", "x <= dc.width() && y < dc.height()"),
    ("core/bit_blt.cpp", "rows.begin + onRows.begin - srcTop", "rows.begin + onRows.begin + srcTop"),
    ("core/block_copy.cpp", "std::clamp<std::int64_t>(-srcLeft, 0, count)", "std::clamp<std::int64_t>(srcLeft, 0, count)"),
    ("core/block_copy.cpp", "srcRow >= source.height() || inner == lead", "srcRow > source.height() || inner == lead"),
    ("core/block_copy.cpp", "black(out + inner, count - inner);", "black(out + inner, count - inner - 1);"),
    ("core/raster_op.cpp", "return s & ~d;", "return s | ~d;"),
    ("core/raster_op.cpp", "return ~(s | d);", "return ~(s & d);"),
    ("core/raster_op.cpp", "return ~s | d;", "return ~s & d;"),
    ("core/raster_op.cpp", "return s ^ d;", "return s | d;"),
    ("core/raster_op.cpp", "kOpaque = 0xFF000000U;", "kOpaque = 0xFE000000U;"),
    ("core/stretch_blt.cpp", "(s >= 0 && s < limit) ? s : -1", "(s > 0 && s < limit) ? s : -1"),
    ("core/stretch_blt.cpp", "std::fill(into + validEnd_, into + count_, kBlackPixel);", "std::fill(into + validEnd_ + 1, into + count_, kBlackPixel);"),
    ("core/stretch_blt.h", "return (scaled + destExtent - 1) / destExtent;", "return (scaled + destExtent) / destExtent;"),
    ("core/stretch_blt.h", "return scaled / destExtent;", "return (scaled + 1) / destExtent;"),
    # platform: surfaces, pictures, colours, bitmaps
    ("core/surface.cpp", "for (std::int32_t y = 0; y < keptRows; ++y) {", "for (std::int32_t y = 1; y < keptRows; ++y) {"),
    ("core/surface.cpp", "if (width == width_ && height == height_) return;", "if (width == width_ || height == height_) return;"),
    ("core/surface.cpp", "pixels[i] |= 0xFF000000U;", "pixels[i] |= 0xFE000000U;"),
    ("core/picture.cpp", "backColor_ = colour;\n  Cls();", "backColor_ = colour;"),
    ("core/colour.h", "static_cast<std::uint32_t>(b) << 16U);", "static_cast<std::uint32_t>(b) << 15U);"),
    ("core/colour.h", "return Colour(0xC0C0C0U);", "return Colour(0xC0C0C1U);"),
    ("core/colour.h", "return Colour(value_ & 0xFFFFFFU);", "return Colour(value_ & 0xFFFFFEU);"),
    ("core/bmp.cpp", "* 3 + 3) & ~std::size_t{3}", "* 3 + 2) & ~std::size_t{3}"),
    ("core/bmp.cpp", "put32(h + 14, 40);", "put32(h + 14, 41);"),
    ("core/bmp.cpp", "out[2] = static_cast<std::uint8_t>(p >> 16U);", "out[2] = static_cast<std::uint8_t>(p >> 24U);"),
    # platform: numbers, monitors, display scale
    ("core/numeric.cpp", "if (fraction < 0.5) return floor;", "if (fraction <= 0.5) return floor;"),
    ("core/numeric.cpp", "std::fmod(floor, 2.0) == 0.0 ? floor", "std::fmod(floor, 2.0) != 0.0 ? floor"),
    ("core/numeric.cpp", "toLong(std::trunc(static_cast<double>(toLong(twips))", "toLong(std::floor(static_cast<double>(toLong(twips))"),
    ("core/numeric.cpp", "c - 'a' + 10", "c - 'a' + 11"),
    ("core/numeric.cpp", "if (text.size() - 2 <= 4) return", "if (text.size() - 2 < 4) return"),
    ("core/numeric.cpp", "value = value << 4U | digit;", "value = value << 3U | digit;"),
    ("core/numeric.cpp", "return toLong(twips / twipsPerPixel);", "return toLong(twips * twipsPerPixel);"),
    ("core/monitors.cpp", "static_cast<std::int64_t>(point.x) < static_cast", "static_cast<std::int64_t>(point.x) <= static_cast"),
    ("core/monitors.cpp", "sizeOf(monitor.area) < sizeOf(*found)", "sizeOf(monitor.area) > sizeOf(*found)"),
    ("core/monitors.cpp", "- size) / 2);", "- size) / 3);"),
    ("core/display_scale.cpp", "return 1440.0F / static_cast<float>(dotsPerInch);", "return 1441.0F / static_cast<float>(dotsPerInch);"),
    ("core/display_scale.cpp", "- first + 1);", "- first + 2);"),
    ("core/display_scale.cpp", "if (ours) factor *= ", "if (ours) factor /= "),
    # effects
    ("effects/colour_conversions.cpp", 'mask = "&H00ff00";', 'mask = "&H00fe00";'),
    ("effects/colour_conversions.cpp", "const auto& entry = palette[(s + 1) / 3];", "const auto& entry = palette[s / 3];"),
    ("effects/colour_conversions.cpp", "const std::uint32_t unreadable = greyOfSum[1];", "const std::uint32_t unreadable = greyOfSum[2];"),
    ("effects/colour_conversions.cpp", "toInteger(region.width + 1);", "toInteger(region.width + 2);"),
    ("effects/colour_conversions.cpp", "RasterOp::SRCPAINT, 10, 10);", "RasterOp::SRCPAINT, 10, 11);"),
    ("effects/colour_conversions.cpp", "b = static_cast<std::uint8_t>((bits >> 16U)", "b = static_cast<std::uint8_t>((bits >> 17U)"),
    ("effects/mosaic.cpp", "image.setSize(toInteger(bw * n),", "image.setSize(toInteger(bw * n + 1),"),
    ("effects/mosaic.cpp", "screen, region.startX, region.startY,", "screen, region.startX + 1, region.startY,"),
    ("effects/region.cpp", "region.startX + 1 + dx,", "region.startX + 1 - dx,"),
    ("effects/region.cpp", "region.startX + 1, region.startY + 1, op);", "region.startX + 1, region.startY + 2, op);"),
    ("effects/surprise.cpp", "return RasterOp::NOTSRCERASE;", "return RasterOp::SRCERASE;"),
    ("effects/surprise.cpp", "std::floor(r1 * 16777215.0)", "std::ceil(r1 * 16777215.0)"),
    ("effects/surprise.cpp", "std::floor(r2 * 5.0)", "std::floor(r2 * 6.0)"),
    ("effects/surprise.cpp", "+ 256 * std::int64_t{g}", "+ 255 * std::int64_t{g}"),
    ("effects/surprise.cpp", "value > 0xFFFFFFU) return std::nullopt;", "value >= 0xFFFFFFU) return std::nullopt;"),
    # rules of the clipping window
    ("clip/selection.cpp", "toLong(x - startX + 1)", "toLong(x - startX + 2)"),
    ("clip/selection.cpp", "if (x < startX && y >= startY)", "if (x < startX && y > startY)"),
    ("clip/selection.cpp", "colour == 0x7F7FBBU ? 0xFFFFFAU", "colour == 0x7F7FBBU ? 0xFFFFFBU"),
    ("clip/selection.cpp", "0xFFFFFF - magnitude", "0xFFFFFE - magnitude"),
    ("clip/cross_hair.cpp", "{14, 17, 14, true},", "{14, 17, 13, true},"),
    ("clip/cross_hair.cpp", "{12, 15}, {16, 15}", "{12, 15}, {17, 15}"),
    ("clip/cross_hair.cpp", "line[x] ^= 0x00FFFFFFU;", "line[x] ^= 0x00FFFFFEU;"),
    ("clip/region_drop.cpp", "return {toLong(left), toLong(top)};", "return {static_cast<std::int32_t>(left), toLong(top)};"),
    ("clip/region_drop.cpp", "const float top = y - static_cast<float>(height) / 2.0F;", "const float top = y - static_cast<float>(height) / 3.0F;"),
    # rules of the zoom window
    ("magnifier/zoom_rules.cpp", "std::floor(kViewTwips / kZoomSquare", "std::ceil(kViewTwips / kZoomSquare"),
    ("magnifier/zoom_rules.cpp", "std::max(1.0, block)", "std::max(2.0, block)"),
    ("magnifier/zoom_rules.cpp", "toInteger(static_cast<double>(cursor.x) - kZoomOffset)", "toInteger(static_cast<double>(cursor.x) + kZoomOffset)"),
    ("magnifier/zoom_rules.cpp", "colour == 0x7F7F7FU ?", "colour == 0x7F7F7EU ?"),
    ("magnifier/zoom_rules.cpp", "if (halfWidth < static_cast<float>(cx))", "if (halfWidth <= static_cast<float>(cx))"),
    ("magnifier/zoom_rules.cpp", "if (halfHeight < static_cast<float>(cy))", "if (halfHeight > static_cast<float>(cy))"),
    ("magnifier/zoom_rules.h", "kZoomSquare = 15;", "kZoomSquare = 16;"),
    ("magnifier/zoom_rules.h", "kZoomOffset = 7;", "kZoomOffset = 6;"),
]

TARGETS = ["kepa_unit_tests", "kepa_forms_tests", "kepa_qt_tests"]


def build(folder, jobs, log):
    command = ["nice", "-n", "10", "cmake", "--build", str(folder), "--target", *TARGETS, "-j",
               str(jobs)]
    result = subprocess.run(command, cwd=REPO, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True, check=False)
    log.write(result.stdout)
    return result.returncode == 0


def run_tests(binary, environment, timeout, log):
    """True if every test passes; a failure, a crash or a timeout is False."""
    try:
        result = subprocess.run([str(binary), "--gtest_fail_fast", "--gtest_brief=1"], cwd=REPO,
                                env=environment, stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT, text=True, timeout=timeout,
                                check=False, start_new_session=True)
    except subprocess.TimeoutExpired as expired:
        log.write(f"{binary.name}: timed out after {timeout} s\n")
        output = expired.stdout or b""
        log.write(output.decode(errors="replace") if isinstance(output, bytes) else output)
        return False
    log.write(result.stdout)
    log.write(f"{binary.name}: exit status {result.returncode}\n")
    return result.returncode == 0


def find_binary(folder, name):
    found = sorted(folder.glob(f"**/{name}"))
    found = [path for path in found if path.is_file() and os.access(path, os.X_OK)]
    if not found:
        sys.exit(f"{name} not found under {folder}: build it first")
    return found[0]


def suites(folder):
    plain = dict(os.environ)
    offscreen = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    return [("unit", find_binary(folder, "kepa_unit_tests"), plain),
            ("forms", find_binary(folder, "kepa_forms_tests"), plain),
            ("qt", find_binary(folder, "kepa_qt_tests"), offscreen)]


def first_failing_suite(folder, timeout, log):
    """The name of the first suite with a failing test, or None when all pass."""
    for name, binary, environment in suites(folder):
        if not run_tests(binary, environment, timeout, log):
            return name
    return None


def try_mutation(number, mutation, args, log):
    relative, snippet, replacement = mutation
    path = REPO / relative
    original = path.read_bytes()
    text = original.decode()
    count = text.count(snippet)
    if count != 1:
        return f"invalid (snippet found {count} times)"
    log.write(f"\n===== mutation {number}: {relative}\n-{snippet}\n+{replacement}\n")
    try:
        path.write_text(text.replace(snippet, replacement), encoding="utf-8")
        if not build(args.build, args.jobs, log):
            return "invalid (does not build)"
        failing = first_failing_suite(args.build, args.timeout, log)
        return f"killed ({failing})" if failing else "survived"
    finally:
        path.write_bytes(original)


def interrupt(*_):
    raise KeyboardInterrupt


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", nargs="?", type=Path, help="a configured build folder")
    parser.add_argument("--only", help="comma-separated mutation numbers (1-based)")
    parser.add_argument("--list", action="store_true", help="print the mutations and stop")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--timeout", type=int, default=120, help="seconds per test binary")
    parser.add_argument("--log", type=Path, help="build and test output (default: BUILD/mutation.log)")
    args = parser.parse_args()

    chosen = list(enumerate(MUTATIONS, start=1))
    if args.only:
        wanted = {int(n) for n in args.only.split(",")}
        chosen = [(n, m) for n, m in chosen if n in wanted]
    if args.list:
        for number, (relative, snippet, replacement) in chosen:
            print(f"{number:3} {relative}: {snippet!r} -> {replacement!r}")
        return 0
    if args.build is None:
        parser.error("a build folder is needed")
    args.build = args.build.resolve()
    log_path = args.log or args.build / "mutation.log"

    # A kill unwinds like Ctrl-C, through the finally blocks that put the files back.
    signal.signal(signal.SIGTERM, interrupt)
    started = time.monotonic()
    results = []
    with open(log_path, "w", encoding="utf-8") as log:
        log.write("===== the tree as it is\n")
        if not build(args.build, args.jobs, log):
            sys.exit(f"the unmutated tree does not build: see {log_path}")
        failing = first_failing_suite(args.build, args.timeout, log)
        if failing:
            sys.exit(f"the {failing} tests fail on the unmutated tree: see {log_path}")
        try:
            for number, mutation in chosen:
                outcome = try_mutation(number, mutation, args, log)
                results.append((number, mutation[0], outcome))
                print(f"[{time.monotonic() - started:6.0f} s] {number:3} {mutation[0]}: {outcome}",
                      file=sys.stderr, flush=True)
                log.flush()
        except KeyboardInterrupt:
            print("interrupted: the files are restored, the results so far follow", file=sys.stderr)
        finally:
            log.write("\n===== the restored tree\n")
            build(args.build, args.jobs, log)

    for number, relative, outcome in results:
        print(f"{number:3} {relative} {outcome}")
    valid = [outcome for _, _, outcome in results if not outcome.startswith("invalid")]
    killed = sum(1 for outcome in valid if outcome.startswith("killed"))
    if len(results) < len(chosen):
        print(f"interrupted: {len(results)} of {len(chosen)} mutations tried")
    print(f"mutation score: {killed} of {len(valid)} killed")
    print(f"time: {time.monotonic() - started:.0f} s, log: {log_path}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
