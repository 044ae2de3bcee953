// The stored image of an ActInstance.
#include "g3d/act_image.h"

#include <algorithm>
#include <cstring>

#include "core/byte_reader.h"

namespace {

// Walks the fields in image order with one visitor, so that writing and reading cannot drift.
template <class Instance, class F>
void visit_fields(Instance& a, F&& f) {
  using namespace act_image;
  f(box, a.box.min.x); f(box + 4, a.box.min.y); f(box + 8, a.box.min.z); f(box + 12, a.box.min.w);
  f(box + 16, a.box.max.x); f(box + 20, a.box.max.y); f(box + 24, a.box.max.z); f(box + 28, a.box.max.w);
  f(point_a, a.point_a.x); f(point_a + 4, a.point_a.y); f(point_a + 8, a.point_a.z); f(point_a + 12, a.point_a.w);
  f(point_b, a.point_b.x); f(point_b + 4, a.point_b.y); f(point_b + 8, a.point_b.z); f(point_b + 12, a.point_b.w);
  for (std::size_t i = 0; i < 4; ++i) f(src_rect + 4 * i, a.src_rect[i]);
  for (std::size_t i = 0; i < 3; ++i) {
    f(hot_spot + 4 * i, a.hot_spot[i]);
    f(offset + 4 * i, a.offset[i]);
    f(scale + 4 * i, a.scale[i]);
    f(tx_args + 2 * i, a.tx_args[i]);
    f(rotation + 2 * i, a.rotation[i]);
  }
  f(draw_flags, a.draw_flags); f(color, a.color); f(control, a.control); f(events, a.events);
  f(tx_word, a.tx_word);
  f(act_image::act, a.act); f(qq, a.qq); f(loaded_act, a.loaded_act); f(loaded_qq, a.loaded_qq);
  f(resource, a.resource); f(picture, a.picture); f(cell, a.cell); f(uploaded_picture, a.uploaded_picture);
  f(loop_start, a.loop_start); f(loop_end, a.loop_end); f(loop, a.loop); f(delay, a.delay);
  f(delay_count, a.delay_count); f(frame_max, a.frame_max); f(frame, a.frame);
  for (std::size_t i = 0; i < 6; ++i) f(sheet + 2 * i, a.sheet[i]);
  f(sound, a.sound); f(state, a.state); f(attach_count, a.attach_count);
  for (std::size_t i = 0; i < act_attach_slots; ++i) {
    f(attach_type + 2 * i, a.attach_type[i]);
    f(attach_stop + 2 * i, a.attach_stop[i]);
  }
  f(pc, a.pc);
  for (std::size_t i = 0; i < 4; ++i) f(color_bytes + i, a.color_bytes[i]);
  f(kind, a.kind);
}

}  // namespace

void act_instance_to_image(const ActInstance& a, std::span<std::uint8_t, act_image_size> out) {
  std::fill(out.begin(), out.end(), std::uint8_t{0});
  visit_fields(a, [&](std::size_t off, const auto& v) { std::memcpy(out.data() + off, &v, sizeof v); });
}

void act_instance_from_image(std::span<const std::uint8_t, act_image_size> in, ActInstance& a) {
  a = ActInstance{};
  const ByteReader r(in.data(), in.size());
  visit_fields(a, [&](std::size_t off, auto& v) { r.copy_at(off, &v, sizeof v); });
  // The runtime part belongs to the process that wrote the image: no script is fetched, the
  // player's own pending-cue bit is dropped, and the next tick restarts the animation.
  a.script = a.cur_script = nullptr;
  a.control &= ~act_control_cue_pending;
  a.loaded_act = a.loaded_qq = 0;
  a.uploaded_picture = 0;
}
