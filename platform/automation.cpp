// The automation variables, the replayed input and the frame count.
#include "platform/automation.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/clock.h"
#include "platform/window_backend.h"

namespace platform {

namespace {

struct KeyName {
  const char* name;
  int code;
};

constexpr KeyName key_names[] = {
    {"backspace", 8},    {"tab", 9},        {"enter", 13},      {"return", 13},
    {"escape", 27},      {"esc", 27},       {"space", 32},      {"lshift", 128},
    {"shift", 128},      {"rshift", 129},   {"lctrl", 130},     {"ctrl", 130},
    {"rctrl", 131},      {"lalt", 132},     {"alt", 132},       {"ralt", 133},
    {"left", 134},       {"right", 135},    {"up", 136},        {"down", 137},
    {"f1", 138},         {"f2", 139},       {"f3", 140},        {"f4", 141},
    {"f5", 142},         {"f6", 143},       {"f7", 144},        {"f8", 145},
    {"f9", 146},         {"f10", 147},      {"f11", 148},       {"f12", 149},
    {"insert", 150},     {"delete", 151},   {"home", 152},      {"end", 153},
    {"pageup", 154},     {"pagedown", 155}, {"kp_divide", 156}, {"kp_multiply", 157},
    {"kp_minus", 158},   {"kp_plus", 159},  {"kp_enter", 160},  {"kp_period", 161},
    {"kp_0", 162},       {"kp_1", 163},     {"kp_2", 164},      {"kp_3", 165},
    {"kp_4", 166},       {"kp_5", 167},     {"kp_6", 168},      {"kp_7", 169},
    {"kp_8", 170},       {"kp_9", 171},     {"numlock", 172},   {"capslock", 173},
    {"scrolllock", 174}, {"sysrq", 175},
};

// The printable keys that have a KeyCode: ' , - . / 0-9 ; = [ \ ] ` and a-z.
bool printable_key(int c) {
  return c == 39 || (c >= 44 && c <= 57) || c == 59 || c == 61 || (c >= 91 && c <= 93) || c == 96 ||
         (c >= 97 && c <= 122);
}

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool parse_int(std::string_view s, int& out) {
  if (s.empty()) return false;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && end == s.data() + s.size();
}

// Splits off the next blank-separated word of rest.
std::string_view next_word(std::string_view& rest) {
  std::size_t start = rest.find_first_not_of(" \t");
  if (start == std::string_view::npos) {
    rest = {};
    return {};
  }
  std::size_t end = rest.find_first_of(" \t", start);
  std::string_view word =
      rest.substr(start, end == std::string_view::npos ? rest.npos : end - start);
  rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end);
  return word;
}

int parse_button(std::string_view word) {
  std::string w = lower(word);
  if (w == "1" || w == "left") return 1;
  if (w == "2" || w == "right") return 2;
  if (w == "3" || w == "middle") return 3;
  return 0;
}

// One non-empty line; false with the reason in why.
bool parse_line(std::string_view line, InputEvent& ev, std::string& why) {
  std::string_view rest = line;
  std::string_view frame = next_word(rest);
  if (!parse_int(frame, ev.frame) || ev.frame < 0) {
    why = "a frame number (0 or more) must start the line";
    return false;
  }
  std::string verb = lower(next_word(rest));
  if (verb == "down" || verb == "up") {
    ev.kind = verb == "down" ? InputEvent::Kind::Down : InputEvent::Kind::Up;
    std::string_view key = next_word(rest);
    ev.key = key_code_from_name(key);
    if (ev.key == 0) {
      why = "unknown key '" + std::string(key) + "'";
      return false;
    }
  } else if (verb == "text") {
    ev.kind = InputEvent::Kind::Text;
    if (!rest.empty()) rest.remove_prefix(1);  // the one blank after the verb
    ev.text = std::string(rest);
    return true;
  } else if (verb == "mouse") {
    ev.kind = InputEvent::Kind::Mouse;
    if (!parse_int(next_word(rest), ev.x) || !parse_int(next_word(rest), ev.y)) {
      why = "mouse needs X and Y";
      return false;
    }
  } else if (verb == "click") {
    ev.kind = InputEvent::Kind::Click;
    ev.button = parse_button(next_word(rest));
    if (ev.button == 0) {
      why = "click needs a button: 1, 2, 3, left, right or middle";
      return false;
    }
  } else if (verb == "wheel") {
    ev.kind = InputEvent::Kind::Wheel;
    // A notch is 120 wheel units; the bound keeps any sum of a frame's turns inside an int.
    if (!parse_int(next_word(rest), ev.notches) || ev.notches < -1000 || ev.notches > 1000) {
      why = "wheel needs a number of notches from -1000 to 1000";
      return false;
    }
  } else if (verb == "close") {
    ev.kind = InputEvent::Kind::Close;
  } else {
    why = "unknown event '" + verb + "' (down, up, text, mouse, click, wheel or close)";
    return false;
  }
  if (!next_word(rest).empty()) {
    why = "unexpected text after the event";
    return false;
  }
  return true;
}

struct State {
  int frame_limit = 0;
  std::string shots_dir;
  std::vector<InputEvent> events;
  int frames_counted = 0;
  std::optional<std::uint32_t> seed;
  std::string scene;
  int box_wait_seconds = 0;
  bool heap_stats = false;
  int watchdog_seconds = 0;
  bool virtual_time = false;
};

State state;

// The watchdog's view of the frames: the real time of the last one, read from its own thread.
using WatchClock = std::chrono::steady_clock;
std::atomic<WatchClock::rep> last_frame_ticks{0};
std::atomic<bool> watchdog_running{false};

void note_frame_time() { last_frame_ticks.store(WatchClock::now().time_since_epoch().count()); }

// A hang shows as frames that stop coming while the process lives: say so, and abort so that
// the run fails (a sanitizer build prints the stack of the abort). Started once per process.
void start_watchdog(int seconds) {
  note_frame_time();
  if (watchdog_running.exchange(true)) return;
  std::thread([seconds] {
    const auto limit = std::chrono::seconds(seconds);
    for (;;) {
      std::this_thread::sleep_for(std::chrono::milliseconds(250));
      WatchClock::time_point last{WatchClock::duration(last_frame_ticks.load())};
      if (WatchClock::now() - last > limit) {
        std::fprintf(stderr, "qorv: no frame for %d s of real time (QORV_WATCHDOG)\n", seconds);
        std::abort();
      }
    }
  }).detach();
}

}  // namespace

int key_code_from_name(std::string_view name) {
  if (name.size() == 1) {
    int c = std::tolower(static_cast<unsigned char>(name[0]));
    return printable_key(c) ? c : 0;
  }
  int code = 0;
  if (parse_int(name, code)) return code >= 1 && code <= 275 ? code : 0;
  std::string n = lower(name);
  for (const KeyName& k : key_names)
    if (n == k.name) return k.code;
  return 0;
}

bool parse_input_script(std::string_view text, std::vector<InputEvent>& events,
                        std::string& error) {
  events.clear();
  int line_number = 0;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#') continue;
    InputEvent ev;
    std::string why;
    if (!parse_line(line, ev, why)) {
      error = "line " + std::to_string(line_number) + ": " + why;
      return false;
    }
    events.push_back(std::move(ev));
  }
  // Events of one frame keep their file order; frames may come in any order in the file.
  std::stable_sort(events.begin(), events.end(),
                   [](const InputEvent& a, const InputEvent& b) { return a.frame < b.frame; });
  return true;
}

bool init_automation(std::string& error) {
  reset_automation();
  if (const char* frames = std::getenv("QORV_FRAMES"); frames && *frames) {
    if (!parse_int(frames, state.frame_limit) || state.frame_limit <= 0) {
      error = std::string("QORV_FRAMES must be a number of frames above 0, not '") + frames + "'";
      return false;
    }
  }
  if (const char* shots = std::getenv("QORV_SHOTS"); shots) state.shots_dir = shots;
  if (const char* seed = std::getenv("QORV_SEED"); seed && *seed) {
    int value = 0;
    if (!parse_int(seed, value) || value < 0) {
      error = std::string("QORV_SEED must be a number from 0 up, not '") + seed + "'";
      return false;
    }
    state.seed = std::uint32_t(value);
  }
  if (const char* scene = std::getenv("QORV_SCENE"); scene) state.scene = scene;
  if (const char* wait = std::getenv("QORV_BOX_WAIT"); wait && *wait) {
    if (!parse_int(wait, state.box_wait_seconds) || state.box_wait_seconds < 0) {
      error = std::string("QORV_BOX_WAIT must be a number of seconds from 0 up, not '") + wait + "'";
      return false;
    }
  }
  if (const char* stats = std::getenv("QORV_HEAP_STATS"); stats) state.heap_stats = stats == std::string_view("1");
  if (const char* watch = std::getenv("QORV_WATCHDOG"); watch && *watch) {
    if (!parse_int(watch, state.watchdog_seconds) || state.watchdog_seconds <= 0) {
      error = std::string("QORV_WATCHDOG must be a number of seconds above 0, not '") + watch + "'";
      return false;
    }
    start_watchdog(state.watchdog_seconds);
  }
  if (const char* input = std::getenv("QORV_INPUT"); input && *input) {
    std::ifstream file(input, std::ios::binary);
    if (!file) {
      error = std::string("QORV_INPUT: cannot read ") + input;
      return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    std::string why;
    if (!parse_input_script(text.str(), state.events, why)) {
      error = std::string("QORV_INPUT ") + input + ", " + why;
      return false;
    }
  }
  return true;
}

void set_input_events(std::vector<InputEvent> events) {
  std::stable_sort(events.begin(), events.end(),
                   [](const InputEvent& a, const InputEvent& b) { return a.frame < b.frame; });
  state.events = std::move(events);
}

std::vector<InputEvent> headless_input_events(int frame) {
  std::vector<InputEvent> out;
  for (const InputEvent& ev : state.events)
    if (ev.frame == frame) out.push_back(ev);
  return out;
}

int count_frame() {
  int frame = state.frames_counted++;
  if (state.watchdog_seconds > 0) note_frame_time();
  if (state.frame_limit > 0 && state.frames_counted == state.frame_limit) post_close_request();
  return frame;
}

int current_frame() { return state.frames_counted - 1; }
int frames_counted() { return state.frames_counted; }
int frame_limit() { return state.frame_limit; }
void set_frame_limit(int frames) { state.frame_limit = frames > 0 ? frames : 0; }
const std::string& shots_dir() { return state.shots_dir; }
std::optional<std::uint32_t> random_seed() { return state.seed; }
void set_random_seed(std::optional<std::uint32_t> seed) { state.seed = seed; }
const std::string& scene_name() { return state.scene; }
void set_scene_name(std::string name) { state.scene = std::move(name); }
int box_wait_seconds() { return state.box_wait_seconds; }
bool heap_stats() { return state.heap_stats; }
int watchdog_seconds() { return state.watchdog_seconds; }

void use_virtual_time() {
  // Far from 0 and from the wrap, like a machine that has been up a while.
  constexpr std::uint32_t virtual_start_ms = 1000000;
  use_fake_clock(virtual_start_ms);
  state.virtual_time = true;
}

bool virtual_time() { return state.virtual_time; }

void virtual_time_step() {
  if (state.virtual_time) advance_fake_clock(1);
}

void reset_automation() { state = State{}; }

}  // namespace platform
