// The worker pool: a mutex and two condition variables, jobs handed out one at a time.
#include "platform/raster/worker_pool.h"

#include <algorithm>
#include <cstdlib>

namespace platform::raster {

constexpr int max_threads = 64;

WorkerPool& WorkerPool::shared() {
  // Never destroyed: devices held by global objects may still finish work at exit.
  static auto* pool = new WorkerPool;
  return *pool;
}

WorkerPool::~WorkerPool() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  for (std::thread& t : workers_) t.join();
}

void WorkerPool::grow(int workers) {
  while (int(workers_.size()) < workers) {
    const int index = int(workers_.size());
    workers_.emplace_back([this, index] { worker_loop(index); });
  }
}

// Takes jobs until none is left. Jobs are few and long (a band of rows each), so one lock per
// job costs nothing measurable. The job's function is read with its number, under the lock, so
// a worker that wakes late never runs a job of a run that has ended.
void WorkerPool::take_jobs() {
  for (;;) {
    int job;
    Job fn;
    void* context;
    {
      std::lock_guard lock(mutex_);
      if (next_ >= count_) return;
      job = next_++;
      fn = job_;
      context = context_;
    }
    fn(context, job);
    std::lock_guard lock(mutex_);
    if (++completed_ == count_) done_.notify_one();
  }
}

void WorkerPool::worker_loop(int index) {
  std::uint64_t seen = 0;
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
      if (stopping_) return;
      seen = generation_;
      if (index >= helpers_) continue;
    }
    take_jobs();
  }
}

void WorkerPool::run(int threads, int count, Job job, void* context) {
  if (count <= 0) return;
  threads = std::clamp(threads, 1, max_threads);
  const int helpers = std::min(threads, count) - 1;
  if (helpers <= 0) {
    for (int i = 0; i < count; ++i) job(context, i);
    return;
  }
  std::lock_guard run_lock(run_mutex_);
  {
    std::lock_guard lock(mutex_);
    grow(helpers);
    job_ = job;
    context_ = context;
    count_ = count;
    next_ = 0;
    completed_ = 0;
    helpers_ = helpers;
    ++generation_;
  }
  wake_.notify_all();
  take_jobs();
  std::unique_lock lock(mutex_);
  done_.wait(lock, [&] { return completed_ == count_; });
  job_ = nullptr;
  context_ = nullptr;
  count_ = 0;
}

int default_raster_threads() {
  if (const char* env = std::getenv("QORV_RASTER_THREADS")) {
    char* end = nullptr;
    const long n = std::strtol(env, &end, 10);
    if (end != env && *end == '\0' && n >= 1 && n <= max_threads) return int(n);
  }
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : int(std::min<unsigned>(cores, max_threads));
}

}  // namespace platform::raster
