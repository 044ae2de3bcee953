#pragma once
// The program's window and its message queue. The game sees a window that sends messages to a
// window procedure and a loop that peeks, fetches and dispatches them; the backend (SDL or
// headless, backend.h) turns the host's events into those messages.
#include <cstdint>
#include <string>

#include "platform/events.h"

namespace platform {

// The running program, handed to the objects that want it (input devices, dialogs).
struct Instance;
Instance* program_instance();

// The class of a window: its name and its class procedure.
struct WindowClass {
  std::string name;
  WindowProc proc = nullptr;
};

// Creates the window (hidden until show_window) with a client area of width x height; the
// class procedure receives Create. Null when the backend cannot open a display:
// window_error() then says why.
Window* create_window(const WindowClass& window_class, const std::string& title, int width,
                      int height);
const std::string& window_error();

// Sends Destroy to the window's procedure, then closes the host window. The Window object
// stays valid (every call on a destroyed window does nothing) until free_window.
void destroy_window(Window* window);
// Releases the Window object itself (at program end).
void free_window(Window* window);
bool window_destroyed(const Window* window);

// Installs a new procedure and returns the previous one.
WindowProc set_window_proc(Window* window, WindowProc proc);
std::intptr_t call_window_proc(WindowProc proc, Window* window, MessageId message,
                               std::uintptr_t wparam, std::intptr_t lparam);
// The default handling: SysCommand Close sends Close; Alt + F4 (SysKeyDown F4 with Alt held)
// becomes SysCommand Close; Close destroys the window; everything else returns 0.
std::intptr_t default_window_proc(Window* window, MessageId message, std::uintptr_t wparam,
                                  std::intptr_t lparam);

// Calls the window's procedure at once.
std::intptr_t send_message(Window* window, MessageId message, std::uintptr_t wparam = 0,
                           std::intptr_t lparam = 0);
// Queues a message for the window.
void post_message(Window* window, MessageId message, std::uintptr_t wparam = 0,
                  std::intptr_t lparam = 0);
// Queues Quit with the exit code.
void post_quit_message(int exit_code);

// True when a message waits; it stays queued (the host's events are taken in first).
bool peek_message();
// Waits until the host has an event for the program or timeout_ms have passed, so that a loop
// with nothing to do sleeps instead of spinning. Returns at once when a message is queued, when
// no window is open, and on the headless backend, whose time is virtual (automation.h).
void wait_message(std::uint32_t timeout_ms);
// Takes the next message, waiting for one; false when it is Quit (msg holds it).
bool get_message(Message& msg);
std::intptr_t dispatch_message(const Message& msg);

enum class ShowCommand { Show, Minimize, Restore };
void show_window(Window* window, ShowCommand command);
bool window_minimized(const Window* window);
// Places the window and sizes its client area; in full screen only the size is remembered.
void set_window_pos(Window* window, int x, int y, int width, int height);
// Desktop full screen (no display mode change); the 640 x 480 picture keeps its 4:3 shape.
void set_fullscreen(Window* window, bool on);
bool window_fullscreen(const Window* window);

struct WindowRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};
WindowRect get_window_rect(const Window* window);
// Sizes of the window's decoration: caption, menu bar, dialog frame.
struct WindowMetrics {
  int caption_height = 0, menu_height = 0, frame_width = 0, frame_height = 0;
};
WindowMetrics get_window_metrics(const Window* window);

// Shows or hides the mouse cursor over the window.
void show_cursor(bool show);
bool cursor_shown();

}  // namespace platform
