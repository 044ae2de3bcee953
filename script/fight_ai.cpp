#include "script/fight_ai.h"

#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "core/log.h"
#include "core/random_r250.h"
#include "script/ai_file.h"
#include "script/script_messages.h"

std::uint16_t ai_side = 0;
std::uint16_t ai_criterion = 0;
std::uint16_t ai_act = 0;
std::uint16_t ai_companion = 0;
std::uint16_t ai_hp_percent = 0;
std::uint16_t ai_talisman_element = 0;
std::uint16_t ai_talisman_count = 0;
std::uint16_t ai_turn_divisor = 0;
std::int16_t ai_range_first = 0;
std::int16_t ai_range_end = 0;
std::uint8_t ai_last_pick = 0;
std::uint8_t ai_pick_repeats = 0;

namespace {
using T = OperandTail;

// %d號AI指令錯誤:[%d] 上個指令是[%d]
constexpr const char* unknown_message = "%d\xB8\xB9""AI\xAB\xFC\xA5O\xBF\xF9\xBB~:[%d] \xA4W\xAD\xD3\xAB\xFC\xA5O\xACO[%d]";
//  %d號AI指令錯誤:(已到FIGHT_END)
constexpr const char* fight_end_message = " %d\xB8\xB9""AI\xAB\xFC\xA5O\xBF\xF9\xBB~:(\xA4w\xA8\xEC""FIGHT_END)";

void clear_decision() {
  ai_side = ai_criterion = ai_act = ai_hp_percent = 0;
  ai_talisman_element = ai_talisman_count = ai_turn_divisor = 0;
}

void reset_script(AiRun& run) { *run.ai_start = *run.ai_offset = 0; }

void unknown(AiRun& run) {
  report_error(unknown_message, run.number, run.op, run.previous_op);
  reset_script(run);
}

SliceResult random_jump(AiRun& run) {
  if (!ai_random_jump(run)) return SliceResult::EndSlice;
  return SliceResult::GoOn;
}

SliceResult clear_five(AiRun&) {
  ai_side = ai_criterion = ai_act = ai_hp_percent = ai_turn_divisor = 0;
  return SliceResult::GoOn;
}

SliceResult fight_end_mark(AiRun& run) {
  report_error(fight_end_message, run.number);
  return SliceResult::GoOn;
}

SliceResult set_act(AiRun& run) {
  run.unit->SetAct(run.cur.u16());
  return SliceResult::GoOn;
}

SliceResult set_side(AiRun& run) {
  ai_side = run.cur.u16();
  return SliceResult::GoOn;
}

SliceResult set_criterion(AiRun& run) {
  ai_criterion = run.cur.u16();
  return SliceResult::GoOn;
}

// The act of 403 and 413: taken, the turn's run ends and the script starts over next turn.
SliceResult act(AiRun& run) {
  if (do_ai_action(run.unit)) {
    reset_script(run);
    return SliceResult::EventGone;
  }
  clear_decision();
  return SliceResult::GoOn;
}

SliceResult act_403(AiRun& run) {
  ai_act = run.cur.u16();
  return run.cur.ok() ? act(run) : SliceResult::GoOn;
}

SliceResult call_413(AiRun& run) {
  ai_companion = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  ai_act = 20;
  ai_range_end = 1;
  return act(run);
}

SliceResult hp_410(AiRun& run) {
  ai_criterion = 410;
  ai_hp_percent = run.cur.u16();
  return SliceResult::GoOn;
}

SliceResult talisman(AiRun& run) {
  ai_criterion = run.op;
  ai_talisman_element = run.cur.u16();
  ai_talisman_count = run.cur.u16();
  return SliceResult::GoOn;
}

SliceResult plain_criterion(AiRun& run) {
  ai_criterion = run.op;
  return SliceResult::GoOn;
}

SliceResult turns_418(AiRun& run) {
  ai_criterion = 418;
  ai_turn_divisor = run.cur.u16();
  return SliceResult::GoOn;
}

// Opcode 500: pair k covers the draws from the weights before it to the sum including it.
SliceResult weighted_jump(AiRun& run) {
  std::size_t pairs = run.cur.table_count() / 2;
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (pairs == 0) {
    // A table of one lone entry is as empty; step past its entries and the end.
    std::size_t entries = run.cur.table_count();
    run.cur.skip(4 * entries);
    ai_empty_table(run);
    return SliceResult::EndSlice;
  }
  const std::int64_t r = rand_below(100);
  const std::size_t table = run.cur.pos();
  std::size_t k = 0;
  std::int64_t sum = 0;
  for (; k < pairs; ++k) {
    std::int64_t low = k == 0 ? 0 : sum + 1;
    sum += run.cur.i32_at(table + 8 * k);
    if (r >= low && r <= sum) break;
  }
  if (k == pairs) k = pairs - 1;  // weights that leave the draw uncovered: the last pair
  std::size_t at = table + 8 * k + 4;
  run.cur.jump(at, run.cur.i32_at(at));
  return SliceResult::GoOn;
}

SliceResult chance_jump(AiRun& run) {
  const unsigned chance = run.cur.u16();
  const std::size_t at = run.cur.pos();
  const std::int32_t d = run.cur.i32();
  if (!run.cur.ok()) return SliceResult::GoOn;
  const unsigned r = rand_below(100);
  if (ai_side || ai_criterion || ai_act || ai_hp_percent) {
    int t = select_ai_target(run.unit);
    clear_decision();
    if (t != -1 && r <= chance) run.cur.jump(at, d);
  } else if (r <= chance) {
    run.cur.jump(at, d);
  } else {
    clear_decision();
  }
  return SliceResult::GoOn;
}

SliceResult enemies_jump(AiRun& run) {
  const int n = run.cur.u16();
  const std::size_t at = run.cur.pos();
  const std::int32_t d = run.cur.i32();
  if (fight_enemy_count - fight_enemies_out >= n) run.cur.jump(at, d);
  return SliceResult::GoOn;
}

constexpr AiOpRow table[] = {
    {0, "nothing", 2, T::none, ai_nothing},
    {1, "jump", 6, T::jump, ai_jump},
    {11, "jump_if_set", 8, T::jump, ai_jump_if_set},
    {12, "jump_if_clear", 8, T::jump, ai_jump_if_clear},
    {13, "set_flag", 4, T::none, ai_set_flag},
    {14, "clear_flag", 4, T::none, ai_clear_flag},
    {17, "message_box", 22, T::text, ai_message_box},
    {21, "set_act", 4, T::none, set_act},
    {50, "random_jump", 2, T::table, random_jump},
    {99, "restart", 2, T::none, ai_restart},
    {101, "clear_decision", 2, T::none, clear_five},
    {102, "fight_end_mark", 2, T::none, fight_end_mark},
    {400, "side", 4, T::none, set_side},
    {401, "criterion", 4, T::none, set_criterion},
    {403, "act", 4, T::none, act_403},
    {410, "hp_below", 4, T::none, hp_410},
    {412, "last_standing", 2, T::none, plain_criterion},
    {413, "call_companion", 4, T::none, call_413},
    {414, "talisman_full", 6, T::none, talisman},
    {415, "guests_present", 2, T::none, plain_criterion},
    {416, "talisman_short", 6, T::none, talisman},
    {417, "is_guest", 2, T::none, plain_criterion},
    {418, "turn_multiple", 4, T::none, turns_418},
    {500, "weighted_jump", 2, T::table, weighted_jump},
    {501, "chance_jump", 8, T::jump, chance_jump},
    {502, "enemies_jump", 8, T::jump, enemies_jump},
    {0x4000, "mark", 2, T::none, ai_nothing},
    {0x8000, "park", 2, T::none, ai_park},
    {0xFFFF, "end", 2, T::none, ai_end},
};
}  // namespace

std::span<const AiOpRow> fight_ai_opcodes() { return table; }

void reset_fight_ai() {
  clear_decision();
  ai_companion = 0;
}

void run_fight_ai(FightMan* unit) {
  AiRun run;
  run.unit = unit;
  run_ai_script(run, unit->ai_number, unit->ai_start, unit->ai_pc, table, reset_script, unknown,
                [](std::uint16_t number) {
                  if (number != 0) report_error(ai_no_script_message, number);
                });
}
