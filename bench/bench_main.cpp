#include "bench/ratio.h"

#include <benchmark/benchmark.h>

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

// Keeps every run's rates so that ratios can be formed after the whole program ran.
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
      rates[run.benchmark_name()] = r;
    }
  }
  struct Rates {
    double seconds = 0, items = 0, bytes = 0;
  };
  std::map<std::string, Rates> rates;
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
    auto s = reporter.rates.find(def.subject);
    auto b = reporter.rates.find(def.baseline);
    if (s == reporter.rates.end() || b == reporter.rates.end()) {
      std::printf("ratio %s unmeasured\n", def.name.c_str());
      continue;
    }
    double den = bench::pick(b->second, def.rate);
    double value = den > 0 ? bench::pick(s->second, def.rate) / den : 0.0;
    std::printf("ratio %s %.4f\n", def.name.c_str(), value);
  }
  return 0;
}
