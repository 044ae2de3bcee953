// The table of demo scenes.
#include "app/demo_scene.h"

#include <array>

void start_effects_scene();  // app/scene_effects.cpp

namespace {

// One row per scene.
constexpr std::array demo_scenes{
    DemoScene{"effects", start_effects_scene},
    DemoScene{"ui", start_ui_scene},
    DemoScene{"keys", start_keys_scene},
    DemoScene{"joy", start_joy_scene},
    DemoScene{"shop", start_shop_scene, finish_shop_scene},
    DemoScene{"summon", start_summon_scene, finish_summon_scene},
};

}  // namespace

ModeHandlers demo_scene_handlers{};

const DemoScene* find_demo_scene(std::string_view name) {
  for (const DemoScene& scene : demo_scenes)
    if (name == scene.name) return &scene;
  return nullptr;
}

std::string demo_scene_names() {
  std::string names;
  for (const DemoScene& scene : demo_scenes) {
    if (!names.empty()) names += ", ";
    names += scene.name;
  }
  return names.empty() ? "none" : names;
}
