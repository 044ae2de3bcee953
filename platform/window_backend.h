#pragma once
// Inside the platform layer: what a backend does for the window (window.cpp holds the queue,
// the procedures and the state every backend shares).
#include <deque>
#include <memory>
#include <string>
#include <string_view>

#include "platform/events.h"
#include "platform/window.h"

namespace platform {

class WindowHost {
 public:
  virtual ~WindowHost() = default;
  // Opens the host window (hidden); false with the reason in error.
  virtual bool open(const std::string& title, int width, int height, std::string& error) = 0;
  virtual void close() = 0;
  // Turns the host's pending events into messages for window at the end of queue.
  virtual void pump(Window* window, std::deque<Message>& queue) = 0;
  // Sleeps until the host has an event or timeout_ms have passed (the events stay for pump).
  virtual void wait_event(std::uint32_t timeout_ms) = 0;
  virtual void show(ShowCommand command) = 0;
  virtual void set_client_size(int width, int height) = 0;
  virtual void set_fullscreen(bool on) = 0;
  virtual WindowRect rect() const = 0;
  virtual WindowMetrics metrics() const = 0;
  virtual void show_cursor(bool show) = 0;
};

std::unique_ptr<WindowHost> make_sdl_window_host();
std::unique_ptr<WindowHost> make_headless_window_host();

// Queues a key's message: with Alt held, and for F10 and the Alt keys themselves, keys arrive
// as system keys, as on the original machine.
void queue_key_message(Window* window, int key_code, bool down, bool alt_held,
                       std::deque<Message>& queue);
// Queues typed text (UTF-8) for text fields as Big5: single bytes as Char, double-byte
// characters as ImeChar, the way the input method hands them over.
void queue_typed_text(Window* window, std::string_view utf8, std::deque<Message>& queue);

// The host of a window (the backends' own accessors use it).
WindowHost* window_host(Window* window);

// Asks every open window to close, as the title bar's close button does (automation).
void post_close_request();

}  // namespace platform
