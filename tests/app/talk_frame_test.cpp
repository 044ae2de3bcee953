// Message boxes drawn through start-up's display into the presented frame, compared with
// reference images: a framed box with its name plate and the choice bar, and a flat box whose
// colour fades in.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/startup.h"
#include "core/frame_timer.h"
#include "core/user_cfg.h"
#include "data/map_role.h"
#include "g3d/renderer.h"
#include "platform/display.h"
#include "platform/window.h"
#include "tests/app/game_harness.h"
#include "tests/platform/raster/reference_image.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"
#include "ui/ui_numbers.h"

namespace {

// Frames of boxes alone on a black screen.
void draw_frames(int n) {
  for (int i = 0; i < n; ++i) {
    game_clock += 28;
    renderer.draw_rect(0, 0, 640, 480, 0xFF000000, 0);
    show_talkmsg();
    renderer.present();
  }
}

TalkMsg box_template(char* text, std::uint32_t flags) {
  TalkMsg t;
  t.speaker = 0;
  t.frame_act = window_frame_act;
  t.flags = flags;
  t.margin_x = t.margin_y = 20;
  t.char_spacing = 2;
  t.line_spacing = 6;
  t.text_colour = 0xFFFF;
  t.cur_x = t.target_x = 80;
  t.cur_y = t.target_y = 260;
  t.cur_w = 480;
  t.cur_h = 140;
  t.text = text;
  t.text_length = std::uint16_t(std::strlen(text));
  return t;
}

class TalkFrames : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(init_game(game_.window(), platform::program_instance()), 1);
    user_options[option_message_speed] = 40;  // typing delays as given
    gmMapRoleCount = 1;
    gmMapRole[0] = MapRole{};
    gmMapRole[0].RoleID = 0xFF01;
  }
  void TearDown() override {
    del_all_talkmsg();
    del_all_tbutton();
    end_game();
  }
  GameHarness game_;
};

TEST_F(TalkFrames, ANamedBoxWithItsChoiceBar) {
  // "阿明" says "要一起去嗎？" with the answers "是" and "否".
  char text[] = "\xaa\xfc\xa9\xfa: \xadn\xa4@\xb0_\xa5h\xb6\xdc\xa1H%N%B\xacO.%B\xa7_.%Q";
  TalkMsg t = box_template(text, 0);
  std::strcpy(t.name, "\xaa\xfc\xa9\xfa");
  add_talkmsg(&t);
  draw_frames(2);
  tbutton_choice = 1;
  draw_frames(1);
  EXPECT_EQ(tbutton_count, 2);
  EXPECT_EQ(test_support::compare_with_reference("talk_named_choice", presented_frame()), "");
}

TEST_F(TalkFrames, AFlatBoxFadesIn) {
  char text[] = "ABC%Q";
  TalkMsg t = box_template(text, talk_flat);
  t.red = 40;
  t.green = 80;
  t.blue = 200;
  t.alpha_target = 200;
  add_talkmsg(&t);
  draw_frames(6);
  EXPECT_EQ(talkmsg_head()->alpha_now, 60);
  EXPECT_EQ(test_support::compare_with_reference("talk_flat_fading", presented_frame()), "");
}

}  // namespace
