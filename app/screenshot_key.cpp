// The screenshot key.
#include "app/screenshot_key.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "core/paths.h"
#include "g3d/grp3d_device.h"
#include "g3d/renderer.h"
#include "gfx2d/cddraw.h"
#include "platform/files.h"
#include "ui/screenshot.h"

namespace {
constexpr int screenshot_names = 3000;
constexpr int screen_width = 640;
constexpr int screen_height = 480;
}  // namespace

std::string reserve_screenshot_name() {
  std::string folder = game_dir;
  if (!append_path(folder, "Pic")) return {};
  platform::create_folder(folder);
  for (int n = 0; n < screenshot_names; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "%04d.bmp", n);
    std::string path = folder;
    if (!append_path(path, name)) return {};
    // Exclusive creation tests existence and takes the name in one step.
    platform::File file;
    if (file.open(path, platform::File::Mode::CreateNew)) {
      file.close();
      return path;
    }
    if (file.last_error_code() != static_cast<int>(std::errc::file_exists)) return {};
  }
  return {};
}

void take_screenshot() {
  std::string name = reserve_screenshot_name();
  if (name.empty()) return;
  d3d_device.select_blit_format(0);
  int written = 0;
  int pitch = 0, height = 0;
  display_device.get_back_size(&pitch, &height);
  if (std::uint16_t* pixels = renderer.lock_back_buffer()) {
    written = write_bmp(pixels, pitch, std::min(screen_width, pitch / 2), std::min(screen_height, height),
                        name.c_str());
    renderer.unlock_back_buffer(pixels);
  }
  d3d_device.select_blit_format(2);
  if (!written) platform::delete_file(name);
}
