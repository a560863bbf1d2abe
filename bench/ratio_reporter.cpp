#include "ratio_reporter.h"

#include <cstdio>

namespace kepa::bench {

namespace {

constexpr const char* kKepa = "kepa/";

double nanosecondsOf(const benchmark::BenchmarkReporter::Run& run) {
  return run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
}

std::string ratioCell(const std::map<std::string, double>& times, const std::string& name,
                      double kepa) {
  const auto found = times.find(name);
  if (found == times.end() || found->second <= 0.0) return "–";
  char cell[32];
  std::snprintf(cell, sizeof cell, "%.2f×", kepa / found->second);
  return cell;
}

}  // namespace

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    // With repetitions, the median stands for the case; otherwise the single run does.
    const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
    if (!median && (run.run_type != Run::RT_Iteration || run.iterations == 0)) continue;
    const std::string name = run.run_name.str();
    if (name.rfind(kKepa, 0) == 0 && nanoseconds_.count(name) == 0) order_.push_back(name);
    if (median || medians_.count(name) == 0) nanoseconds_[name] = nanosecondsOf(run);
    if (median) medians_.insert(name);
  }
}

void RatioReporter::Finalize() {
  ConsoleReporter::Finalize();
  // Only the baselines that ran have a column.
  std::vector<Baseline> shown;
  for (const Baseline& baseline : baselines_) {
    const std::string prefix = baseline.prefix + "/";
    const auto first = nanoseconds_.lower_bound(prefix);
    if (first != nanoseconds_.end() && first->first.rfind(prefix, 0) == 0)
      shown.push_back(baseline);
  }
  std::string header = "\n| case | kepa |";
  std::string rule = "|---|---|";
  for (const Baseline& baseline : shown) {
    header += " " + baseline.column + " |";
    rule += "---|";
  }
  std::printf("%s\n%s\n", header.c_str(), rule.c_str());
  for (const std::string& name : order_) {
    const std::string full = name.substr(std::char_traits<char>::length(kKepa));
    std::string kase = full;
    if (const auto suffix = kase.rfind("/real_time"); suffix != std::string::npos)
      kase.erase(suffix);
    const double kepa = nanoseconds_[name];
    std::string line = "| " + kase + " | ";
    char time[32];
    std::snprintf(time, sizeof time, "%.3f ms", kepa / 1e6);
    line += time;
    line += " |";
    for (const Baseline& baseline : shown) {
      // Appended piece by piece: `" " + temporary` trips GCC 12's false -Wrestrict at -O3
      // (GCC bug 105329).
      line += ' ';
      line += ratioCell(nanoseconds_, baseline.prefix + "/" + full, kepa);
      line += " |";
    }
    std::printf("%s\n", line.c_str());
  }
}

}  // namespace kepa::bench
