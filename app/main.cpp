// The program: reads the automation variables, refuses an unknown demo scene, then runs WinMain.
#include <cstdio>
#include <string>

#include "app/demo_scene.h"
#include "app/win_main.h"
#include "core/mem_mgr.h"
#include "platform/automation.h"
#include "platform/backend.h"
#include "platform/termination.h"
#include "platform/window.h"

namespace {

// The heap's figures for the soak: every block the game took while it ran is given back by the
// time the window is gone.
void print_heap_stats(int start_blocks) {
  std::fprintf(stderr,
               "qorv: heap blocks at start %d, at end %d, peak blocks %d, peak bytes %lld; "
               "%d frames\n",
               start_blocks, mem_mgr.blocks_in_use(), mem_mgr.peak_blocks(), mem_mgr.peak_bytes(),
               platform::frames_counted());
}

}  // namespace

int main() {
  const int start_blocks = mem_mgr.blocks_in_use();
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
  if (platform::current_backend() == platform::Backend::Headless) platform::use_virtual_time();
  platform::install_termination_handlers();
  // The command line is not read.
  int exit_code = WinMain(platform::program_instance(), nullptr, "", 1);
  if (platform::heap_stats()) print_heap_stats(start_blocks);
  // Ended by a signal: say so in the exit code, as a shell expects.
  if (int sig = platform::termination_signal()) return 128 + sig;
  return exit_code;
}
