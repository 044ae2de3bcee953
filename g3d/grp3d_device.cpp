// The Direct3D device.
#include "g3d/grp3d_device.h"

#include "app/log.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/sprite_blitter.h"
#include "platform/message_box.h"

GRP3Ddraw d3d_device;

namespace {

constexpr const char* caption_error = "\xbf\xf9\xbb\x7e";  // "錯誤"
constexpr int hardware_device = 2;
constexpr int software_device = 1;

void show_and_log(const char* text) {
  platform::message_box(nullptr, text, caption_error, platform::BoxButtons::Ok);
  log_trace("%s", text);
}

}  // namespace

int GRP3Ddraw::init(platform::Window* window, cDDRAW* ddraw, int driver, int mode, int device_type,
                    int width, int height, int bits_per_pixel) {
  initialised_ = 1;
  ddraw_ = ddraw;
  ddraw->enum_Ddraw_driver();
  if (!ddraw->Init(window, driver, mode, device_type, width, height, bits_per_pixel)) {
    show_and_log(
        "GRP3Ddraw::chose_Ddraw_driver\xa5\xa2\xb1\xd1");  // "GRP3Ddraw::chose_Ddraw_driver失敗"
    return 0;
  }
  ddraw->get_info(&info_);
  ddraw_object_ = ddraw->get_ddraw();
  primary_ = ddraw->get_surface(DDRAW_PRIMARY_SURFACE);
  back_ = ddraw->get_surface(DDRAW_BACK_SURFACE);
  init_blitter(back_);
  ddraw->get_pixel_format();
  device_type_ = info_.hardware_3d == 1 ? hardware_device : software_device;
  return 1;
}

void GRP3Ddraw::release() {
  if (initialised_ && ddraw_) {
    ddraw_->release_surfaces();
    ddraw_->release_ddraw();
  }
  initialised_ = 0;
  ddraw_object_ = nullptr;
  primary_ = nullptr;
  back_ = nullptr;
}

// Textures share the back surface's layout until the device keeps a texture format of its own,
// so both selections examine the back surface.
void GRP3Ddraw::select_blit_format(int) {
  if (!back_) return;
  if (!setup_pixel_format(back_)) {
    // "GRP3Ddraw::Init(...) 無法取得目前顯示卡貼圖格式"
    show_and_log("GRP3Ddraw::Init(...) \xb5\x4c\xaa\x6b\xa8\xfa\xb1\x6f\xa5\xd8\xab\x65\xc5\xe3\xa5\xdc"
                 "\xa5\x64\xb6\x4b\xb9\xcf\xae\xe6\xa6\xa1");
  }
}
