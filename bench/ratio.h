#pragma once
// Benchmarks report ratios, never absolute times: a figure is the rate of one benchmark
// divided by the rate of a baseline measured in the same run.
#include <string>

namespace bench {

// Which rate of a benchmark a ratio compares.
enum class Rate { ItemsPerSecond, BytesPerSecond, SecondsPerIteration };

// Registers "ratio NAME VALUE" = rate(subject) / rate(baseline), printed after all benchmarks ran.
// Benchmark names are the full names Google Benchmark prints.
bool register_ratio(const std::string& name, const std::string& subject, const std::string& baseline,
                    Rate rate);

}  // namespace bench

#define QORV_RATIO_CAT2(a, b) a##b
#define QORV_RATIO_CAT(a, b) QORV_RATIO_CAT2(a, b)
#define QORV_RATIO(name, subject, baseline, rate) \
  static const bool QORV_RATIO_CAT(qorv_ratio_, __LINE__) = ::bench::register_ratio(name, subject, baseline, rate)
