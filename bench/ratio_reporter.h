// A console reporter that also prints, at the end of the run, each kepa benchmark's time as
// a ratio of its baselines measured in the same run, as a Markdown table.
//
// Pairing is by name: a kepa benchmark "kepa/<case>" is compared with "<baseline>/<case>"
// for each baseline given, when it exists.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace kepa::bench {

class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  struct Baseline {
    std::string prefix;  // e.g. "memcpy"
    std::string column;  // e.g. "vs memcpy of the same bytes"
  };

  explicit RatioReporter(std::vector<Baseline> baselines) : baselines_(std::move(baselines)) {}

  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

 private:
  std::vector<Baseline> baselines_;
  std::vector<std::string> order_;             // kepa cases in the order they ran
  std::map<std::string, double> nanoseconds_;  // real time per iteration, by name
  std::set<std::string> medians_;              // names whose time is a median
};

}  // namespace kepa::bench
