#pragma once
// Ctrl+C and termination signals. The first SIGINT or SIGTERM asks the program to end: the
// message loop closes the main window as its close button does, so the game shuts down in
// order; a message box open at that moment closes at once. A second signal ends the process
// on the spot.
#include <functional>

namespace platform {

// Installs the handlers (the program's entry calls it once, before any window opens).
void install_termination_handlers();
// The signal that asked the program to end; 0 while none did.
int termination_signal();
// Tests: forgets a request, as if no signal had come.
void clear_termination_request();

// Runs wait (a blocking message box) while a watcher ends the box's helper processes when a
// termination signal comes: processes that are children of this one and were not there
// before the wait began. Returns what wait returned.
int wait_ending_helpers_on_signal(const std::function<int()>& wait);

}  // namespace platform
