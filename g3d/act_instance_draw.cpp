// Drawing an instance as a 2D sprite.
#include "g3d/act_instance_draw.h"

#include "g3d/act_animation.h"
#include "g3d/grp3d_device.h"
#include "g3d/renderer.h"
#include "gfx2d/memoryer.h"

void draw_act_instance(const ActInstance* a, int x, int y, BlitFlags flags) {
  if (a->resource == 0) return;
  const TswPic* pic = Memoryer_GetPic(a->resource, a->picture);
  if (!pic || !pic->image) return;
  d3d_device.select_blit_format(0);
  if (std::uint16_t* pixels = renderer.lock_back_buffer()) {
    set_blit_source(pic->image, PicKind::Auto, pic->size);
    put_pic(int(float(x) - a->hot_spot[0]), int(float(y) - a->hot_spot[1]), pic->width, pic->height, flags, 0);
    renderer.unlock_back_buffer(pixels);
  }
  d3d_device.select_blit_format(2);
}
