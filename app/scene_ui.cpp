// The demo scene "ui": the interface kit on one screen. A frame with a scroll list of 20 items,
// a slider, a panel that slides in, the cursor; the narrator's box with a page break and a
// yes/no choice, then a box that closes by itself, then a fade to black.
#include <cstdio>

#include "app/demo_scene.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/log.h"
#include "core/text_colours.h"
#include "data/map_role.h"
#include "field/role_move.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "ui/cursor.h"
#include "ui/screen_extras.h"
#include "ui/screen_fade.h"
#include "ui/scroll_list.h"
#include "ui/slider.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"
#include "ui/text_draw.h"
#include "ui/tween.h"
#include "ui/ui_numbers.h"
#include "ui/window_frame.h"

namespace {

constexpr int item_count = 20;
constexpr int visible_rows = 9;
constexpr int row_height = 28;
constexpr int list_x = 40, list_y = 44;
constexpr std::uint16_t scroll_act = 9069, scroll_bar_qq = 4;
constexpr std::uint16_t slider_act = 9071;
constexpr std::uint16_t hint_key = 1;

// "%C5清水村%C0的阿明：%N你好！今天天氣真好。%P要一起去後山嗎？%B是.%B否.%Q"
constexpr const char* question =
    "%C5\xb2M\xa4\xf4\xa7\xf8%C0\xaa\xba\xaa\xfc\xa9\xfa\xa1G%N"
    "\xa7""A\xa6n\xa1I\xa4\xb5\xa4\xd1\xa4\xd1\xae\xf0\xafu\xa6n\xa1""C%P"
    "\xadn\xa4@\xb0_\xa5h\xab\xe1\xa4s\xb6\xdc\xa1H%B\xacO.%B\xa7_.%Q";
constexpr const char* time_up = "\xae\xc9\xb6\xa1\xa8\xec\xa4""F\xa1""C%Q";  // "時間到了。"
constexpr const char* panel_caption = "\xad\xb1\xaaO";                       // "面板"

enum class Step { choosing, after_choice, timed_box, fading, done };

struct UiScene {
  ScrollList list;
  Slider slider;
  Tween panel;
  Step step = Step::choosing;
};
UiScene scene;

void scene_input() {
  input_scroll_list(&scene.list);
  if (grp_input.key_down(key_mouse1))
    scene.slider.mouse(mouse_x, mouse_y);
  else
    scene.slider.release();
}

void scene_update() {
  scene.panel.update();
  int choice = 0;
  switch (scene.step) {
    case Step::choosing:
      if (get_tbutton(&choice)) {
        log_trace("ui scene: choice %d", choice);
        scene.step = Step::after_choice;
      }
      break;
    case Step::after_choice:
      if (check_txt_msg_end()) {
        add_time_msg(320, 200, 0, 100, time_up, 0);
        scene.step = Step::timed_box;
      }
      break;
    case Step::timed_box:
      if (talkmsg_count() == 0) {
        start_fade(0, 255, 0, 0, 0, 10);
        scene.step = Step::fading;
      }
      break;
    case Step::fading:
      if (is_fade_done()) scene.step = Step::done;
      break;
    case Step::done:
      break;
  }
}

void draw_list() {
  const ScrollList& l = scene.list;
  draw_window_frame(window_frame_act, 20, 20, 260, 300);
  for (int r = 0; r < visible_rows; ++r) {
    char name[32];
    std::snprintf(name, sizeof name, "Item %02d", l.top_item + r + 1);
    const int colour = r == l.cursor_row ? 9 : 0;
    draw_text_at(font_20, list_x, list_y + r * row_height, name, text_colours[colour], GLYPH_BOLD_SHADOW);
  }
  draw_select_frame(list_x - 6, list_y - 4 + l.cursor_row * row_height, 190, row_height);
  draw_scroll_bar(&scene.list);
}

void scene_draw() {
  renderer.draw_rect(0, 0, 640, 480, 0xFF203040, 0);
  draw_list();
  draw_window_frame(window_frame_act, 310, 20, 300, 120);
  scene.slider.draw();
  char value[16];
  std::snprintf(value, sizeof value, "%d", scene.slider.get_value());
  draw_text_at(font_16, 330, 90, value, text_colours[0], GLYPH_BOLD_SHADOW);
  const int px = scene.panel.get_x(), py = scene.panel.get_y();
  draw_window_frame_bg(window_frame_act, px, py, 200, 96, 1);
  draw_text_at(font_20, px + 24, py + 24, panel_caption, text_colours[0], GLYPH_BOLD_SHADOW);
  draw_hint_line(hint_key, 320, 300);
  show_talkmsg();
  draw_fade();
  draw_mouse_cursor();
  renderer.present();
}

void set_up_list() {
  ScrollList& l = scene.list;
  l.bar_act = scroll_act;
  l.bar_qq = scroll_bar_qq;
  l.x = 240;
  l.y = 30;
  l.thumb_width = 14;
  l.track_length = 200;
  l.visible_rows = visible_rows;
  l.item_count = item_count;
  l.row_mouse_x = 120;
  l.first_row_y = list_y + 8;
  l.row_height = row_height;
  input_scroll_list(&l);
}

// The narrator's role, so that the narrator's boxes have their speaker.
void place_narrator() {
  if (find_role(party_role_first) != 0xFFFF) return;
  if (gmMapRoleCount < 1) gmMapRoleCount = 1;
  gmMapRole[0] = MapRole{};
  gmMapRole[0].RoleID = party_role_first;
}

}  // namespace

void start_ui_scene() {
  scene = UiScene{};
  place_narrator();
  set_up_list();
  scene.slider.set_bar(slider_act, 0, 330, 60, 0, 0);
  scene.slider.set_knob(slider_act, 2, 0, 0);
  scene.slider.set_range(0, 100, 40, 5);
  scene.panel.set_mode(3);
  scene.panel.set_speed(4);
  scene.panel.set_move(660, 170, 380, 170);
  cursor_act = ActInstance{};
  cursor_act.act = cursor_act_number;
  set_tbutton_cancel(0);
  add_txt_msg(60, 330, 520, 120, 0, 0, question, 0);
  demo_scene_handlers = {scene_input, scene_update, scene_draw};
  GameMode = mode_demo_scene;
}
