// The talk interpreter's frame: sizes and slice results of every opcode number, starting,
// the end opcode, the base-building path and the errors that drop an event.
#include "script/talk_interpreter.h"

#include "base/houses.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/key_mapping.h"
#include "field/act_camera.h"
#include "field/scene_anim.h"
#include "script/talk_ops.h"
#include "tests/script/script_test.h"

namespace {
using namespace script_test;
using fixtures::Bytes;

// Size and result of each opcode with zero operands (texts "%Q", lists empty): G goes on, E
// ends the slice. Opcodes that jump, wait or end are tested on their own.
constexpr const char* sizes_from_the_parts =
    "0:2G 2:8G 4:10E 5:10E 6:4G 7:4G 8:6G 10:24E 11:10G 12:6G 13:4E 14:4G 15:4G 16:4G 18:4E "
    "20:6E 21:6E 22:6E 23:4E 24:8E 25:4E 26:2E 27:16E 28:18E 29:16E 30:18E 31:8E 32:4E 33:4G 34:4G "
    "35:4G 36:4G 37:4G 38:4G 39:4G 40:4G 41:4G 42:4G 43:6G 44:6G 45:6G 46:6G 47:6G 48:8E 49:8E 50:20G "
    "51:10G 52:8G 53:14G 54:4E 55:12E 58:4E 59:4G 60:2G 61:2E 62:4G 63:4G 64:4G 65:4G 66:2G 67:2G "
    "71:8E 72:8G 73:4G 74:4G 75:4G 76:4G 77:4G 78:4G 79:6E 81:4E 82:2G "
    "83:6G 84:4G 85:2E 86:8E 87:6E 88:4E 90:4E 91:20E 92:16E 93:8E 95:6E 96:6E 98:4E 99:2E "
    "100:8G 101:2G 102:2E 103:4G 104:2G 105:4G 106:4G 110:14E 111:4E 113:10E 114:12E "
    "116:4E 117:4E 118:8E 119:4E 120:8E 121:2G 122:2G 130:6E 131:10E 132:6E 133:6E 134:4E 135:4E "
    "136:2E 137:22E 138:10E 139:16E 140:2E 141:6E 142:10E 143:8E 144:12E 145:12E 146:4E 147:4E "
    "148:2E 149:4E 151:6E 153:14E 154:6E 155:4E 156:4E 157:10E 159:4E 160:4E 161:18E "
    "162:2E 163:2E 165:8E 166:2E 167:2E 168:8E 169:2E 170:4E 171:6E 172:6E 173:4E 199:4E "
    "200:2E 201:2G 203:2E 204:2E 251:6E 252:6E 253:6E 254:6E "
    "255:6E 256:6E 257:6E 260:6E 261:4E 262:2E 263:2E 270:6G 275:6G 280:10G 281:8G 290:6E 291:4E "
    "292:4E 293:10E 300:8G 301:8G 302:8G 303:12E 304:12E 305:12E 310:8E 350:4G 351:6G 352:6G 353:6G "
    "8356:2E 8394:4E 8402:2E 8403:2E 8404:2E 16384:2G";

struct SizeCase {
  int op, size;
  bool goes_on;
};

std::vector<SizeCase> size_cases() {
  std::vector<SizeCase> cases;
  std::istringstream in(sizes_from_the_parts);
  for (std::string w; in >> w;) {
    std::size_t colon = w.find(':');
    cases.push_back({std::stoi(w.substr(0, colon)), std::stoi(w.substr(colon + 1)), w.back() == 'G'});
  }
  return cases;
}

// The opcode with zero operands, then a timed wait that arms only when the slice goes on.
Bytes probe(const SizeCase& c) {
  Bytes b{static_cast<std::uint8_t>(c.op), static_cast<std::uint8_t>(c.op >> 8)};
  const bool text = c.op == 10 || c.op == 90 || c.op == 103 || c.op == 116;
  const bool list = c.op == 4 || c.op == 5 || c.op == 202 || c.op == 8394;
  const int zeros = c.size - 2 - (text || list ? 2 : 0) - (c.op == 4 || c.op == 5 ? 4 : 0);
  b.insert(b.end(), static_cast<std::size_t>(zeros), 0);
  if (text) b.insert(b.end(), {'%', 'Q'});
  if (list) b.insert(b.end(), {0xFF, 0xFF});
  if (c.op == 4 || c.op == 5) b.insert(b.end(), 4, 0);
  return fixtures::ScriptBuilder().raw(b).op(9).u16(50).op(0xFFFF).bytes();
}

constexpr int title_opcode = 200;

class TalkFrame : public ScriptTest {};

TEST_F(TalkFrame, EveryOpcodeHasItsSizeAndSliceResult) {
  add_role(0xFF01);
  mouse_x = mouse_y = 1;  // opcode 351's pointer glide is over at once: (0, 0) is kept to (1, 1)
  free_all_houses();      // no dwelling has room, so 290 advances and ends the slice
  for (const SizeCase& c : size_cases()) {
    SCOPED_TRACE("opcode " + std::to_string(c.op));
    load_talks({{20, probe(c)}});
    // The title's opcode resets the game, queue and all, unless the title is already current.
    GameMode = c.op == title_opcode ? mode_title : mode_field;
    MapRole& ev = queue(20);
    run_talk(&ev);
    ASSERT_NE(ev.RoleID, 0) << "the event is still queued";
    EXPECT_EQ(ev.talk_offset - ev.talk_start, static_cast<unsigned>(c.size));
    EXPECT_EQ(ev.talk_wait_word != 0, c.goes_on) << "the wait after it ran in the same slice";
    clear_talks_proc();
    // Scene animations and the animated camera that earlier cases started would hold 95 and 261.
    del_all_ani();
    act_camera_running = 0;
  }
  EXPECT_TRUE(opcode_table_sorted(talk_opcodes()));
}

TEST_F(TalkFrame, NumbersWithoutAnOperationDropTheEventWithOneReport) {
  add_role(0xFF01);
  for (int op : {19, 56, 57, 94, 271, 311, 349, 354, 0x2005, 0x4001}) {
    SCOPED_TRACE(op);
    reset_debug_log(nullptr);
    load_talks({{30, fixtures::ScriptBuilder().op(6).u16(700).op(static_cast<std::uint16_t>(op)).op(6).u16(701).bytes()}});
    queue(30);
    run_talk_queue();
    EXPECT_EQ(find_talks_proc(0xFF01), 0) << "dropped";
    EXPECT_TRUE(test_flag(700));
    EXPECT_FALSE(test_flag(701));
    EXPECT_EQ(gmMapRole[0].STATE & (state_in_talk | state_held), 0u);
    EXPECT_EQ(messages(), std::vector<std::string>{"Talk[30] \xAB\xFC\xA5O\xBF\xF9\xBB~: \xA4\xA3\xA6X\xAAk\xA4\xA7\xAB\xFC\xA5O(" +
                                                    std::to_string(op) + ")"});
    clear_flag(700);
  }
}

TEST_F(TalkFrame, AMissingSpeakerIsReportedAndTheScriptRunsFromTheNextCall) {
  load_talk(5, "set_flag 600; end");
  MapRole& ev = queue(5, 1234);
  run_talk(&ev);
  EXPECT_FALSE(test_flag(600));
  EXPECT_NE(ev.talk_start, 0u);
  ASSERT_EQ(messages().size(), 1u);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600));
  EXPECT_EQ(ev.RoleID, 0) << "ended";
}

TEST_F(TalkFrame, NoEventMovesWhileTheFreezeFlagIsSet) {
  add_role(0xFF01);
  load_talk(5, "set_flag 600; end");
  MapRole& ev = queue(5);
  set_flag(flag_talk_frozen);
  run_talk(&ev);
  EXPECT_EQ(ev.talk_start, 0u);
  clear_flag(flag_talk_frozen);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600));
}

TEST_F(TalkFrame, TheEndClearsTheMarksTheFlagsAndTheSlot) {
  const int speaker = add_role(1001, state_turns_back);
  player_role_index = add_role(0xFF02);
  gmMapRole[speaker].anim.qq = 7;
  load_talk(5, "end");
  MapRole& ev = queue(5, 1001);
  set_flag(flag_input_captured);
  set_flag(flag_cursor_hidden);
  run_talk(&ev);  // the start marks the speaker and holds the player
  EXPECT_EQ(ev.RoleID, 0);
  EXPECT_EQ(gmMapRole[speaker].STATE & (state_in_talk | state_held), 0u);
  EXPECT_EQ(gmMapRole[player_role_index].STATE & (state_held | state_bit_5 | state_rising), 0u);
  EXPECT_EQ(gmMapRole[speaker].anim.qq, 0) << "a role that turned back loses the talk's QQ";
  EXPECT_FALSE(test_flag(flag_wall_test_off));
  EXPECT_FALSE(test_flag(flag_input_captured));
  EXPECT_FALSE(test_flag(flag_cursor_hidden));
  EXPECT_EQ(talk_queue_used, 0);
}

TEST_F(TalkFrame, AStartedTalkHoldsTheSpeakerAndThePlayer) {
  const int speaker = add_role(1001);
  player_role_index = add_role(0xFF02);
  load_talk(5, "timed_wait 100; end");
  MapRole& ev = queue(5, 1001);
  run_talk(&ev);
  EXPECT_EQ(gmMapRole[speaker].STATE & (state_in_talk | state_held), state_in_talk | state_held);
  EXPECT_TRUE(gmMapRole[player_role_index].STATE & state_held);
}

TEST_F(TalkFrame, ScriptsThatCannotStartAreReportedAndDropped) {
  add_role(0xFF01);
  // Talk 7 has no entry (offset 0 would run the table), talk 1200's file is missing.
  load_talk(5, "end");
  for (std::uint16_t n : {7, 1200, 8001}) {
    SCOPED_TRACE(n);
    reset_debug_log(nullptr);
    MapRole& ev = queue(n);
    run_talk(&ev);
    EXPECT_EQ(find_talks_proc(0xFF01), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"Talk[" + std::to_string(n) +
                                                    "] \xA7\xE4\xA4\xA3\xA8\xEC\xB9\xEF\xB8\xDC\xBC@\xA5\xBB"});
  }
}

TEST_F(TalkFrame, AnEndlessLoopThatGoesOnIsStoppedAtTheCap) {
  add_role(0xFF01);
  load_talk(5, "top: set_flag 600; jump @top");
  queue(5);
  run_talk_queue();
  EXPECT_EQ(find_talks_proc(0xFF01), 0);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_NE(messages()[0].find("10000"), std::string::npos);
}

TEST_F(TalkFrame, AJumpOutOfTheScriptDropsTheEvent) {
  add_role(0xFF01);
  for (const char* source : {"jump -2000L", "jump 100000L", "jump 0x7FFFFFFFL", "set_flag"}) {
    SCOPED_TRACE(source);
    reset_debug_log(nullptr);
    load_talk(5, source);
    queue(5);
    run_talk_queue();
    EXPECT_EQ(find_talks_proc(0xFF01), 0);
    EXPECT_EQ(messages().size(), 1u);
  }
}

TEST_F(TalkFrame, AnEventReplacedDuringItsRunIsNotWrittenTo) {
  add_role(0xFF01);
  load_talks({{5, fixtures::assemble_talk("set_flag 600; timed_wait 10; end")},
              {7, fixtures::assemble_talk("set_flag 601; end")}});
  MapRole& ev = queue(5);
  run_talk(&ev);
  const unsigned generation = talk_queue_generation[0];
  queue(7);  // replaces the waiting event
  EXPECT_NE(talk_queue_generation[0], generation);
  EXPECT_EQ(ev.TALK, 7);
  EXPECT_EQ(ev.talk_start, 0u) << "the replacement starts afresh";
  run_talk(&ev);
  EXPECT_TRUE(test_flag(601));
}

// The title's opcode empties the queue and still ends the slice: the interpreter sees the slot
// change under it and writes nothing back into it.
TEST_F(TalkFrame, AnEventTheQueueDropsDuringItsSliceIsNotWrittenTo) {
  add_role(0xFF01);
  load_talk(5, "nothing_201; title; end");
  GameMode = mode_field;
  MapRole& ev = queue(5);
  run_talk(&ev);
  EXPECT_EQ(ev.RoleID, 0);
  EXPECT_EQ(ev.talk_offset, 0u) << "the emptied slot keeps no offset";
  EXPECT_EQ(ev.talk_start, 0u);
}

TEST_F(TalkFrame, BaseBuildingOpcodesAdvanceByTheirAnswer) {
  add_role(0xFF01);
  load_talk(5, "350 1; 351 1 2; 352 1 2; 353 1 2; set_flag 600; end");
  mouse_x = 1, mouse_y = 2;  // the glide of 351 finds the pointer on its target
  queue(5);
  run_talk_queue();
  EXPECT_TRUE(test_flag(600));
}

}  // namespace
