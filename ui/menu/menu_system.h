#pragma once
// The menu system, game mode 1: a full-screen menu with a page bar on the left (items,
// equipment, arts, mechanisms, the base camp, log, system), the party's status cards while no
// page is open, the money panel, the close button and the help panel. Each page lives in its
// own file (ui/menu/menu_items.h, ui/menu/menu_pages.h, ui/menu/menu_system_page.h); this is the frame.
#include <cstdint>

#include "g3d/act_animation.h"
#include "g3d/motion.h"
#include "ui/tween.h"

class Camera;
class EffectManager;

// menu_page values; 5 is never stored (the base-camp entry leaves the menu instead).
enum : int {
  menu_page_bar = 0,
  menu_page_items = 1,
  menu_page_equip = 2,
  menu_page_arts = 3,
  menu_page_mechanisms = 4,
  menu_entry_base_camp = 5,
  menu_page_log = 6,
  menu_page_system = 7,
};
constexpr int menu_entry_count = 7;

extern int menu_page;
extern int menu_bar_sel;        // the page-bar entry under the cursor, 1-7, 0 none
extern int menu_hint_key;       // the key of the hint line
extern int menu_return_mode;    // the mode leaving restores (the save and load screens overwrite SavedGameMode)
extern int menu_party_count;    // members present
extern int menu_party[3];       // their party slots, in slot order
extern int menu_target_mode;    // 1 while a page asks for a party member
extern std::uint16_t menu_bg_frame;  // the entry last opened, 1-7
extern int menu_party_target;   // index into menu_party chosen by the items and arts pages
extern Tween menu_card_tweens[3];
extern BounceMotion menu_tab_bounce;  // the selected tab's icon of every page hops with it
extern ActInstance menu_model;        // the pages' object picture or model
extern Camera menu_camera_copy;       // field_camera as it was when the menu opened
EffectManager& menu_effects();

int SFLB_call_menu_system(std::uint32_t flags, int, int);
void input_menu_system();
void draw_menu_system();

// Helpers of the pages and the shop.
void draw_status_card(int slot, int x, int y);
void draw_member_portrait(int slot, int x, int y);
// The help panel closed below the screen at (x, 480), its tween snapping: the menu's panel
// lines up with its info panel at x 90, the shop's with its own at x 136. Closing slides it
// back there.
constexpr int menu_help_panel_x = 90, shop_help_panel_x = 136;
void reset_help_panel(int x);
void toggle_help_panel();
void draw_help_panel(const char* text);
void close_help_panel();
void draw_menu_footer(int x, int y);
void draw_help_label(int x, int y);
void draw_money_panel(int x, int y);
// A tab icon's hop: resting at rest_y, rising first at speed 3 under a gravity of 0.5, once.
BounceMotion tab_hop(float rest_y);
// One frame of the hop; the y to draw at. A hop that has landed waits for the next start.
int step_tab_hop(BounceMotion& hop);
// Every page's enter step: the tab icon rests at 4 and hops at speed 3.
void reset_tab_bounce();
// A page's panel slides in from (x0, y0) to (x1, y1), slowing as it nears (proportional, speed 4).
void slide_in_panel(Tween& tween, int x0, int y0, int x1, int y1);
// One frame of the hop; the icon's y.
int step_tab_bounce();
// Points field_camera at a page's model: orbit, snapping, at the point, angles and distance.
void set_menu_camera(float px, float py, float pz, float ax, float ay, float az, float distance);
// Sets menu_model to the act (frame 0), advances it once and draws it by its kind (a sprite at
// (x, y), a model at the origin).
void show_menu_model(std::uint16_t act, int x, int y);
// 1 while the help panel is open, for tests.
int help_panel_open();

class GlyphFont;
// Text formatted as printf does (95 bytes at the most) at (x, y), plain, in the colour of
// text_colours.
[[gnu::format(printf, 5, 6)]] void draw_fmt(GlyphFont& font, int x, int y, int colour, const char* fmt, ...);

// The gauge's width for a value: width * current / maximum, truncated, at most width; an empty
// gauge when the maximum is 0 or less.
int gauge_width(int width, int current, int maximum);
// A member's gauge: frame 0 of act, then frame qq over it as wide as gauge_width of 84 gives;
// no fill at all when that is 0.
void draw_menu_gauge(std::uint16_t act, std::uint16_t qq, int x, int y, int current, int maximum);
// The present members' slots, rebuilt from the party flags; the count.
int collect_menu_party(int out[3]);
// The page-bar entry (0-6) under the point, or -1.
int page_bar_entry_at(int x, int y);
// The bar's wrap-around: entry 1-7 moved by delta (+1 or -1).
int wrap_bar_entry(int entry, int delta);
