// Runs every benchmark and prints the ratio table after the usual console output.
#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

int main(int argc, char* argv[]) {
  // QPainter on images needs no display, only the fonts and image machinery of QtGui.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  kepa::bench::RatioReporter reporter({{"memcpy", "vs memcpy of the same bytes"},
                                       {"Qt", "vs Qt (below 1× is faster)"},
                                       {"write(2)", "vs write(2) of the same bytes"}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
