#pragma once
// A fixed pool of worker threads that runs numbered jobs: the caller takes part, and the call
// returns when every job has run. Jobs are handed out in number order to whichever thread is
// free, so a job must not depend on which thread runs it. The call does not wait for workers
// that have not woken yet: on a busy machine the caller may well run every job itself.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace platform::raster {

class WorkerPool {
 public:
  using Job = void (*)(void* context, int job);

  // The pool every device shares; its workers start on first use.
  static WorkerPool& shared();
  ~WorkerPool();

  // Runs jobs 0..count-1 on the calling thread and up to threads - 1 workers (the pool grows to
  // the largest number asked for).
  void run(int threads, int count, Job job, void* context);

 private:
  void worker_loop(int index);
  void grow(int workers);
  void take_jobs();

  std::mutex run_mutex_;  // one run at a time
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  std::vector<std::thread> workers_;
  std::uint64_t generation_ = 0;
  bool stopping_ = false;
  // The current run.
  Job job_ = nullptr;
  void* context_ = nullptr;
  int count_ = 0;
  int helpers_ = 0;      // workers asked to take part
  int next_ = 0;       // next job to hand out (under mutex_)
  int completed_ = 0;  // jobs of this run that have finished
};

}  // namespace platform::raster
