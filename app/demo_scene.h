#pragma once
// Demo scenes: with QORV_SCENE=NAME, start-up ends in the scene NAME instead of the title, so
// that a piece of the game can be shown and tested without playing up to it. Each scene lives in
// a file of its own (app/scene_NAME.cpp) and has one row in the table of demo_scene.cpp.
#include <string>
#include <string_view>

#include "app/frame_tick.h"

struct DemoScene {
  const char* name;
  void (*start)();  // called once, where start-up would enter the title
  // Called once at shut-down, before anything is released (may be null): writes what the scene
  // left behind into debug.txt, for the runs that test it.
  void (*finish)() = nullptr;
};

// The scene of that name; null when there is none.
const DemoScene* find_demo_scene(std::string_view name);
// The names of every scene, comma-separated, for the message about an unknown name.
std::string demo_scene_names();

// The handlers the frame tick runs in mode_demo_scene; a scene's start function sets them and
// switches GameMode to mode_demo_scene.
extern ModeHandlers demo_scene_handlers;

// The scenes' start functions (app/scene_NAME.cpp).
void start_ui_scene();
void start_keys_scene();
void start_joy_scene();
void start_shop_scene();
void start_summon_scene();
void finish_shop_scene();
void finish_summon_scene();
