// The ACT player.
#include "g3d/act_animation.h"

#include <utility>

#include "core/byte_reader.h"
#include "core/code_table.h"
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

}  // namespace

// What an opcode's action gets: the instance, the reader at its operands, the tick's remembered
// cues and the opcode's own position. pc already stands past the operands; a flow opcode may
// move it.
struct ActTick {
  ActInstance* a;
  ByteReader& r;
  Remembered& rem;
  std::size_t at;
};

namespace {

// ---- Flow opcodes ------------------------------------------------------------------------

bool frame_end(ActTick& t) { return frame_end_goes_on(t.a); }

// The next frame starts the script again.
bool over(ActTick& t) {
  ActInstance* a = t.a;
  a->cur_script = a->script;
  a->pc = 0;
  t.rem.frame = 0;
  a->control &= ~act_control_cue_pending;
  return false;
}

bool stop(ActTick& t) {
  stop_here(t.a, t.at, t.rem);
  return false;
}

// ---- Actions ------------------------------------------------------------------------------

bool set_box(ActTick& t) {
  t.a->box = read_box(t.r);
  return true;
}

// The points are whole numbers; the pad byte after them is skipped.
template <G3dVector ActInstance::*point>
bool set_point(ActTick& t) {
  G3dVector& p = t.a->*point;
  p.x = float(t.r.u32());
  p.y = float(t.r.u32());
  p.z = float(t.r.u32());
  t.a->state |= act_state_point_set;
  return true;
}

bool set_colour(ActTick& t) {
  ActInstance* a = t.a;
  for (auto& b : a->color_bytes) b = std::uint8_t(t.r.u16());
  a->color = std::uint32_t(a->color_bytes[0]) << 24 | std::uint32_t(a->color_bytes[1]) << 16 |
             std::uint32_t(a->color_bytes[2]) << 8 | a->color_bytes[3];
  return true;
}

template <float (ActInstance::*field)[3]>
bool set_floats(ActTick& t) {
  for (float& v : t.a->*field) v = read_f32(t.r);
  return true;
}

bool set_draw_flags(ActTick& t) {
  t.a->draw_flags = t.r.u32();
  return true;
}

bool set_loop(ActTick& t) {
  ActInstance* a = t.a;
  a->loop_start = t.r.u16();
  a->loop_end = t.r.u16();
  std::uint16_t count = t.r.u16();
  if (a->loop & act_loop_set) return true;
  a->loop = count;
  if (count == 0xFFFF) a->loop |= act_loop_forever;
  a->loop |= act_loop_set;
  return true;
}

bool set_picture(ActTick& t) {
  op_picture(t.a, t.r.u16());
  return true;
}

// Attachments: indices outside the list are ignored.
bool set_attachments(ActTick& t) {
  ActInstance* a = t.a;
  std::uint16_t n = t.r.u16();
  a->attach_count = n < act_attach_slots ? n : act_attach_slots;
  for (std::uint16_t k = 0; k < n; ++k) {
    std::uint16_t index = t.r.u16(), type = t.r.u16(), stop = t.r.u16();
    if (index >= act_attach_slots) continue;
    a->attach_type[index] = type;
    a->attach_stop[index] = stop;
  }
  return true;
}

bool set_resource(ActTick& t) {
  t.a->resource = t.r.u16();
  t.a->frame = 0;
  return true;
}

bool set_rotation(ActTick& t) {
  for (auto& v : t.a->rotation) v = t.r.u16();
  return true;
}

// With the keep-delay control bit the owner's delay stands.
bool set_delay(ActTick& t) {
  ActInstance* a = t.a;
  std::uint16_t v = t.r.u16();
  if (a->control & act_control_keep_delay) return true;
  a->delay = v == 0xFFFF ? 0 : v;
  a->delay_count = std::int16_t(a->delay);
  return true;
}

bool set_sheet(ActTick& t) {
  for (auto& v : t.a->sheet) v = t.r.u16();
  set_cell_rect(t.a);
  return true;
}

bool set_cell(ActTick& t) {
  t.a->cell = t.r.u16();
  if (t.a->kind & 1) set_cell_rect(t.a);
  return true;
}

bool set_frame_max(ActTick& t) {
  t.a->frame_max = t.r.u16();
  return true;
}

bool set_kind(ActTick& t) {
  t.a->kind = t.r.u8();
  return true;
}

bool set_tx(ActTick& t) {
  t.a->tx_word = t.r.u32();
  for (auto& v : t.a->tx_args) v = t.r.u16();
  return true;
}

bool mirror(ActTick& t) {
  t.a->state |= act_state_mirrored;
  std::swap(t.a->src_rect[0], t.a->src_rect[2]);
  return true;
}

bool set_sound(ActTick& t) {
  t.a->sound = t.r.u16();
  return true;
}

template <int bit>
bool raise_event(ActTick& t) {
  t.a->events |= 1u << bit;
  return true;
}

bool nothing(ActTick&) { return true; }

// ---- The table ----------------------------------------------------------------------------

constexpr int layout_bytes(const char* layout) {
  int n = 0;
  for (const char* c = layout; *c; ++c) {
    if (*c == 'n') return act_operands_counted;
    n += *c == 'f' || *c == 'L' ? 4 : *c == 'w' ? 2 : 1;
  }
  return n;
}

constexpr ActOpcode action(std::uint16_t code, const char* name, const char* operands, bool (*run)(ActTick&)) {
  return {code, name, operands, layout_bytes(operands), false, run};
}
constexpr ActOpcode flow(std::uint16_t code, const char* name, bool (*run)(ActTick&)) {
  return {code, name, "", 0, true, run};
}

constexpr ActOpcode opcode_table[] = {
    action(act_event_bit31, "100", "", raise_event<31>),
    action(act_event_bit30, "101", "", raise_event<30>),
    action(act_event_bit29, "102", "", raise_event<29>),
    action(act_event_bit28, "103", "", raise_event<28>),
    action(act_event_bit24, "104", "", raise_event<24>),
    action(ACT_BX, "BX", "ffffffff", set_box),
    action(ACT_CA, "CA", "LLLp", set_point<&ActInstance::point_a>),
    action(ACT_CD, "CD", "LLLp", set_point<&ActInstance::point_b>),
    action(ACT_CO, "CO", "wwww", set_colour),
    action(ACT_CP, "CP", "fff", set_floats<&ActInstance::hot_spot>),
    action(ACT_DP, "DP", "fff", set_floats<&ActInstance::offset>),
    flow(ACT_ED, "ED", frame_end),
    action(ACT_FX, "FX", "L", set_draw_flags),
    action(ACT_LP, "LP", "www", set_loop),
    flow(ACT_O2, "O2", stop),
    flow(ACT_OV, "OV", over),
    action(ACT_PA, "PA", "w", set_picture),
    action(ACT_RE, "RE", "n", set_attachments),
    action(ACT_RF, "RF", "w", set_resource),
    action(ACT_RT, "RT", "www", set_rotation),
    action(ACT_SC, "SC", "fff", set_floats<&ActInstance::scale>),
    action(ACT_SD, "SD", "w", set_delay),
    action(ACT_SI, "SI", "wwwwww", set_sheet),
    action(ACT_SP, "SP", "w", set_cell),
    action(ACT_TA, "TA", "w", set_frame_max),
    action(ACT_TP, "TP", "b", set_kind),
    action(ACT_TX, "TX", "Lwww", set_tx),
    action(ACT_VX, "VX", "", mirror),
    action(ACT_WV, "WV", "w", set_sound),
};
static_assert(rows_ascending(opcode_table));

constexpr ActOpcode bare_opcode = action(0, "", "", nothing);

// The operand bytes of op at at: RE's length is in its first operand. -1 when the script cuts
// the count.
int operand_bytes(const ActOpcode& op, const ActScript& s, std::size_t at) {
  if (op.operand_bytes != act_operands_counted) return op.operand_bytes;
  ByteReader count(s.data, s.size);
  count.seek(at + 2);
  const int bytes = 2 + 6 * int(count.u16());
  return count.ok() ? bytes : -1;
}

// Runs opcodes from pc until a frame ends. The script's end (or an opcode whose operands it
// cuts) stops the animation as O2 does, so the position never leaves the script; every
// opcode moves the position forward, so a tick ends after at most size / 2 opcodes.
int run_script(ActInstance* a, const ActScript& s, Remembered& rem) {
  for (;;) {
    ByteReader r(s.data, s.size);
    const std::size_t at = a->pc;
    if (!r.seek(at)) return stop_here(a, s.size, rem);
    const std::uint16_t code = r.u16();
    if (!r.ok()) return stop_here(a, at, rem);
    const ActOpcode* row = find_row(opcode_table, code);
    const ActOpcode& op = row ? *row : bare_opcode;
    const int bytes = operand_bytes(op, s, at);
    if (bytes < 0 || r.remaining() < std::size_t(bytes)) return stop_here(a, at, rem);
    if (!op.flow) a->delay_count = std::int16_t(a->delay);
    a->pc = std::uint16_t(at + 2 + std::size_t(bytes));
    ActTick tick{a, r, rem, at};
    if (!op.run(tick)) return 1;
  }
}

}  // namespace

std::span<const ActOpcode> act_opcodes() { return opcode_table; }

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
