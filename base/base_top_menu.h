#pragma once
// The base camp's top bar (Build, Residents, Houses, Leave, and the party's resources and
// population), the bottom tooltip bar, the two sliding panels that carry every page, the leave
// confirmation, and the drawing helpers every base page uses.
#include <cstdint>

#include "ui/tween.h"

struct BasePanel {
  Tween tween;
  float target_x = 0, target_y = 0;
};
extern BasePanel base_panels[2];
extern int panels_settled;
extern int sub_screen_delay;
extern char base_tooltip[256];
extern int leave_choice;          // 0 leave, 1 stay
extern int mouse_keyboard_lock;   // 1 after a key moved a choice: hover waits for the mouse
extern float hud_icon_angle;

constexpr int top_bar_edges[5] = {0, 60, 110, 160, 610};  // buttons 1-4
constexpr int leave_box_x = 210, leave_box_y = 230;

void open_top_menu();
void select_top_menu_page(int page);
void open_top_menu_page(int page);
void slide_panels_in();
void slide_panels_out();
void move_base_panels();
void input_top_menu();
void input_leave_confirm();
void draw_leave_confirm();
void draw_base_hud();
void hud_tooltip();
// The top-bar button (1-4) under the point, 0 none (the click boxes: y 0-30, x edge-edge+30,
// both exclusive).
int top_bar_button_at(int x, int y);
// The HUD's names under the point into base_tooltip: 1 when one matched, else 0 (tooltip
// untouched).
int hud_name_at(int x, int y);
// A page's click on a top-bar button other than the open page's: opens that page. 1 when a
// button was clicked (the page's frame ends), else 0.
int click_top_bar(int x, int y);
// Back to the overview from a page, panels sliding out, camera back to the page's entry view.
void back_to_overview();
// The mouse/keyboard arbitration of the pages: a moved mouse clears the lock or re-anchors.
void arbitrate_mouse();
bool cancel_pressed();
bool confirm_pressed();

int draw_base_sprite(std::uint16_t act, std::uint16_t qq, int x, int y);
void draw_house_icon(int kind, int level, std::uint16_t qq, float x, float y, float z);
// A monster's type badge (act 9098): one picture per kind 110-118, picture 9 for kind 130.
void draw_type_badge(int kind, int x, int y);
// Text drawn twice one pixel apart.
class GlyphFont;
void draw_bold(GlyphFont& font, int x, int y, const char* text, int colour);
void reset_tab_bounce_for_base();
