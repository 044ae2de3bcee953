// Drawing an instance as a 2D sprite.
#include "g3d/act_instance_draw.h"

#include "g3d/act_animation.h"
#include "g3d/grp3d_device.h"
#include "g3d/renderer.h"
#include "gfx2d/memoryer.h"

namespace {
// A screen coordinate from a point and a hot spot taken from animation data, kept far outside
// the screen instead of overflowing.
int screen_coordinate(int at, float hot_spot) {
  const float v = float(at) - hot_spot;
  if (!(v == v)) return 0;
  return v < -1e6f ? -1000000 : (v > 1e6f ? 1000000 : int(v));
}
}  // namespace

void draw_act_instance(const ActInstance* a, int x, int y, BlitFlags flags) {
  if (a->resource == 0) return;
  const TswPic* pic = Memoryer_GetPic(a->resource, a->picture);
  if (!pic || !pic->image) return;
  d3d_device.select_blit_format(0);
  if (std::uint16_t* pixels = renderer.lock_back_buffer()) {
    set_blit_source(pic->image, PicKind::Auto, pic->size);
    put_pic(screen_coordinate(x, a->hot_spot[0]), screen_coordinate(y, a->hot_spot[1]), pic->width, pic->height,
            flags, 0);
    renderer.unlock_back_buffer(pixels);
  }
  d3d_device.select_blit_format(2);
}
