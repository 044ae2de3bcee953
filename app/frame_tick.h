#pragma once
// The frame tick: the one function the message loop calls whenever no window message waits.
// It plays a running video unpaced; otherwise it only ticks the frame timer until a frame is
// due, and on a due frame reads the input, handles the screenshot, pause and developer keys and
// runs the current game mode's input, update and draw. A quit request is carried out only at
// the end of a full pass.
namespace platform {
struct Window;
struct Instance;
}  // namespace platform

void frame_tick(platform::Window* window, platform::Instance* instance);

// The frame of a scripted scene (flag_event_scene), run in place of the game mode.
void event_scene_tick();

// The per-frame functions of a game mode; null where the mode has none.
struct ModeHandlers {
  void (*input)();
  void (*update)();
  void (*draw)();
};
// The dispatch table: every mode value not listed (and below 1 or above 101) runs the field.
ModeHandlers mode_handlers(int mode);
