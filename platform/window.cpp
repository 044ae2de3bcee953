// The window, its procedures and the message queue, shared by both backends.
#include "platform/window.h"

#include <algorithm>
#include <deque>
#include <vector>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/termination.h"
#include "platform/text_codec.h"
#include "platform/window_backend.h"

namespace platform {

struct Instance {};

struct Window {
  WindowClass window_class;
  WindowProc proc = nullptr;
  std::unique_ptr<WindowHost> host;
  bool destroyed = false;
  bool minimized = false;
  bool fullscreen = false;
};

namespace {

Instance the_instance;
std::deque<Message> message_queue;
std::vector<Window*> open_windows;
std::string last_window_error;
bool cursor_visible = true;

bool termination_served = false;

void pump_host_events() {
  for (Window* window : open_windows) window->host->pump(window, message_queue);
  // Ctrl+C or a termination signal closes the windows once, as their close buttons do.
  if (termination_signal() != 0 && !termination_served) {
    termination_served = true;
    post_close_request();
  }
}

void forget_window(Window* window) {
  open_windows.erase(std::remove(open_windows.begin(), open_windows.end(), window),
                     open_windows.end());
  // A destroyed window receives nothing more; its queued messages go with it.
  std::erase_if(message_queue, [window](const Message& m) { return m.window == window; });
}

}  // namespace

Instance* program_instance() { return &the_instance; }

WindowHost* window_host(Window* window) { return window ? window->host.get() : nullptr; }

Window* create_window(const WindowClass& window_class, const std::string& title, int width,
                      int height) {
  auto window = std::make_unique<Window>();
  window->window_class = window_class;
  window->proc = window_class.proc;
  window->host =
      current_backend() == Backend::Headless ? make_headless_window_host() : make_sdl_window_host();
  if (!window->host->open(title, width, height, last_window_error)) return nullptr;
  window->host->show_cursor(cursor_visible);
  Window* w = window.release();
  open_windows.push_back(w);
  send_message(w, MessageId::Create);
  return w;
}

const std::string& window_error() { return last_window_error; }

void destroy_window(Window* window) {
  if (!window || window->destroyed) return;
  send_message(window, MessageId::Destroy);
  window->destroyed = true;
  window->host->close();
  forget_window(window);
}

void free_window(Window* window) {
  if (!window) return;
  if (!window->destroyed) {
    window->destroyed = true;
    window->host->close();
    forget_window(window);
  }
  delete window;
}

bool window_destroyed(const Window* window) { return !window || window->destroyed; }

WindowProc set_window_proc(Window* window, WindowProc proc) {
  if (!window) return nullptr;
  WindowProc previous = window->proc;
  window->proc = proc;
  return previous;
}

std::intptr_t call_window_proc(WindowProc proc, Window* window, MessageId message,
                               std::uintptr_t wparam, std::intptr_t lparam) {
  return proc ? proc(window, message, wparam, lparam) : 0;
}

std::intptr_t default_window_proc(Window* window, MessageId message, std::uintptr_t wparam,
                                  std::intptr_t lparam) {
  switch (message) {
    case MessageId::SysCommand:
      if (wparam == static_cast<std::uintptr_t>(SysCommand::Close))
        send_message(window, MessageId::Close);
      return 0;
    case MessageId::SysKeyDown:
      if (wparam == KeyF4 && (lparam & KeyAltHeld))
        post_message(window, MessageId::SysCommand, static_cast<std::uintptr_t>(SysCommand::Close));
      return 0;
    case MessageId::Close:
      destroy_window(window);
      return 0;
    default:
      return 0;
  }
}

std::intptr_t send_message(Window* window, MessageId message, std::uintptr_t wparam,
                           std::intptr_t lparam) {
  if (!window || window->destroyed) return 0;
  return call_window_proc(window->proc, window, message, wparam, lparam);
}

void post_message(Window* window, MessageId message, std::uintptr_t wparam, std::intptr_t lparam) {
  if (window && window->destroyed) return;
  message_queue.push_back(Message{window, message, wparam, lparam});
}

void post_quit_message(int exit_code) {
  message_queue.push_back(
      Message{nullptr, MessageId::Quit, static_cast<std::uintptr_t>(exit_code), 0});
}

bool peek_message() {
  pump_host_events();
  return !message_queue.empty();
}

void wait_message(std::uint32_t timeout_ms) {
  if (!message_queue.empty() || open_windows.empty() || timeout_ms == 0) return;
  // The program has one window; its host's event source wakes the wait.
  open_windows.front()->host->wait_event(timeout_ms);
}

bool get_message(Message& msg) {
  while (message_queue.empty()) {
    pump_host_events();
    if (message_queue.empty()) sleep_ms(1);
  }
  msg = message_queue.front();
  message_queue.pop_front();
  return msg.id != MessageId::Quit;
}

std::intptr_t dispatch_message(const Message& msg) {
  if (!msg.window) return 0;
  return send_message(msg.window, msg.id, msg.wparam, msg.lparam);
}

void show_window(Window* window, ShowCommand command) {
  if (!window || window->destroyed) return;
  window->host->show(command);
  if (command == ShowCommand::Minimize) window->minimized = true;
  if (command == ShowCommand::Restore || command == ShowCommand::Show) window->minimized = false;
}

bool window_minimized(const Window* window) { return window && window->minimized; }

void set_window_pos(Window* window, int, int, int width, int height) {
  // The host's window manager places the window; only the client size is the game's to set.
  if (!window || window->destroyed || window->fullscreen) return;
  window->host->set_client_size(width, height);
}

void set_fullscreen(Window* window, bool on) {
  if (!window || window->destroyed || window->fullscreen == on) return;
  window->fullscreen = on;
  window->host->set_fullscreen(on);
}

bool window_fullscreen(const Window* window) { return window && window->fullscreen; }

WindowRect get_window_rect(const Window* window) {
  if (!window || window->destroyed) return {};
  return window->host->rect();
}

WindowMetrics get_window_metrics(const Window* window) {
  if (!window || window->destroyed) return {};
  return window->host->metrics();
}

void show_cursor(bool show) {
  cursor_visible = show;
  for (Window* window : open_windows) window->host->show_cursor(show);
}

bool cursor_shown() { return cursor_visible; }

void queue_key_message(Window* window, int key_code, bool down, bool alt_held,
                       std::deque<Message>& queue) {
  bool system = alt_held || key_code == KeyF10 || key_code == KeyAltLeft || key_code == KeyAltRight;
  MessageId id = down ? (system ? MessageId::SysKeyDown : MessageId::KeyDown)
                      : (system ? MessageId::SysKeyUp : MessageId::KeyUp);
  queue.push_back({window, id, static_cast<std::uintptr_t>(key_code), alt_held ? KeyAltHeld : 0});
}

void queue_typed_text(Window* window, std::string_view utf8, std::deque<Message>& queue) {
  std::string big5 = utf8_to_big5(utf8);
  for (std::size_t i = 0; i < big5.size(); ++i) {
    auto lead = static_cast<std::uint8_t>(big5[i]);
    if (lead >= 0x81 && i + 1 < big5.size()) {
      auto trail = static_cast<std::uint8_t>(big5[++i]);
      queue.push_back(
          {window, MessageId::ImeChar, static_cast<std::uintptr_t>(lead << 8 | trail), 0});
    } else {
      queue.push_back({window, MessageId::Char, lead, 0});
    }
  }
}

void post_close_request() {
  for (Window* window : open_windows)
    post_message(window, MessageId::SysCommand, static_cast<std::uintptr_t>(SysCommand::Close));
}

}  // namespace platform
