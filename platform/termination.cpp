// Termination signals: a flag the message loop reads, and a watcher that ends a message box's
// helper process, because the box blocks the loop until its helper exits.
#include "platform/termination.h"

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <string>
#include <thread>

namespace platform {
namespace {

std::atomic<int> requested_signal{0};

void on_signal(int sig) {
  // A second signal while the first is still being served ends the process at once.
  int expected = 0;
  if (!requested_signal.compare_exchange_strong(expected, sig)) _exit(128 + sig);
}

// The parent process id from /proc/PID/stat ("pid (comm) state ppid ..."); -1 when unreadable.
int parent_of(const std::string& pid) {
  std::FILE* f = std::fopen(("/proc/" + pid + "/stat").c_str(), "r");
  if (!f) return -1;
  char buffer[512];
  std::size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
  std::fclose(f);
  buffer[n] = 0;
  // The command name may hold spaces and parentheses: the fields go on after the last ')'.
  std::string stat(buffer);
  std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return -1;
  int ppid = -1;
  char state = 0;
  if (std::sscanf(stat.c_str() + close + 1, " %c %d", &state, &ppid) != 2) return -1;
  return ppid;
}

std::set<int> child_processes() {
  std::set<int> children;
  DIR* proc = opendir("/proc");
  if (!proc) return children;
  const int self = getpid();
  while (dirent* entry = readdir(proc)) {
    std::string name = entry->d_name;
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
    if (parent_of(name) == self) children.insert(std::atoi(name.c_str()));
  }
  closedir(proc);
  return children;
}

}  // namespace

void install_termination_handlers() {
  struct sigaction action {};
  action.sa_handler = on_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

int termination_signal() { return requested_signal.load(); }

void clear_termination_request() { requested_signal.store(0); }

int wait_ending_helpers_on_signal(const std::function<int()>& wait) {
  const std::set<int> before = child_processes();
  std::mutex m;
  std::condition_variable done_changed;
  bool done = false;
  std::thread watcher([&] {
    std::unique_lock lock(m);
    while (!done) {
      done_changed.wait_for(lock, std::chrono::milliseconds(50));
      if (done || termination_signal() == 0) continue;
      for (int pid : child_processes())
        if (!before.count(pid)) kill(pid, SIGKILL);
    }
  });
  int result = wait();
  {
    std::lock_guard lock(m);
    done = true;
  }
  done_changed.notify_one();
  watcher.join();
  return result;
}

}  // namespace platform
