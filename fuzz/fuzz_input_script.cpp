// Input scripts (QORV_INPUT) as the automation reads them, and their replay by frame.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<platform::InputEvent> events;
  std::string error;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  if (!platform::parse_input_script(text, events, error)) {
    if (error.empty()) __builtin_trap();  // a refusal always says why
    return 0;
  }
  std::size_t replayed = 0;
  for (const platform::InputEvent& ev : events) {
    if (ev.frame < 0) __builtin_trap();
    bool key =
        ev.kind == platform::InputEvent::Kind::Down || ev.kind == platform::InputEvent::Kind::Up;
    if (key && (ev.key < 1 || ev.key > 275)) __builtin_trap();
    if (ev.kind == platform::InputEvent::Kind::Click && (ev.button < 1 || ev.button > 3))
      __builtin_trap();
  }
  platform::set_input_events(events);
  for (std::size_t i = 0; i < events.size(); ++i)
    if (i == 0 || events[i].frame != events[i - 1].frame)
      replayed += platform::headless_input_events(events[i].frame).size();
  if (replayed != events.size()) __builtin_trap();  // every event belongs to exactly one frame
  return 0;
}
