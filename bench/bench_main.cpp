#include "bench/ratio.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace bench {
namespace {

struct RatioDef {
  std::string name, subject, baseline;
  Rate rate;
};

std::vector<RatioDef>& ratio_defs() {
  static std::vector<RatioDef> defs;
  return defs;
}

// Keeps every run's rates so that ratios can be formed after the whole program ran. With
// repetitions, a benchmark's rate is the median of its runs: one run slowed by the machine's
// other work then moves no figure.
class CollectingReporter : public benchmark::ConsoleReporter {
 public:
  // No colour codes: they would stick to the start of the "ratio" lines that scripts/bench greps.
  CollectingReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      Rates r;
      double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      r.seconds = seconds;
      auto items = run.counters.find("items_per_second");
      auto bytes = run.counters.find("bytes_per_second");
      r.items = items != run.counters.end() ? double(items->second) : 0.0;
      r.bytes = bytes != run.counters.end() ? double(bytes->second) : 0.0;
      runs_of[run.benchmark_name()].push_back(r);
    }
  }
  struct Rates {
    double seconds = 0, items = 0, bytes = 0;
  };
  // The median of each rate over the benchmark's runs, or nothing when it has none.
  const Rates* median(const std::string& name) {
    auto it = runs_of.find(name);
    if (it == runs_of.end() || it->second.empty()) return nullptr;
    std::vector<Rates> runs = it->second;
    Rates& m = medians[name];
    m.seconds = median_of(runs, &Rates::seconds);
    m.items = median_of(runs, &Rates::items);
    m.bytes = median_of(runs, &Rates::bytes);
    return &m;
  }

 private:
  static double median_of(std::vector<Rates>& runs, double Rates::*field) {
    std::sort(runs.begin(), runs.end(), [field](const Rates& a, const Rates& b) { return a.*field < b.*field; });
    const std::size_t n = runs.size();
    return n % 2 ? runs[n / 2].*field : (runs[n / 2 - 1].*field + runs[n / 2].*field) / 2;
  }
  std::map<std::string, std::vector<Rates>> runs_of;
  std::map<std::string, Rates> medians;
};

double pick(const CollectingReporter::Rates& r, Rate rate) {
  switch (rate) {
    case Rate::ItemsPerSecond: return r.items;
    case Rate::BytesPerSecond: return r.bytes;
    case Rate::SecondsPerIteration: return r.seconds;
  }
  return 0;
}

}  // namespace

bool register_ratio(const std::string& name, const std::string& subject, const std::string& baseline,
                    Rate rate) {
  ratio_defs().push_back({name, subject, baseline, rate});
  return true;
}

}  // namespace bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench::CollectingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  for (const auto& def : bench::ratio_defs()) {
    const auto* s = reporter.median(def.subject);
    const auto* b = reporter.median(def.baseline);
    if (!s || !b) {
      std::printf("ratio %s unmeasured\n", def.name.c_str());
      continue;
    }
    double den = bench::pick(*b, def.rate);
    double value = den > 0 ? bench::pick(*s, def.rate) / den : 0.0;
    std::printf("ratio %s %.4f\n", def.name.c_str(), value);
  }
  return 0;
}
