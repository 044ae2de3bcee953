// The ACT player.
#include "g3d/act_animation.h"

#include <utility>

#include "core/byte_reader.h"
#include "g3d/g3d_read.h"
#include "g3d/renderer.h"

namespace {

// What the tick found before it ran: the O2 of a restarted animation puts the cues back.
struct Remembered {
  std::uint16_t frame, sound;
  std::uint32_t events;
  std::int16_t delay_count;
};

void release_picture(const ActInstance* a, std::uint16_t picture) {
  if (g3d_renderer* r = act_renderer()) r->release_texture(g3d_sprite_texture_key(a->resource, picture));
}

void restart(ActInstance* a) {
  if ((a->control & act_control_device_texture) && a->loaded_act) release_picture(a, a->uploaded_picture);
  ActInstance fresh;
  fresh.act = fresh.loaded_act = a->act;
  fresh.qq = fresh.loaded_qq = a->qq;
  fresh.control = a->control;
  if (a->control & act_control_keep_delay) fresh.delay = a->delay;
  *a = fresh;
}

// The sheet cell's rectangle; a sheet narrower than one cell (or cells of width 0) counts as
// one column.
void set_cell_rect(ActInstance* a) {
  const int width = a->sheet[4], height = a->sheet[5];
  int columns = width ? (int(a->sheet[2]) - int(a->sheet[0])) / width : 0;
  if (columns < 1) columns = 1;
  a->src_rect[0] = width * (a->cell % columns);
  a->src_rect[1] = height * (a->cell / columns);
  a->src_rect[2] = a->src_rect[0] + width;
  a->src_rect[3] = a->src_rect[1] + height;
}

// The loop control of a frame end: true when the tick goes on with the next opcode.
bool frame_end_goes_on(ActInstance* a) {
  if (a->loop == 0 || a->frame == a->loop_start) return false;
  if (a->frame == a->loop_end) {
    if (a->loop & act_loop_forever) {
      a->pc = 0;
    } else if ((a->loop & 0x7FFF) == 0) {
      a->loop = 0;
    } else {
      a->pc = 0;
      --a->loop;
    }
    return false;
  }
  if (a->frame < a->loop_start) {
    // Frames before the loop start run through within this tick.
    a->state = 0;
    a->sound = 0;
    a->events = 0;
    return true;
  }
  return false;
}

// O2, and the end of a script (or an opcode cut by it): the animation stays where it is.
int stop_here(ActInstance* a, std::size_t at, const Remembered& rem) {
  if ((a->control & act_control_cue_pending) && a->frame == rem.frame) {
    a->events = rem.events;
    a->sound = rem.sound;
    a->delay_count = rem.delay_count;
    a->control &= ~act_control_cue_pending;
  }
  a->pc = std::uint16_t(at);
  if (a->delay_count == 0) a->state |= act_state_finished;
  return 1;
}

void op_picture(ActInstance* a, std::uint16_t picture) {
  a->picture = picture;
  if ((a->control & act_control_device_texture) && act_renderer() && a->uploaded_picture != picture) {
    release_picture(a, a->uploaded_picture);
    a->uploaded_picture = picture;
  }
  if (a->frame < a->frame_max) ++a->frame;
  if (a->frame > a->frame_max) a->frame = a->frame_max;
  a->state &= std::uint16_t(~(act_state_mirrored | act_state_point_set));
  a->scale[0] = a->scale[1] = a->scale[2] = 1.0f;
  for (auto& b : a->color_bytes) b = 255;
  a->color = 0xFFFFFFFF;
}

void op_loop(ActInstance* a, ByteReader& r) {
  a->loop_start = r.u16();
  a->loop_end = r.u16();
  std::uint16_t count = r.u16();
  if (a->loop & act_loop_set) return;
  a->loop = count;
  if (count == 0xFFFF) a->loop |= act_loop_forever;
  a->loop |= act_loop_set;
}

// Attachments: indices outside the list are ignored.
void op_attachments(ActInstance* a, ByteReader& r) {
  std::uint16_t n = r.u16();
  a->attach_count = n < act_attach_slots ? n : act_attach_slots;
  for (std::uint16_t k = 0; k < n; ++k) {
    std::uint16_t index = r.u16(), type = r.u16(), stop = r.u16();
    if (index >= act_attach_slots) continue;
    a->attach_type[index] = type;
    a->attach_stop[index] = stop;
  }
}

void read_floats(ByteReader& r, float* out, int n) {
  for (int k = 0; k < n; ++k) out[k] = read_f32(r);
}

// Operand bytes of an opcode, or -1 for RE (its length is in its first operand).
int operand_bytes(std::uint16_t op) {
  switch (op) {
    case ACT_BX: return 32;
    case ACT_CA: case ACT_CD: return 13;
    case ACT_CO: return 8;
    case ACT_CP: case ACT_DP: case ACT_SC: case ACT_SI: return 12;
    case ACT_FX: return 4;
    case ACT_LP: case ACT_RT: return 6;
    case ACT_PA: case ACT_RF: case ACT_SD: case ACT_SP: case ACT_TA: case ACT_WV: return 2;
    case ACT_TP: return 1;
    case ACT_TX: return 10;
    case ACT_RE: return -1;
    default: return 0;
  }
}

void perform(ActInstance* a, std::uint16_t op, ByteReader& r) {
  switch (op) {
    case ACT_BX: a->box = read_box(r); break;
    case ACT_CA: case ACT_CD: {
      // The points are whole numbers.
      G3dVector& p = op == ACT_CA ? a->point_a : a->point_b;
      p.x = float(r.u32());
      p.y = float(r.u32());
      p.z = float(r.u32());
      a->state |= act_state_point_set;
      break;
    }
    case ACT_CO:
      for (auto& b : a->color_bytes) b = std::uint8_t(r.u16());
      a->color = std::uint32_t(a->color_bytes[0]) << 24 | std::uint32_t(a->color_bytes[1]) << 16 |
                 std::uint32_t(a->color_bytes[2]) << 8 | a->color_bytes[3];
      break;
    case ACT_CP: read_floats(r, a->hot_spot, 3); break;
    case ACT_DP: read_floats(r, a->offset, 3); break;
    case ACT_FX: a->draw_flags = r.u32(); break;
    case ACT_LP: op_loop(a, r); break;
    case ACT_PA: op_picture(a, r.u16()); break;
    case ACT_RE: op_attachments(a, r); break;
    case ACT_RF: a->resource = r.u16(); a->frame = 0; break;
    case ACT_RT: for (auto& v : a->rotation) v = r.u16(); break;
    case ACT_SC: read_floats(r, a->scale, 3); break;
    case ACT_SD: {
      std::uint16_t v = r.u16();
      if (a->control & act_control_keep_delay) break;
      a->delay = v == 0xFFFF ? 0 : v;
      a->delay_count = std::int16_t(a->delay);
      break;
    }
    case ACT_SI: for (auto& v : a->sheet) v = r.u16(); set_cell_rect(a); break;
    case ACT_SP: a->cell = r.u16(); if (a->kind & 1) set_cell_rect(a); break;
    case ACT_TA: a->frame_max = r.u16(); break;
    case ACT_TP: a->kind = r.u8(); break;
    case ACT_TX: a->tx_word = r.u32(); for (auto& v : a->tx_args) v = r.u16(); break;
    case ACT_VX: a->state |= act_state_mirrored; std::swap(a->src_rect[0], a->src_rect[2]); break;
    case ACT_WV: a->sound = r.u16(); break;
    case 100: a->events |= 1u << 31; break;
    case 101: a->events |= 1u << 30; break;
    case 102: a->events |= 1u << 29; break;
    case 103: a->events |= 1u << 28; break;
    case 104: a->events |= 1u << 24; break;
    default: break;  // an opcode the player does not know is a bare opcode
  }
}

// Runs opcodes from pc until a frame ends. The script's end (or an opcode whose operands it
// cuts) stops the animation as O2 does, so the position never leaves the script; every
// opcode moves the position forward, so a tick ends after at most size / 2 opcodes.
int run_script(ActInstance* a, const ActScript& s, Remembered& rem) {
  for (;;) {
    ByteReader r(s.data, s.size);
    const std::size_t at = a->pc;
    if (!r.seek(at)) return stop_here(a, s.size, rem);
    const std::uint16_t op = r.u16();
    if (!r.ok()) return stop_here(a, at, rem);
    if (op == ACT_ED) {
      a->pc = std::uint16_t(at + 2);
      if (!frame_end_goes_on(a)) return 1;
      continue;
    }
    if (op == ACT_OV) {
      a->cur_script = a->script;
      a->pc = 0;
      rem.frame = 0;
      a->control &= ~act_control_cue_pending;
      return 1;
    }
    if (op == ACT_O2) return stop_here(a, at, rem);
    int bytes = operand_bytes(op);
    if (bytes < 0) {
      ByteReader count(s.data, s.size);
      count.seek(at + 2);
      bytes = 2 + 6 * int(count.u16());
      if (!count.ok()) return stop_here(a, at, rem);
    }
    if (r.remaining() < std::size_t(bytes)) return stop_here(a, at, rem);
    a->delay_count = std::int16_t(a->delay);
    perform(a, op, r);
    a->pc = std::uint16_t(at + 2 + std::size_t(bytes));
  }
}

}  // namespace

int Take_3dActData(ActInstance* a) { return act_tick_from(a, Get3dAct); }

int act_tick_from(ActInstance* a, ActScriptSource source) {
  if (a->act == 0) return 0;
  if (a->state & act_state_frozen) return 1;
  Remembered rem{a->frame, a->sound, a->events, a->delay_count};
  if (a->act != a->loaded_act || a->qq != a->loaded_qq || (a->state & act_state_restart)) restart(a);
  if (a->control & act_control_restore_cues) {
    if (a->frame < rem.frame) a->control |= act_control_cue_pending;
  } else {
    rem.frame = 0;
    a->control &= ~act_control_cue_pending;
  }
  const ActScript s = source(a->act, a->qq);
  if (!s.data) return 0;
  a->script = a->cur_script = s.data;
  if (a->delay_count != 0) {
    --a->delay_count;
    return 1;
  }
  return run_script(a, s, rem);
}
