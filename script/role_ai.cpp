#include "script/role_ai.h"

#include <cstring>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "data/map_role.h"
#include "script/ai_file.h"
#include "script/script_messages.h"

namespace {
using T = OperandTail;

constexpr AiOpRow table[] = {
    {0, "nothing", 2, T::none, ai_nothing},
    {1, "jump", 6, T::jump, ai_jump},
    {11, "jump_if_set", 8, T::jump, ai_jump_if_set},
    {12, "jump_if_clear", 8, T::jump, ai_jump_if_clear},
    {13, "set_flag", 4, T::none, ai_set_flag},
    {14, "clear_flag", 4, T::none, ai_clear_flag},
    {16, "timed_wait", 4, T::none, ai_timed_wait},
    {17, "message_box", 22, T::text, ai_message_box},
    {18, "box_colour", 10, T::none, ai_box_colour},
    {19, "box_frame", 6, T::none, ai_box_frame},
    {20, "wait_box", 2, T::none, ai_wait_box},
    {21, "set_act", 4, T::none, ai_set_act},
    {22, "set_qq", 4, T::none, ai_set_qq},
    {23, "keep_delay", 4, T::none, ai_keep_delay},
    {24, "free_delay", 2, T::none, ai_free_delay},
    {25, "set_dir", 4, T::none, ai_set_dir},
    {26, "set_speed", 4, T::none, ai_set_speed},
    {27, "run_speed", 2, T::none, ai_run_speed},
    {28, "place", 8, T::none, ai_place},
    {29, "walk_to", 8, T::none, ai_walk_to},
    {30, "wait_path", 2, T::none, ai_wait_path},
    {31, "hold_role", 4, T::none, ai_hold_role},
    {32, "release_role", 4, T::none, ai_release_role},
    {33, "leave_map", 2, T::none, ai_leave_map},
    {34, "return_map", 2, T::none, ai_return_map},
    {35, "set_bit_3", 2, T::none, ai_set_bit_3},
    {36, "clear_bit_3", 2, T::none, ai_clear_bit_3},
    {37, "walk_frames", 10, T::none, ai_walk_frames},
    {38, "walk_pose", 14, T::none, ai_walk_pose},
    {39, "wait_anim", 6, T::none, ai_wait_anim},
    {50, "random_jump", 2, T::table, ai_field_random},
    {99, "restart", 2, T::none, ai_restart},
    {0x4000, "mark", 2, T::none, ai_nothing},
    {0x8000, "park", 2, T::none, ai_park},
    {0xFFFF, "end", 2, T::none, ai_end},
};

//  AI指令錯誤(%d)  RoleID[%d] , AI[%d]
constexpr const char* unknown_message = " AI\xAB\xFC\xA5O\xBF\xF9\xBB~(%d)  RoleID[%d] , AI[%d]";
constexpr std::uint32_t state_no_ai = state_off_map | state_leader_kind | 0x40000 | state_on_path | state_bit_30 |
                                      state_held;

// Scripts and places already reported for an unknown opcode: each is reported once.
struct Reported {
  std::uint16_t number;
  std::uint32_t offset;
};
Reported reported[64];
int reported_count = 0;

bool first_report(std::uint16_t number, std::uint32_t offset) {
  for (int i = 0; i < reported_count; ++i)
    if (reported[i].number == number && reported[i].offset == offset) return false;
  reported[reported_count % 64] = {number, offset};
  if (reported_count < 64) ++reported_count;
  return true;
}

void park(AiRun& run) { *run.ai_start = *run.ai_offset = static_cast<std::uint32_t>(run.op_pos); }

void unknown(AiRun& run) {
  *run.ai_offset = static_cast<std::uint32_t>(run.op_pos);
  if (first_report(run.number, *run.ai_offset)) report_error(unknown_message, run.op, run.role->RoleID, run.role->AI);
}
}  // namespace

std::span<const AiOpRow> role_ai_opcodes() { return table; }

bool role_runs_ai(const MapRole& role) {
  return role.RoleID <= 0xFF00 && !(role.STATE & state_no_ai) && role.AI != 0;
}

void run_role_ai(MapRole* role) {
  AiRun run;
  run.role = role;
  // No script to run: AI 0, a number past the table, or no AI.gll.
  run_ai_script(run, role->AI, role->ai_start, role->ai_offset, table, park, unknown, [](std::uint16_t number) {
    if (number != 0 && first_report(number, 0)) report_error(ai_no_script_message, number);
  });
}
