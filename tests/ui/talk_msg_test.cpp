// Message boxes through their per-frame input and drawing: go-on keys, timed boxes, closing and
// the box state word, and the text work of opening a box.
#include "data/object_db.h"
#include "ui/talk_msg.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/user_cfg.h"
#include "data/map_role.h"
#include "data/object_db.h"
#include "tests/fixtures/objdata_writer.h"
#include "ui/talk_text.h"
#include "ui/text_button.h"

namespace {

class TalkBoxes : public ::testing::Test {
 protected:
  void SetUp() override {
    grp_input.clear_keys();  // the key times of an earlier test would make presses of this one's
    user_options[option_message_speed] = 40;
    gmMapRoleCount = 1;
    gmMapRole[0] = MapRole{};
    gmMapRole[0].RoleID = 0xFF01;
    game_clock = 1000;
    now_ = 1000;
  }
  void TearDown() override {
    del_all_talkmsg();
    del_all_tbutton();
    gmMapRoleCount = 0;
  }
  // One frame: the clock moves on 28 ms, the keys given are pressed this frame, the boxes take
  // their input and are drawn.
  void run_frame(std::initializer_list<KeyCode> pressed = {}) {
    now_ += 28;
    game_clock = now_;
    key_time_ += 100;  // apart enough that no press counts as a double press
    for (KeyCode k : {key_enter, key_space, key_down, key_up})
      grp_input.update_key(key_time_, k, std::find(pressed.begin(), pressed.end(), k) != pressed.end());
    input_talkmsg();
    show_talkmsg();
  }
  std::uint32_t now_ = 0;
  std::uint32_t key_time_ = 0;
};

TEST_F(TalkBoxes, AWaitingBoxClosesOnTheGoOnKeyAndSetsTheStateWord) {
  for (bool battle : {false, true}) {
    SCOPED_TRACE(battle);
    if (battle) set_flag(flag_battle); else clear_flag(flag_battle);
    add_txt_msg(100, 100, 300, 100, 0, 0, "AB%Q", 0);
    EXPECT_EQ(talk_box_state, talk_state_open);
    EXPECT_EQ(check_txt_msg_end(), 0);
    EXPECT_TRUE(gmMapRole[0].STATE & role_box_open);
    run_frame();
    run_frame();
    EXPECT_EQ(talkmsg_count(), 1);
    run_frame({key_enter});
    run_frame();
    EXPECT_EQ(talkmsg_count(), 0);
    EXPECT_EQ(talk_box_state, battle ? talk_state_closed_in_battle : talk_state_closed);
    EXPECT_EQ(check_txt_msg_end(), 1);
    EXPECT_FALSE(gmMapRole[0].STATE & role_box_open);
  }
  clear_flag(flag_battle);
}

TEST_F(TalkBoxes, WithoutTheNarratorRoleNoBoxIsAdded) {
  gmMapRoleCount = 0;
  add_txt_msg(100, 100, 300, 100, 0, 0, "AB%Q", 0);
  EXPECT_EQ(talkmsg_count(), 0);
  EXPECT_EQ(check_txt_msg_end(), 1);
}

TEST_F(TalkBoxes, TimedBoxesIgnoreKeysAndCloseAfterTheirDuration) {
  TalkMsg t;
  t.flags = talk_timed;
  t.duration = 100;
  t.cur_w = 300;
  t.cur_h = 100;
  t.margin_x = t.margin_y = 10;
  t.start_time = game_clock;
  char text[] = "AB%Q";
  t.text = text;
  t.text_length = 4;
  add_talkmsg(&t);
  talkmsg_head()->start_time = game_clock;
  run_frame({key_enter});
  run_frame({key_space});
  EXPECT_EQ(talkmsg_count(), 1) << "keys do not close a timed box";
  for (int i = 0; i < 4; ++i) run_frame();
  EXPECT_EQ(talkmsg_count(), 0);
}

TEST_F(TalkBoxes, ATimeBoxClosesAfterItsDurationThoughKeysNeverCount) {
  add_time_msg(320, 240, 0, 10, "Hello%Q", 0);
  ASSERT_EQ(talkmsg_count(), 1);
  const TalkMsg* b = talkmsg_head();
  EXPECT_EQ(b->line_spacing, 0);
  EXPECT_EQ(b->height, 20 + 2 * 16);
  EXPECT_EQ(b->target_x, 320 - b->width / 2);
  EXPECT_EQ(b->target_y, 240 - b->height / 2);
  talkmsg_head()->start_time = game_clock;
  run_frame({key_enter});
  EXPECT_EQ(talkmsg_count(), 1);
  for (int i = 0; i < 6; ++i) run_frame();
  EXPECT_EQ(talkmsg_count(), 0);
}

TEST_F(TalkBoxes, TheGoOnKeyReachesEveryBoxWhoseMinimumTimeHasPassed) {
  add_txt_msg(100, 100, 300, 100, 0, 0, "AB%Q", 0);
  add_txt_msg(100, 300, 300, 100, 0, 0, "CD%Q", 0);
  add_txt_msg(100, 200, 300, 100, 60000, 0, "EF%Q", 0);
  for (TalkMsg* b = talkmsg_head(); b; b = b->next) b->start_time = game_clock;
  run_frame();
  run_frame({key_space});
  run_frame();
  EXPECT_EQ(talkmsg_count(), 1);
}

TEST_F(TalkBoxes, TextsAreCutAt511BytesOnACharacterBoundary) {
  std::string long_text(509, 'a');
  long_text += "\xa4W\xa4W%Q";
  TalkMsg t;
  t.cur_w = 300;
  t.cur_h = 100;
  t.text = long_text.data();
  t.text_length = std::uint16_t(long_text.size());
  add_talkmsg(&t);
  const char* kept = talkmsg_head()->text;
  EXPECT_EQ(std::strlen(kept), 511u);
  EXPECT_EQ(kept[509], '\xa4');
  EXPECT_EQ(kept[510], 'W');
}

TEST_F(TalkBoxes, ATextCutShortEndsAtItsCutNotAtAnEarlierTextsByte) {
  add_txt_msg(100, 100, 300, 100, 0, 0, std::string(511, 'a').c_str(), 0);
  del_all_talkmsg();
  // 512 bytes whose last character straddles bytes 510 and 511: the cut keeps 510.
  const std::string text = std::string(510, 'b') + "\xa4W";
  add_txt_msg(100, 100, 300, 100, 0, 0, text.c_str(), 0);
  ASSERT_EQ(talkmsg_count(), 1);
  const char* kept = talkmsg_head()->text;
  EXPECT_EQ(std::strlen(kept), 510u);
  EXPECT_EQ(kept[509], 'b');
}

TEST_F(TalkBoxes, TheTextSpeedLowersTheOpenSpeedButASpeedOf0ShowsTheBoxAtOnce) {
  struct Case {
    int message_speed;
    std::uint16_t open_speed, kept;
  } cases[] = {
      {40, 5, 3},  // index 2
      {80, 2, 1},  // index 4: not below 1
      {100, 0, 0},
      {0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message_speed * 100 + c.open_speed);
    user_options[option_message_speed] = c.message_speed;
    TalkMsg t;
    t.speaker = 0;
    t.flags = talk_constant_speed | talk_open_anim;
    t.open_speed = c.open_speed;
    t.cur_w = 200;
    t.cur_h = 80;
    char text[] = "AB%Q";
    t.text = text;
    t.text_length = 4;
    add_talkmsg(&t);
    const TalkMsg* b = talkmsg_head();
    EXPECT_EQ(b->open_speed, c.kept);
    if (c.kept == 0) {
      EXPECT_EQ(b->cur_w, 200);
      EXPECT_EQ(b->cur_h, 80);
      EXPECT_EQ(b->cur_x, b->target_x);
      EXPECT_EQ(b->cur_y, b->target_y);
    } else {
      EXPECT_EQ(b->cur_w, 40) << "the box grows from 40 x 40";
    }
    del_all_talkmsg();
  }
}

TEST_F(TalkBoxes, AFoundObjectCodeShowsTheObjectsNameInTheBox) {
  std::vector<fixtures::ObjectRecord> objects(3);
  objects[2].name("\xbc" "C");  // object 3
  ASSERT_TRUE(install_item_data(fixtures::objdata_gll(objects)));
  add_txt_msg(100, 100, 300, 100, 0, 0, "A%T3.B%T+3.%Q", 0);
  ASSERT_EQ(talkmsg_count(), 1);
  EXPECT_STREQ(talkmsg_head()->text, "A\xbc" "CB\xbc" "C%Q");
  close_item_data();
}

TEST(TalkText, ReplaceStrRefusesWhatWouldNotFit) {
  char text[16] = "%T12.rest";
  EXPECT_EQ(replace_str(text, "%T12.", "Sword", 16), 1);
  EXPECT_STREQ(text, "Swordrest");
  EXPECT_EQ(replace_str(text, "Sword", "A much longer name", 16), 0);
  EXPECT_STREQ(text, "Swordrest");
  EXPECT_EQ(replace_str(text, "Shield", "X", 16), 0);
}

TEST(TalkText, ReadScriptStrIsBounded) {
  struct Case {
    std::string src;
    std::size_t dst_size;
    int result;
    const char* copied;
  } cases[] = {
      {"file.wav%Qmore", 32, 10, "file.wav"},
      {"file.wav%Q", 5, 10, "file"},
      {std::string("ab\xff\xff%Q", 6), 32, -1, ""},
      {"no end", 32, -1, ""},
      {"\xa4W\xa4W%Q", 4, 6, "\xa4W"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.src);
    char dst[32];
    std::memset(dst, 'x', sizeof dst);
    EXPECT_EQ(read_script_str(c.src.data(), c.src.size(), dst, c.dst_size), c.result);
    EXPECT_STREQ(dst, c.copied);
  }
}

TEST(TalkText, ObjectCodesThatCannotBeReadStayInTheText) {
  close_item_data();  // no object can be read, whatever an earlier test opened
  char text[512] = "A%Tx1.B%T123456789C%T77.D%Q";
  put_item_names(text);
  EXPECT_STREQ(text, "A%Tx1.B%T123456789C%T77.D%Q");
}

}  // namespace
