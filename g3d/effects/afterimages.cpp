// Afterimages.
#include "g3d/effects/afterimages.h"

#include "g3d/act_draw.h"
#include "g3d/ani_matrix.h"
#include "g3d/effects/act_quad_draw.h"
#include "g3d/effects/particle_math.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"

AfterimageList afterimage_list;

namespace {

constexpr std::uint32_t alpha_blend = 2;
constexpr BlitFlags level_blend = blit_mode(5);

void draw_copy(Afterimage& r) {
  ActInstance& a = r.instance;
  const std::uint32_t colour = std::uint32_t(std::uint8_t(r.alpha)) << 24 | std::uint32_t(r.red & 0xFF) << 16 |
                               std::uint32_t(r.green & 0xFF) << 8 | std::uint32_t(r.blue & 0xFF);
  if (a.kind == 0) {
    G3dPoly* model = GetPoly(a.resource);
    if (!model) return;
    G3dMatrix m;
    set_ani_matrix(&m, &a, r.x, r.y, r.z, r.yaw);
    renderer.draw_model(&m, a.picture, model, colour, alpha_blend);
  } else if (a.kind == 1) {
    draw_act_quad_at(&a, r.x, r.y, r.z, colour, a.draw_flags | alpha_blend);
  } else if (a.kind == 2) {
    sprite_blitter.blit_level = r.alpha / 16;
    blit_act_picture(&a, r.x, r.y, level_blend);
    sprite_blitter.blit_level = 0;
  }
}

}  // namespace

bool AfterimageList::repeats_last(const Afterimage& a) const {
  if (a.instance.kind == 0) return a.instance.resource == last_resource && a.instance.picture == last_picture;
  return a.instance.frame >= 1 && a.instance.cell == last_cell;
}

void AfterimageList::add(const Afterimage* source) {
  if ((source->flags & afterimage_skip_repeat) && repeats_last(*source)) return;
  Afterimage& r = records_.emplace_back(*source);
  if (r.flags & afterimage_animate) r.instance.cur_script = r.instance.script;
  ++count;
  last_resource = r.instance.resource;
  last_picture = r.instance.picture;
  last_cell = r.instance.cell;
  last_frame = r.instance.frame;
}

int AfterimageList::draw() {
  if (records_.empty()) return 1;
  for (auto it = records_.begin(); it != records_.end();) {
    Afterimage& r = *it;
    if (r.flags & afterimage_animate) {
      if (!Take_3dActData(&r.instance)) return 0;
      r.shown_resource = r.instance.resource;
      r.shown_picture = r.instance.picture;
      if (r.instance.events) {
        events = int(r.instance.events);
        r.instance.events = 0;
      }
    }
    draw_copy(r);
    if (r.flags & afterimage_animate) {
      if (r.instance.state & act_state_finished) r.alpha = 0;
    } else if (r.alpha > 0) {
      r.alpha = std::int16_t(r.alpha - r.alpha_step);
    }
    if (r.alpha <= 0) {
      it = records_.erase(it);
      --count;
      continue;
    }
    ++it;
  }
  return 0;
}

void AfterimageList::clear() {
  records_.clear();
  count = 0;
}
