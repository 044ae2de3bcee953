// Talk opcodes of message boxes and choices: what a box gets, the waits and the choice.
#include <cstring>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/text_colours.h"
#include "data/party.h"
#include "script/msg_settings.h"
#include "script/name_plate.h"
#include "script/talk_interpreter.h"
#include "tests/script/script_test.h"
#include "ui/talk_layout.h"
#include "ui/talk_msg.h"
#include "ui/talk_text.h"
#include "ui/text_button.h"

namespace {
using namespace script_test;

class TalkBoxes : public ScriptTest {
 protected:
  MapRole& run_once(const std::string& source) {
    load_talk(5, source);
    MapRole& ev = queue(5);
    run_talk(&ev);
    return ev;
  }
};

TEST_F(TalkBoxes, RoleZeroOpensTheBoxOverTheNarrator) {
  const int narrator = add_role(0xFF01);
  MapRole& ev = run_once("message_box 0 50 1 2 3 4 5 6 7 1 \"\"; end");
  EXPECT_TRUE(gmMapRole[narrator].STATE & state_box_open);
  EXPECT_EQ(ev.talk_offset - ev.talk_start, 24u) << "a text of %Q alone";
  EXPECT_EQ(talk_box_state, 1u) << "bit 0 of the box flags: a timed box";
}

TEST_F(TalkBoxes, AMissingSpeakerIsReportedAndTheScriptGoesOn) {
  add_role(0xFF01);
  run_once("message_box 1234 0 0 0 0 0 0 0 0 0 \"x\"; set_flag 600; timed_wait 10; end");
  EXPECT_TRUE(test_flag(600));
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_NE(messages()[0].find("[5]"), std::string::npos);
  EXPECT_NE(messages()[0].find("RoleID=1234"), std::string::npos);
}

TEST_F(TalkBoxes, WaitBoxHoldsUntilTheBoxCloses) {
  const int narrator = add_role(0xFF01);
  MapRole& ev = run_once("message_box 0 0 0 0 0 0 0 0 0 0 \"x\"; wait_box 0xFF01; set_flag 600; end");
  for (int i = 0; i < 3; ++i) run_talk(&ev);
  EXPECT_FALSE(test_flag(600));
  gmMapRole[narrator].STATE &= ~state_box_open;
  run_talk(&ev);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600));
}

TEST_F(TalkBoxes, CloseBoxClearsTheOpenBitAndEndsTheSlice) {
  const int narrator = add_role(0xFF01);
  TalkMsg box;
  box.speaker = static_cast<std::uint16_t>(narrator);
  char text[] = "x%Q";
  box.text = text;
  box.text_length = 3;
  add_talkmsg(&box);
  ASSERT_TRUE(gmMapRole[narrator].STATE & state_box_open);
  MapRole& ev = run_once("close_box 0xFF01; set_flag 600; end");
  EXPECT_FALSE(gmMapRole[narrator].STATE & state_box_open);
  EXPECT_FALSE(test_flag(600));
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600));
}

TEST_F(TalkBoxes, ChoiceWaitsThenJumpsByTheHighlightedButton) {
  add_role(0xFF01);
  MapRole& ev = run_once("choice [@a @b @c]; a: set_flag 600; end; b: set_flag 601; end; c: set_flag 602; end");
  tbutton_count = 3;
  tbutton_choice = 1;
  for (int i = 0; i < 3; ++i) run_talk(&ev);
  EXPECT_FALSE(test_flag(601)) << "nothing confirmed yet";
  tbutton_confirmed = 1;
  run_talk(&ev);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(601));
  EXPECT_FALSE(test_flag(600) || test_flag(602));
  EXPECT_EQ(tbutton_count, 0) << "no text button remains";
  EXPECT_EQ(tbutton_confirmed, 0);
}

TEST_F(TalkBoxes, AChoiceWithoutItsEntryIsReportedAndPassed) {
  add_role(0xFF01);
  MapRole& ev = run_once("choice [@a]; set_flag 601; end; a: set_flag 600; end");
  tbutton_choice = 2;
  tbutton_confirmed = 1;
  run_talk(&ev);
  ASSERT_EQ(messages().size(), 1u);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(601));
  EXPECT_FALSE(test_flag(600));
}

TEST_F(TalkBoxes, BoxSettingsLastFromOneOpcodeToTheNext) {
  add_role(0xFF01);
  run_once("box_colour 255 0 0 0; char_spacing 3; line_spacing 4; text_colour 9; end");
  EXPECT_EQ(talk_box_colour, 0xFF000000u);
  EXPECT_EQ(talk_char_spacing[0], 3);
  EXPECT_EQ(talk_char_spacing[1], 4);
  EXPECT_EQ(msg_text_colour, 9);
}

TEST_F(TalkBoxes, ATextColourPastTheTableIsReportedAndKept) {
  add_role(0xFF01);
  run_once("text_colour 7; text_colour 40; end");
  EXPECT_EQ(msg_text_colour, 7);
  EXPECT_EQ(messages().size(), 1u);
}

TEST_F(TalkBoxes, TheNamePlateTakesThePartyNamesAndIsCutOnACharacter) {
  std::strcpy(party_default_names[0], "Lead");
  std::strcpy(party_default_names[1], "Mate");
  std::strcpy(gmRoleData[0].name, "Ann");
  const std::string pending = std::string(party_default_names[0]) + "!" + party_default_names[1] + "%Q";
  char plate[name_plate_bytes + 2];
  make_name_plate({reinterpret_cast<const std::uint8_t*>(pending.data()), pending.size()}, plate);
  EXPECT_EQ(std::string(plate), "Ann!") << "member 1 has no current name: its default is replaced by nothing";
  // Twenty Big5 characters do not fit: cut to eight whole ones.
  std::string long_name;
  for (int i = 0; i < 20; ++i) long_name += "\xA4\x40";
  long_name += "%Q";
  make_name_plate({reinterpret_cast<const std::uint8_t*>(long_name.data()), long_name.size()}, plate);
  EXPECT_EQ(std::strlen(plate), 16u);
  make_name_plate({}, plate);
  EXPECT_EQ(plate[0], '\0');
}

// Opcode 10's template: the time in tens of milliseconds, typing 3 and 3, margins 15, frame 9002
// whatever the AI's frame is, the spacings and the text colour of the settings; the pending name
// goes to this box and not to the next.
TEST_F(TalkBoxes, ABoxTakesTheTalkTemplateAndThePendingNameOnce) {
  const int narrator = add_role(0xFF01);
  static const std::string name = "Bo%Q";
  talk_name_plate = {reinterpret_cast<const std::uint8_t*>(name.data()), name.size()};
  msg_box_frame[0] = 9010;
  talk_char_spacing[0] = 4;
  talk_char_spacing[1] = 6;
  msg_text_colour = 3;
  MapRole& ev = run_once("message_box 0 50 1 2 3 4 0 6 7 0 \"x\"; message_box 0 0 0 0 0 0 0 0 0 0 \"y\"; end");
  run_talk(&ev);
  ASSERT_EQ(talkmsg_count(), 2);
  const TalkMsg& box = *talkmsg_head();
  EXPECT_EQ(box.speaker, narrator);
  EXPECT_EQ(box.duration, 500u);
  EXPECT_EQ(box.start_time, game_clock);
  EXPECT_EQ(box.cur_x, 1);
  EXPECT_EQ(box.cur_y, 2);
  EXPECT_EQ(box.target_x, 3);
  EXPECT_EQ(box.target_y, 4);
  EXPECT_EQ(box.width, 6);
  EXPECT_EQ(box.height, 7);
  EXPECT_EQ(box.typing_delay, 3 + talk_speed_adjust()) << "the text speed adds its step";
  EXPECT_EQ(box.typing_countdown, 3 + talk_speed_adjust());
  EXPECT_EQ(box.margin_x, 15);
  EXPECT_EQ(box.margin_y, 15);
  EXPECT_EQ(box.frame_act, 9002);
  EXPECT_EQ(box.char_spacing, 4);
  EXPECT_EQ(box.line_spacing, 6);
  EXPECT_EQ(box.text_colour, text_colours[3]);
  EXPECT_EQ(std::string(box.name), "Bo");
  EXPECT_EQ(std::string(box.next->name), "") << "the name served one box";
  EXPECT_TRUE(talk_name_plate.empty());
}

}  // namespace
