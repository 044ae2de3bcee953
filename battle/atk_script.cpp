// ATK action scripts: the pool, the 16 slots, starting and stepping scripts.
#include "battle/atk_script.h"

#include <cstring>

#include "battle/fight.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_numbers.h"
#include "core/log.h"
#include "core/paths.h"
#include "platform/files.h"

AtkTalkEvent atk_slots[atk_slot_count];
int atk_active_count = 0;
std::uint16_t atk_last_started = 0;
std::uint16_t AtkOP = 0;
std::vector<std::uint8_t> gmAtkHead;
AtkShared atk_shared;
FightShake fight_shake;
FightMan* fight_cam_follow_unit = nullptr;
G3dVector fight_cam_follow_offset{};

namespace {
constexpr std::size_t header_size = 16;
constexpr char open_failed[] = "open_fight_atk_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2 ATK.gll";
constexpr char number_zero[] = "Atk\xB8\xB9\xBD""X0!!";
constexpr char too_many[] = "Atk Talk\xA8\xC6\xA5\xF3 \xA4x\xB6W\xB9L %d\xAD\xD3";
constexpr char bad_command[] = " atk \xAB\xFC\xA5O\xBF\xF9\xBB~: %d , ATK%d";
constexpr char no_unit[] = "atk: ATK%d command %d has no unit to act on";

ByteReader pool() { return ByteReader(gmAtkHead.data(), gmAtkHead.size()); }

AtkTalkEvent* free_slot() {
  for (AtkTalkEvent& s : atk_slots)
    if (s.atk == 0) return &s;
  return nullptr;
}

void report_once(AtkRun& run, const char* format) {
  if (run.slot->reported) return;
  run.slot->reported = 1;
  report_error(format, int(run.slot->atk), int(run.op));
}
}  // namespace

std::uint16_t atk_script_count() { return script_table_count(pool()); }

bool atk_script_start(std::uint16_t n, std::size_t* start) {
  if (n == 0 || n > atk_script_count()) return false;
  const std::uint32_t at = pool().u32_at(4 * std::size_t(n - 1));
  if (at < 4u * atk_script_count() || std::size_t(at) + 2 > gmAtkHead.size()) return false;
  *start = at;
  return true;
}

void install_atk_data(std::span<const std::uint8_t> file) {
  gmAtkHead.assign(file.size() > header_size ? file.begin() + header_size : file.end(), file.end());
}

void open_fight_atk_data() {
  std::string path = game_dir;
  append_path(path, "ATK.gll");
  std::vector<std::uint8_t> file;
  // A file of 16 bytes or less has no table: it counts as missing.
  if (!platform::read_whole_file(path, file) || file.size() <= header_size) {
    report_error("%s", open_failed);
    gmAtkHead.clear();
    return;
  }
  install_atk_data(file);
}

void free_fight_atk_slots() {
  for (AtkTalkEvent& s : atk_slots) s = AtkTalkEvent{};
  atk_active_count = 0;
  atk_shared = AtkShared{};
  fight_shake = FightShake{};
  fight_cam_follow_unit = nullptr;
}

void free_fight_atk_data() {
  gmAtkHead.clear();
  free_fight_atk_slots();
}

int fight_atk_start(std::uint16_t atk, FightMan* actor, FightMan** targets, int count) {
  std::size_t start = 0;
  AtkTalkEvent* slot = nullptr;
  if (atk == 0) report_error("%s", number_zero);
  else if (atk_active_count >= atk_slot_count) report_error(too_many, atk_slot_count);
  else if (!atk_script_start(atk, &start)) report_error(bad_command, 0, int(atk));
  else slot = free_slot();
  fight_shake.hold = 0;
  if (slot) {
    *slot = AtkTalkEvent{};
    atk_last_started = atk;
    slot->atk = atk;
    slot->actor = actor;
    slot->target_count = std::clamp(count, 0, atk_target_slots);
    for (int j = 0; j < slot->target_count && targets; ++j) slot->targets[j] = targets[j];
    slot->pc = start;
    ++atk_active_count;
  } else if (actor && ActMan >= 0 && actor == &gmFightMan[ActMan]) {
    // Nothing would ever end this turn: it ends now.
    actor->EndTurn();
  }
  fight_atk_run();
  return slot != nullptr;
}

void fight_atk_start_cam(std::uint16_t atk) {
  std::size_t start = 0;
  if (atk == 0) return;
  if (atk_active_count >= atk_slot_count) {
    report_error(too_many, atk_slot_count);
    return;
  }
  if (!atk_script_start(atk, &start)) {
    report_error(bad_command, 0, int(atk));
    return;
  }
  AtkTalkEvent* slot = free_slot();
  if (!slot) return;
  slot->atk = atk;
  slot->pc = start;
  slot->reported = 0;
  ++atk_active_count;
  fight_atk_run();
}

void fight_atk_run() {
  for (AtkTalkEvent& s : atk_slots)
    if (s.atk) fight_atk_step(&s);
}

void atk_end_script(AtkTalkEvent* slot) {
  atk_shared.offset = G3dVector{};
  slot->atk = 0;
  slot->waiting = 0;
  if (atk_active_count > 0) --atk_active_count;
  if (slot->actor) fight_request_hp_pass(1);
  if (ActMan != -1 && slot->actor) slot->actor->EndTurn();
  fight_last_hit_missed = 0;
}

void atk_report(AtkRun& run) {
  if (!run.slot->reported) report_error(bad_command, int(run.op), int(run.slot->atk));
  run.slot->reported = 1;
}

SliceResult atk_bad_command(AtkRun& run) {
  atk_report(run);
  atk_end_script(run.slot);
  return SliceResult::EventGone;
}

namespace {
FightMan* unit_or_report(AtkRun& run, int index) {
  if (index >= 0 && index < fight_unit_slots) return &gmFightMan[index];
  report_once(run, no_unit);
  return nullptr;
}
}  // namespace

FightMan* atk_acting_unit(AtkRun& run) { return unit_or_report(run, ActMan); }
FightMan* atk_main_target(AtkRun& run) { return unit_or_report(run, fight_main_target); }
FightMan* atk_actor(AtkRun& run) {
  if (run.slot->actor) return run.slot->actor;
  report_once(run, no_unit);
  return nullptr;
}

void fight_atk_step(AtkTalkEvent* slot) {
  const std::span<const AtkOpRow> table = atk_opcodes();
  for (int n = 0; slot->atk; ++n) {
    AtkRun run;
    run.slot = slot;
    run.cur = ScriptCursor(gmAtkHead.data(), gmAtkHead.size(), 4u * atk_script_count(), slot->pc);
    run.op_pos = slot->pc;
    run.op = run.cur.u16();
    AtkOP = run.op;
    if (!run.cur.ok() || n >= atk_step_cap) {
      atk_bad_command(run);
      break;
    }
    if (run.op == atk_end_mark) {
      atk_end_script(slot);
      break;
    }
    const AtkOpRow* row = find_opcode(table, run.op);
    const SliceResult r = row ? row->run(run) : atk_bad_command(run);
    if (r == SliceResult::EventGone) break;
    if (!run.cur.ok()) {
      atk_bad_command(run);
      break;
    }
    if (r == SliceResult::Wait) break;
    slot->pc = run.cur.pos();
    if (r == SliceResult::EndSlice) break;
  }
  if (fight_cam_follow == 1 && fight_cam_follow_unit) {
    const G3dVector p = fight_cam_follow_unit->pos;
    fight_cam_setup.point[0] = p.x + fight_cam_follow_offset.x;
    fight_cam_setup.point[1] = p.y + fight_cam_follow_offset.y;
    fight_cam_setup.point[2] = p.z + fight_cam_follow_offset.z;
  }
}

float fight_shake_offset() {
  FightShake& s = fight_shake;
  if (!s.on) return 0;
  const float offset = s.phase == 0 ? float(s.amp) : -float(s.amp);
  if (++s.frames >= 3) {
    s.frames = 0;
    if (s.phase == 0) {
      s.phase = 1;
    } else {
      s.phase = 0;
      if (!s.hold && s.amp > 0) --s.amp;
    }
  }
  return offset;
}
