// Termination signals: the request flag, and the watcher that ends a blocking box's helper.
#include "platform/termination.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace {

// A box's helper: a child process the wait blocks on, as a message box waits for its window.
int wait_for_a_helper_that_never_answers() {
  pid_t helper = fork();
  if (helper == 0) {
    pause();
    _exit(0);
  }
  int status = 0;
  while (waitpid(helper, &status, 0) < 0) {
  }
  return WIFSIGNALED(status) ? -1 : 0;
}

TEST(Termination, ASignalIsRecordedOnceAndTheHelperOfAnOpenBoxIsEnded) {
  platform::install_termination_handlers();
  EXPECT_EQ(platform::termination_signal(), 0);
  std::thread signaller([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    kill(getpid(), SIGTERM);
  });
  // Without the watcher this wait would last for ever.
  EXPECT_EQ(platform::wait_ending_helpers_on_signal(wait_for_a_helper_that_never_answers), -1);
  signaller.join();
  EXPECT_EQ(platform::termination_signal(), SIGTERM);
  platform::clear_termination_request();
  EXPECT_EQ(platform::termination_signal(), 0);
}

TEST(Termination, TheWaitReturnsWhatTheBoxAnsweredWhenNoSignalComes) {
  platform::install_termination_handlers();
  EXPECT_EQ(platform::wait_ending_helpers_on_signal([] { return 7; }), 7);
  EXPECT_EQ(platform::termination_signal(), 0);
}

}  // namespace
