// The program: reads the automation variables, refuses an unknown demo scene, then runs WinMain.
#include <cstdio>
#include <string>

#include "app/demo_scene.h"
#include "app/win_main.h"
#include "platform/automation.h"
#include "platform/window.h"

int main() {
  std::string error;
  if (!platform::init_automation(error)) {
    std::fprintf(stderr, "qorv: %s\n", error.c_str());
    return 2;
  }
  const std::string& scene = platform::scene_name();
  if (!scene.empty() && !find_demo_scene(scene)) {
    std::fprintf(stderr, "qorv: QORV_SCENE: no scene '%s' (scenes: %s)\n", scene.c_str(),
                 demo_scene_names().c_str());
    return 1;
  }
  // The command line is not read.
  return WinMain(platform::program_instance(), nullptr, "", 1);
}
