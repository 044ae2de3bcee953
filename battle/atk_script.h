#pragma once
// ATK action scripts (ATK.gll): up to 16 scripts run side by side, one per slot, each stepped
// once a battle frame. A script walks and poses units, places effects, drives the camera,
// applies the action's hit and ends the acting unit's turn with its end mark 0xFFFF.
#include <cstdint>
#include <span>
#include <vector>

#include "g3d/g3d_math.h"
#include "script/opcode_row.h"
#include "script/script_cursor.h"

class FightMan;
struct SpecialEffect;

constexpr int atk_slot_count = 16;
constexpr int atk_target_slots = 17;
constexpr std::uint16_t atk_end_mark = 0xFFFF;
constexpr int atk_step_cap = 1000;  // commands of one slot in one step

struct AtkTalkEvent {
  int target_count = 0;
  std::uint16_t atk = 0;  // 0: the slot is free
  int group = 0;
  int waiting = 0;
  std::size_t pc = 0;  // offset of the current command in the pool
  FightMan* actor = nullptr;
  FightMan* targets[atk_target_slots] = {};
  int reported = 0;  // a bad command of this script has been reported
};

// One command being run: its slot, the cursor after the opcode word, the opcode and its place.
struct AtkRun {
  AtkTalkEvent* slot = nullptr;
  ScriptCursor cur;
  std::uint16_t op = 0;
  std::size_t op_pos = 0;
};
using AtkOpRow = OpcodeRow<AtkRun>;

extern AtkTalkEvent atk_slots[atk_slot_count];
extern int atk_active_count;
extern std::uint16_t atk_last_started;
extern std::uint16_t AtkOP;

// The pool: ATK.gll from byte 16 on (the offset table, then the scripts).
extern std::vector<std::uint8_t> gmAtkHead;
// Scripts in the table: the least table offset / 4 (0 without a pool).
std::uint16_t atk_script_count();
// The pool's start of script n; false for 0, a number past the table or an offset outside.
bool atk_script_start(std::uint16_t n, std::size_t* start);

void open_fight_atk_data();
void free_fight_atk_data();
// Installs a pool from a file image (tests and fuzzing): what open_fight_atk_data reads.
void install_atk_data(std::span<const std::uint8_t> file);
// Frees the 16 slots (the end of a battle).
void free_fight_atk_slots();

// Starts script atk for an action: 1 started. An acting unit whose script cannot start has its
// turn ended, so that the battle goes on.
int fight_atk_start(std::uint16_t atk, FightMan* actor, FightMan** targets, int count);
// Starts a camera script without actor or targets.
void fight_atk_start_cam(std::uint16_t atk);
void fight_atk_run();
void fight_atk_step(AtkTalkEvent* slot);

// The interpreter state shared by all slots.
struct AtkShared {
  G3dVector offset{};
  G3dVector model_point{};
  std::int16_t delay = 0, delay_step = 0;
  int at_actor = 0, turn_effect = 0, at_model_point = 0, keep_height = 0;
  int last_emitter = -1;
  std::uint32_t wait_start = 0;
  std::uint16_t wait_ms = 0;
};
extern AtkShared atk_shared;

// Camera follow and shake.
struct FightShake {
  int on = 0;
  std::int16_t amp = 0;
  std::uint8_t phase = 0, frames = 0;
  int hold = 0;
};
extern FightShake fight_shake;
extern FightMan* fight_cam_follow_unit;
extern G3dVector fight_cam_follow_offset;
// The shake's offset of this frame (one frame of the shake advanced).
float fight_shake_offset();

// The opcode table, sorted by number; handlers in atk_*_ops.cpp by group.
std::span<const AtkOpRow> atk_opcodes();
// Reports a bad command of a script once (" atk 指令錯誤").
void atk_report(AtkRun& run);
// Reports a bad command of a script once and ends the script as its end mark would.
SliceResult atk_bad_command(AtkRun& run);
// Ends the slot's script (the end mark).
void atk_end_script(AtkTalkEvent* slot);
// The acting unit (ActMan) or the main target; null (and a report once) when there is none.
FightMan* atk_acting_unit(AtkRun& run);
FightMan* atk_main_target(AtkRun& run);
// The slot's actor; null (reported once) when the slot has none.
FightMan* atk_actor(AtkRun& run);
