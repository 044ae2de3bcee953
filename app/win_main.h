#pragma once
// The program's entry and its window: the window class "QORV" and the one window, the start-up
// order, and the message loop that calls the frame tick whenever no message waits; the window
// procedures that carry close, destroy, focus loss and activation.
#include <cstdint>

#include "platform/events.h"

namespace platform {
struct Instance;
}

// Runs the program; the exit code of the Quit message (0), or 1 when no window can be opened.
int WinMain(platform::Instance* instance, platform::Instance* previous, const char* command_line,
            int show_command);

// The class procedure: Create, Command and LButtonDown do nothing, Close posts Destroy, Destroy
// runs the shut-down order and ends the message loop; the rest gets the default handling.
std::intptr_t main_wnd_proc(platform::Window* window, platform::MessageId message,
                            std::uintptr_t wparam, std::intptr_t lparam);
// The installed procedure: offers each message to an open text field first, keeps the system
// keys and commands from the window (Alt + F4 excepted), notes focus loss and activation for the
// message loop (display_restore.h); the rest goes to main_wnd_proc.
std::intptr_t game_wnd_proc(platform::Window* window, platform::MessageId message,
                            std::uintptr_t wparam, std::intptr_t lparam);

std::intptr_t wnd_default_zero(platform::Window* window, std::uintptr_t wparam,
                               std::intptr_t lparam);
std::intptr_t on_close(platform::Window* window, std::uintptr_t wparam, std::intptr_t lparam);
std::intptr_t on_destroy(platform::Window* window, std::uintptr_t wparam, std::intptr_t lparam);

// 1 while the full-screen window is minimised after losing the focus: no frame ticks then.
extern int window_suspended;
// The procedure game_wnd_proc passes messages on to (main_wnd_proc once installed).
extern platform::WindowProc previous_wnd_proc;
