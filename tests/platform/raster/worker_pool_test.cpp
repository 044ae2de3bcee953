// The worker pool: every job of every run runs exactly once, whatever the number of threads and
// however late the workers wake, and a run returns only after its last job has finished.
#include "platform/raster/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

struct Tally {
  std::vector<std::atomic<int>> runs;
  explicit Tally(int n) : runs(std::size_t(n)) {}
};

void count_job(void* context, int job) { static_cast<Tally*>(context)->runs[std::size_t(job)]++; }

TEST(WorkerPool, EveryJobRunsOnceAndTheRunWaitsForTheLast) {
  platform::raster::WorkerPool& pool = platform::raster::WorkerPool::shared();
  struct Case {
    int threads, jobs;
  };
  const Case cases[] = {{1, 5}, {2, 1}, {4, 3}, {8, 60}, {3, 200}, {8, 8}};
  // Many short runs back to back: a worker still waking from one run must not take a job of the
  // next one with the old run's function, nor be waited for.
  for (int round = 0; round < 200; ++round) {
    for (const Case& c : cases) {
      Tally tally(c.jobs);
      pool.run(c.threads, c.jobs, count_job, &tally);
      for (int j = 0; j < c.jobs; ++j) ASSERT_EQ(tally.runs[std::size_t(j)].load(), 1) << c.threads << " " << j;
    }
  }
}

TEST(WorkerPool, NoJobsIsNoRun) {
  Tally tally(1);
  platform::raster::WorkerPool::shared().run(4, 0, count_job, &tally);
  EXPECT_EQ(tally.runs[0].load(), 0);
}

}  // namespace
