// The engine's operations behind the display release and rebuild.
#include "app/display_restore.h"
#include "app/pending.h"
#include "core/app_window.h"
#include "core/grp_input.h"
#include "g3d/act_animation.h"
#include "g3d/grp3d_device.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "g3d/texture_file_cache.h"
#include "g3d/view_zoom.h"
#include "gfx2d/cddraw.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/memoryer.h"
#include "platform/window.h"

namespace {

constexpr int screen_width = 640;
constexpr int screen_height = 480;
constexpr const char* font_face = "\xb2\xd3\xa9\xfa\xc5\xe9";  // "細明體"

struct FontSize {
  GlyphFont* font;
  int size, advance;
};
const FontSize fonts[] = {{&font_20, 20, 22}, {&font_16, 16, 18}, {&font_12, 12, 14}};

}  // namespace

DisplayStack engine_display_stack() {
  DisplayStack s;
  s.flush_textures = [] { renderer.flush_textures(); };
  s.free_models = FreePolyMemory;
  s.free_sprites = [](std::uint8_t tag) { Memoryer_Free(tag); };
  s.free_animations = Act_Memoryer_Free;
  s.release_fonts = [] {
    for (const FontSize& f : fonts) f.font->release();
  };
  s.release_renderer = [] { renderer.release(); };
  s.release_device = [] { d3d_device.release(); };
  s.release_display_device = [] { display_device.release(); };
  s.init_device = [] {
    return d3d_device.init(AppWindow.main_window, &display_device, 0, DDRAW_FULL_SCREEN,
                           DDRAW_DEVICE_HARDWARE_3D, screen_width, screen_height, 16);
  };
  s.init_renderer = [] {
    renderer.init(&d3d_device);
    g3d_set_texture_cache_state(42);
    renderer.set_render_mode(6);
  };
  s.set_viewport = [] { renderer.set_viewport(0, 0, screen_width, screen_height, view_scale, 200.0f, view_far); };
  s.select_blit_format = [](int format) { d3d_device.select_blit_format(format); };
  s.reset_input = [] {
    grp_input.set_mouse_speed(2.0f);
    grp_input.set_mouse_rect(0, 0, screen_width, screen_height);
    grp_input.set_mouse_pos(10, 10);
    grp_input.set_devices(1, 1, 0);
  };
  s.init_fonts = [] {
    for (const FontSize& f : fonts) {
      f.font->init(&display_device);
      f.font->set_font(font_face, f.size);
      f.font->set_advance(f.advance);
    }
  };
  s.minimise_window = [](platform::Window* w) { platform::show_window(w, platform::ShowCommand::Minimize); };
  s.restore_window = [](platform::Window* w) {
    platform::show_window(w, platform::ShowCommand::Restore);
    platform::set_window_pos(w, 0, 0, screen_width, screen_height);
  };
  s.acquire_input = [] { grp_input.set_devices(1, 1, 0); };
  s.is_exclusive = [] { return display_device.is_exclusive(); };
  return s;
}
