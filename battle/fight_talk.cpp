// Fight-talk scripts: the pool, starting a script and stepping it.
#include "battle/fight_talk.h"

#include <algorithm>

#include "battle/fight_globals.h"
#include "battle/fight_talk_ops.h"
#include "core/log.h"
#include "core/paths.h"
#include "platform/files.h"

std::vector<std::uint8_t> gmfTalkHead;
std::size_t fight_talk_pc = 0;
std::uint16_t fight_talk_current = 0;
int fight_talk_running = 0;
int fight_talk_waiting = 0;
int fight_talk_timing = 0;
std::uint32_t fight_talk_wait_start = 0, fight_talk_wait_ms = 0;
BattlefieldRecord fight_talk_field;
std::uint16_t fight_talk_cam_atk = 0;
std::uint16_t fight_music_id = 0;
std::uint32_t fight_talk_colour = 0;
std::uint16_t fight_talk_speed = 0;

namespace {
constexpr std::size_t header_size = 16;
// "open_fight_talk_data(..)錯誤  無法開啟 figtalk.DAT"
constexpr char open_failed[] =
    "open_fight_talk_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2 figtalk.DAT";
// "fight Talk號碼為0!!"
constexpr char number_zero[] = "fight Talk\xB8\xB9\xBD""X\xAC\xB0""0!!";
// "%d號FightTalk指令(%d)錯誤!!"
constexpr char bad_command[] = "%d\xB8\xB9""FightTalk\xAB\xFC\xA5O(%d)\xBF\xF9\xBB~!!";
constexpr char no_script[] = "fight talk: no script %d in FigTalk.GLL";

ByteReader pool() { return ByteReader(gmfTalkHead.data(), gmfTalkHead.size()); }

ScriptCursor cursor_at(std::size_t pos) {
  return ScriptCursor(gmfTalkHead.data(), gmfTalkHead.size(), 4u * fight_talk_script_count(), pos);
}

bool script_start(std::uint16_t n, std::size_t* start) {
  if (n == 0 || n > fight_talk_script_count()) return false;
  const std::uint32_t at = pool().u32_at(4 * std::size_t(n - 1));
  if (!cursor_at(0).can_start(at)) return false;
  *start = at;
  return true;
}
}  // namespace

void fight_talk_halt(std::uint16_t op) {
  report_error(bad_command, int(fight_talk_current), int(op));
  fight_talk_stop();
}

void fight_talk_stop() {
  fight_talk_running = 0;
  fight_flags |= fight_victory_allowed;
}

std::uint16_t fight_talk_script_count() { return script_table_count(pool()); }

void install_fight_talk_data(std::span<const std::uint8_t> file) {
  gmfTalkHead.assign(file.size() > header_size ? file.begin() + header_size : file.end(), file.end());
}

void open_fight_talk_data() {
  std::string path = game_dir;
  append_path(path, "FigTalk.GLL");
  std::vector<std::uint8_t> file;
  // A file of 16 bytes or less holds no table: it counts as missing.
  if (!platform::read_whole_file(path, file) || file.size() <= header_size) {
    report_error("%s", open_failed);
    gmfTalkHead.clear();
    return;
  }
  install_fight_talk_data(file);
}

void free_fight_talk_data() {
  gmfTalkHead.clear();
  gmfTalkHead.shrink_to_fit();
  fight_talk_reset();
}

void fight_talk_reset() {
  fight_talk_pc = 0;
  fight_talk_current = 0;
  fight_talk_running = 0;
  fight_talk_waiting = 0;
  fight_talk_timing = 0;
  fight_talk_wait_start = fight_talk_wait_ms = 0;
  fight_talk_cam_atk = 0;
  fight_music_id = 0;
}

void fight_talk_start(std::uint16_t n) {
  if (n == 0) {
    report_error("%s", number_zero);
    fight_talk_stop();
    return;
  }
  std::size_t start = 0;
  fight_talk_current = n;
  fight_talk_waiting = 0;
  fight_talk_timing = 0;
  if (!script_start(n, &start)) {
    report_error(no_script, int(n));
    fight_talk_stop();
    return;
  }
  fight_talk_pc = start;
  fight_talk_running = 1;
}

void fight_talk_jump(int delta) {
  ScriptCursor cur = cursor_at(fight_talk_pc);
  if (cur.jump(fight_talk_pc, delta)) fight_talk_pc = cur.pos();
  else fight_talk_halt(0);
}

void fight_talk_step() {
  const std::span<const FightTalkOpRow> table = fight_talk_opcodes();
  for (int n = 0; fight_talk_running; ++n) {
    FightTalkRun run;
    run.cur = cursor_at(fight_talk_pc);
    run.op_pos = fight_talk_pc;
    run.op = run.cur.u16();
    const FightTalkOpRow* row = find_opcode(table, run.op);
    // A runaway script, an opcode of no command or a command cut short stops the script; the
    // battle can still be won.
    if (!run.cur.ok() || !row || n >= fight_talk_step_cap) {
      fight_talk_halt(run.op);
      break;
    }
    const SliceResult r = row->run(run);
    if (!run.cur.ok()) {
      fight_talk_halt(run.op);
      break;
    }
    // The command moved the script itself (a chained battle's new script): it goes on there.
    if (r == SliceResult::EventGone) continue;
    if (r == SliceResult::Wait) break;
    fight_talk_pc = run.cur.pos();
    if (r == SliceResult::EndSlice) break;
  }
}
