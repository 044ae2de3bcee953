// The arts page: its rules (cost, recovery, the two field arts) and its input and draw steps.
#include "ui/menu/menu_arts.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "data/item_list.h"
#include "data/maps_lookups.h"
#include "data/object_db.h"
#include "field/map_file.h"
#include "field/world_map.h"
#include "g3d/act_draw.h"
#include "gfx2d/game_fonts.h"
#include "sound/sfx_bank.h"
#include "ui/menu/item_recovery.h"
#include "ui/menu/menu_input.h"
#include "ui/menu/menu_items.h"
#include "ui/menu/menu_numbers.h"
#include "ui/menu/menu_pages.h"
#include "ui/menu/menu_system.h"
#include "ui/paragraph.h"
#include "ui/screen_extras.h"
#include "ui/scroll_list.h"
#include "ui/talk_msg.h"
#include "ui/talk_text.h"
#include "ui/text_draw.h"
#include "ui/tween.h"
#include "ui/ui_numbers.h"
#include "ui/window_frame.h"

int arts_state = arts_closed;
int arts_tab = 0;
ArtsChoice arts_choice;
int arts_caster = 0;
int arts_member_rows[3] = {};
int arts_total_rows = 0;
int arts_cursor_row = 0, arts_top_row = 0;

namespace {

constexpr std::uint16_t arts_tab_act = 9062, arts_tab_selected_act = 9063;
constexpr std::uint16_t arts_panel_act = 9025;  // 0 the list, 1 the costs
constexpr int arts_hint_base = 20;
constexpr std::uint8_t header_flag = 0x02;
constexpr std::int32_t knocked_out = 0x1;
constexpr std::uint32_t highlight_colour = 0x64FFFFFF;
constexpr int max_name_bytes = 32;

const char refuse_now_message[] = "\xB2\x7B\xA6\x62\xB5\x4C\xAA\x6B\xA8\xCF\xA5\xCE!!%Q";  // 現在無法使用!!%Q
const char no_need_all_message[] = "\xA5\xD8\xAB\x65\xA4\xA3\xBB\xDD\xAD\x6E\xAB\xEC\xB4\x5F!!%Q";  // 目前不需要恢復!!%Q
const char cannot_use_message[] = "\xB5\x4C\xAA\x6B\xA8\xCF\xA5\xCE!!%Q";                     // 無法使用!!%Q
const char no_need_message[] =
    "\xA6\xB9\xA8\xA4\xA6\xE2\xA8\xC3\xA4\xA3\xBB\xDD\xAD\x6E\xAB\xEC\xB4\x5F!!%Q";  // 此角色並不需要恢復!!%Q

// The magic the page put into party slot 1's list, so that leaving takes out exactly that.
std::uint16_t added_magic[party_magic_slots] = {};
int added_magic_count = 0;

// The name a new game gives the member: the title's names for party slots 0 and 1, the object
// record's name for slot 2.
bool default_name_of(int party_slot, char* out) {
  if (party_slot < 2) {
    std::memcpy(out, party_default_names[party_slot], sizeof party_default_names[party_slot]);
    out[sizeof party_default_names[party_slot]] = 0;
    return out[0] != 0;
  }
  ItemData own{};
  if (!read_Item(std::uint16_t(gmRoleData[party_slot].object_id), &own)) return false;
  std::memcpy(out, own.NAME, sizeof own.NAME);
  out[sizeof own.NAME] = 0;
  return out[0] != 0;
}

Tween list_tween, info_tween, cost_tween;
ScrollList art_list;

bool is_knocked_out(int party_slot) { return gmRoleData[party_slot].flags & knocked_out; }
bool menu_castable(const ItemData& art) { return item_use_context(art) == 0 || item_use_context(art) == 1; }
bool is_header(const ItemNode* node) { return node->item.action_flags & header_flag; }

void refuse(int x, int y, const char* message) {
  play_sfx(sfx_refuse, 1);
  del_all_talkmsg();
  add_time_msg(x, y, 0, 100, message, 0);
}

void open_art_list() {
  art_list = item_scroll_list(arts_visible_rows);
  art_list.item_count = arts_total_rows;
}

void sync_list_in() {
  art_list.item_count = arts_total_rows;
  art_list.cursor_row = arts_cursor_row;
  art_list.top_item = arts_top_row;
}
void sync_list_out() {
  arts_cursor_row = art_list.cursor_row;
  arts_top_row = art_list.top_item;
}

void change_tab() {
  menu_hint_key = arts_tab;
  count_arts_rows();
  arts_top_row = 0;
  if (arts_cursor_row >= arts_total_rows) arts_cursor_row = 0;
  reset_tab_bounce();
  sync_list_in();
  close_help_panel();
}

void confirm_art() {
  // The row is resolved from what is under the cursor now.
  renew_arts_choice();
  if (!resolve_arts_choice()) {
    play_sfx(sfx_refuse, 1);
    return;
  }
  menu_party_target = 0;
  arts_state = arts_choosing_member;
  cast_field_art();
}

void input_art_choice() {
  renew_key_nav_mode();
  sync_list_in();
  input_scroll_list(&art_list);
  sync_list_out();
  if (grp_input.key_repeat(key_left)) {
    arts_tab = (arts_tab + arts_tab_count - 1) % arts_tab_count;
    play_sfx(sfx_tab, 1);
    change_tab();
  } else if (grp_input.key_repeat(key_right)) {
    arts_tab = (arts_tab + 1) % arts_tab_count;
    play_sfx(sfx_tab, 1);
    change_tab();
  }
  bool clicked_row = false;
  if (!key_nav_mode) {
    const bool click = grp_input.key_press(key_mouse1) != 0;
    const int tab = first_box_hit({120, 4, 146, 36, 26, 0, arts_tab_count}, mouse_x, mouse_y);
    if (tab >= 0) {
      menu_hint_key = tab;
      if (click) {
        arts_tab = tab;
        play_sfx(sfx_tab, 1);
        change_tab();
      }
    }
    const int rows = std::min(arts_visible_rows, arts_total_rows - arts_top_row);
    const int row = first_box_hit({120, 40, 390, 70, 0, 30, rows}, mouse_x, mouse_y);
    if (row >= 0) {
      if (row != arts_cursor_row) play_sfx(sfx_cursor, 1);
      arts_cursor_row = row;
      clicked_row = click;
    }
  }
  if (confirm_key() || clicked_row) {
    confirm_art();
  } else if (cancel_key()) {
    play_sfx(sfx_back, 1);
    leave_arts_page();
  }
}

void step_target(int to) {
  if (menu_party_count <= 0) return;  // nobody to choose
  menu_party_target = (to + menu_party_count) % menu_party_count;
  play_sfx(sfx_cursor, 1);
  key_nav_mode = 1;
}

void input_member_choice() {
  renew_key_nav_mode();
  if (grp_input.key_repeat(key_left)) step_target(menu_party_target - 1);
  if (grp_input.key_repeat(key_right)) step_target(menu_party_target + 1);
  if (grp_input.key_repeat(key_up)) step_target(0);
  if (grp_input.key_repeat(key_down)) step_target(menu_party_count - 1);
  bool clicked = false;
  if (!key_nav_mode) {
    for (int i = 0; i < menu_party_count; ++i) {
      int x = 0, y = 0;
      menu_card_tweens[i].get_pos(&x, &y);
      if (!in_span(mouse_x, x, x + 265) || !in_span(mouse_y, y, y + 148)) continue;
      if (i != menu_party_target) play_sfx(sfx_cursor, 1);
      menu_party_target = i;
      clicked = grp_input.key_press(key_mouse1) != 0;
      break;
    }
  }
  if (confirm_key(&GrpInput::key_press) || clicked) {
    confirm_arts_target();
  } else if (cancel_key()) {
    play_sfx(sfx_back, 1);
    arts_state = arts_choosing_art;
    del_all_talkmsg();
  }
}

// ---- Drawing ---------------------------------------------------------------------------------

int row_colour(const ArtsRow& r) {
  if (is_header(r.node)) return 26;
  if (!menu_castable(r.node->item)) return 27;
  const int slot = menu_party[r.member];
  return can_cast(slot, r.node->item) && !is_knocked_out(slot) ? 20 : 21;
}

void draw_row(const ArtsRow& r, int x, int y) {
  const int colour = row_colour(r);
  if (is_header(r.node)) {
    char name[max_name_bytes + 1];
    arts_header_name(r.node, menu_party[r.member], name);
    char text[96];
    arts_header_text(name, text, sizeof text);
    draw_text_at(font_20, x, y, text, text_colours[colour], GLYPH_BOLD_SHADOW);
  } else {
    draw_text_at(font_20, x, y, r.node->item.NAME, text_colours[colour], GLYPH_BOLD_SHADOW);
  }
}

void draw_cursor_row(const ArtsRow& r, int x, int y, int cx, int cy) {
  draw_row(r, x + 19, y + 9 + 30 * arts_cursor_row);
  const ItemData& art = r.node->item;
  const int colour = row_colour(r);
  draw_fmt(font_16, cx + 30, cy + 10, colour, "   %3d", int(std::int16_t(art.mp_cost)));
  draw_fmt(font_16, cx + 30, cy + 40, colour, "   %3d", int(std::int16_t(art.sp_cost)));
  draw_fmt(font_16, cx + 30, cy + 70, colour, "   %3d", int(art.rage_cost));
  for (int k = 0; k < 3; ++k) draw_act(gauge_label_act, std::uint16_t(k + 1), cx + 30, cy + 20 + 30 * k, 0);
  if (!is_header(r.node)) {
    int ix = 0, iy = 0;
    info_tween.get_pos(&ix, &iy);
    draw_paragraph(&font_20, art.INFO, ix + 15, iy + 5, 5, 440, 26);
  }
}

void draw_art_choice() {
  menu_target_mode = 0;
  for (int i = 0; i < arts_tab_count; ++i)
    if (i != arts_tab) draw_act(arts_tab_act, std::uint16_t(i), 120 + 26 * i, 4, 0);
  draw_act(arts_tab_selected_act, std::uint16_t(arts_tab), 120 + 26 * arts_tab, step_tab_bounce(), 0);
  draw_hint_line(std::uint16_t(menu_hint_key + arts_hint_base), 60, 448);
  list_tween.update();
  info_tween.update();
  cost_tween.update();
  const int x = list_tween.get_x(), y = list_tween.get_y();
  const int cx = cost_tween.get_x(), cy = cost_tween.get_y();
  draw_act(arts_panel_act, 0, x, y, 0);
  draw_act(arts_panel_act, 1, cx, cy, 0);
  draw_act(info_panel_act, 0, info_tween.get_x(), info_tween.get_y(), 0);
  sync_list_in();
  art_list.x = x + 280;
  art_list.y = y;
  art_list.row_mouse_x = x + 140;
  art_list.first_row_y = y + 20;
  draw_scroll_bar(&art_list);
  for (int i = 0; i < arts_visible_rows; ++i) {
    const ArtsRow r = arts_row_at(arts_top_row + i);
    if (!r.node) break;
    draw_row(r, x + 20, y + 10 + 30 * i);
  }
  renew_arts_choice();
  const ArtsRow cur = arts_row_at(arts_top_row + arts_cursor_row);
  if (cur.node) draw_cursor_row(cur, x, y, cx, cy);
  draw_select_bar(x, y + 2 + 30 * arts_cursor_row, 270, 30, highlight_colour);
  draw_help_panel(cur.node ? cur.node->item.HELP : "");
  draw_help_label(540, 420);
}

void draw_member_choice() {
  menu_target_mode = 1;
  const ItemNode* art = resolve_arts_choice();
  const bool all = art && item_targets_all(art->item);
  for (int i = 0; i < menu_party_count; ++i) {
    menu_card_tweens[i].update();
    int x = 0, y = 0;
    menu_card_tweens[i].get_pos(&x, &y);
    draw_status_card(menu_party[i], x, y);
    if (all || i == menu_party_target) draw_select_frame_act(select_mark_act, 0, x + 120, y + 62, 260, 132);
  }
}

}  // namespace

// ---- Rules ------------------------------------------------------------------------------------

// Byte 240 of an art: 1 or 2 keep it off party slot 2.
std::uint8_t art_slot2_restriction(const ItemData& art) { return art.byte_240; }

int can_cast(int party_slot, const ItemData& art) {
  if (party_slot < 0 || party_slot > 2) return 0;
  const RoleData& r = gmRoleData[party_slot];
  return r.mp >= std::int16_t(art.mp_cost) && r.sp >= std::int16_t(art.sp_cost) ? 1 : 0;
}

int pay_art_cost() {
  const ItemNode* art = resolve_arts_choice();
  if (!art || arts_caster < 0 || arts_caster >= menu_party_count) return 0;
  const int slot = menu_party[arts_caster];
  if (!can_cast(slot, art->item)) return 0;
  RoleData& r = gmRoleData[slot];
  r.mp = std::int16_t(r.mp - std::int16_t(art->item.mp_cost));
  r.sp = std::int16_t(r.sp - std::int16_t(art->item.sp_cost));
  return 1;
}

// Arts never take the level-up or permanent-boost branches of the items' rule.
int apply_art_recovery(int party_slot, const ItemData& art) {
  if (party_slot < 0 || party_slot > 2) return 0;
  return apply_recovery(gmRoleData[party_slot], art);
}

void cast_field_art() {
  const ItemNode* art = resolve_arts_choice();
  if (!art) return;
  if (art->object == art_story_talk) {
    std::uint16_t talk = 0;
    if (!read_maps_group_talk(map_record.map_number, &talk) || talk == 0 || test_flag(flag_story_item_off)) {
      menu_party_target = 0;
      arts_state = arts_choosing_art;
      refuse(320, 200, refuse_now_message);
      return;
    }
    pay_art_cost();
    leave_arts_page();
    queue_story_talk(talk);
    play_sfx(sfx_leave_for_story, 1);
    arts_state = arts_closed;
  } else if (art->object == art_travel) {
    if (!set_game_map_item_mode(0) || test_flag(flag_travel_item_off) || !(map_record.map_flags & map_outdoor)) {
      menu_party_target = 0;
      arts_state = arts_choosing_art;
      refuse(320, 200, refuse_now_message);
      return;
    }
    pay_art_cost();
    leave_arts_page();
    leave_for_world_map();
    arts_state = arts_closed;
  }
}

ArtsRow arts_row_at(int row) {
  if (row < 0) return {};
  for (int m = 0; m < menu_party_count; ++m) {
    if (row < arts_member_rows[m]) {
      ItemNode* node = get_item_by_flag(&gmRoleData[menu_party[m]].arts, arts_tab_masks[arts_tab], 0,
                                        std::uint16_t(row));
      return node ? ArtsRow{node, m} : ArtsRow{};
    }
    row -= arts_member_rows[m];
  }
  return {};
}

void count_arts_rows() {
  arts_total_rows = 0;
  for (int m = 0; m < 3; ++m) {
    arts_member_rows[m] =
        m < menu_party_count ? count_item_flag(&gmRoleData[menu_party[m]].arts, arts_tab_masks[arts_tab]) + 1 : 0;
    arts_total_rows += arts_member_rows[m];
  }
}

void renew_arts_choice() {
  arts_choice = ArtsChoice{};
  const int row = arts_top_row + arts_cursor_row;
  const ArtsRow r = arts_row_at(row);
  if (!r.node) return;
  arts_caster = r.member;
  const int slot = menu_party[r.member];
  if (is_header(r.node) || !menu_castable(r.node->item) || !can_cast(slot, r.node->item)) return;
  if (is_knocked_out(slot)) return;
  arts_choice = {row, r.node->object};
}

ItemNode* resolve_arts_choice() {
  if (arts_choice.row < 0 || arts_choice.object == 0) return nullptr;
  const ArtsRow r = arts_row_at(arts_choice.row);
  return r.node && r.node->object == arts_choice.object ? r.node : nullptr;
}

void confirm_arts_target() {
  const ItemNode* art = resolve_arts_choice();
  if (!art || arts_caster < 0 || arts_caster >= menu_party_count) return;
  if (!can_cast(menu_party[arts_caster], art->item)) return;
  if (item_targets_all(art->item)) {
    int changed[3] = {};
    int any = 0;
    for (int i = 0; i < menu_party_count; ++i) any |= changed[i] = apply_art_recovery(menu_party[i], art->item);
    if (!any) {
      refuse(320, 240, no_need_all_message);
      return;
    }
    for (int i = 0; i < menu_party_count; ++i) show_use_effect(i);
  } else {
    if (menu_party_target < 0 || menu_party_target >= menu_party_count) return;
    const int target = menu_party[menu_party_target];
    const bool slot2_only = art->object >= art_slot2_first && art->object <= art_slot2_last;
    const bool not_slot2 = art_slot2_restriction(art->item) == 1 || art_slot2_restriction(art->item) == 2;
    if ((slot2_only && target != 2) || (not_slot2 && target == 2)) {
      refuse(320, 240, cannot_use_message);
      return;
    }
    if (!apply_art_recovery(target, art->item)) {
      refuse(320, 240, no_need_message);
      return;
    }
    show_use_effect(menu_party_target);
  }
  pay_art_cost();
}

// The node keeps its default name: renaming a copy each frame cannot grow a current name that
// holds the default one.
void arts_header_name(const ItemNode* header, int party_slot, char* out) {
  std::memcpy(out, header->item.NAME, max_name_bytes);
  out[max_name_bytes] = 0;
  char def[sizeof ItemData::NAME + 1];
  if (party_slot < 0 || party_slot > 2 || !default_name_of(party_slot, def)) return;
  if (char* at = std::strstr(out, def)) {
    char current[sizeof gmRoleData[0].name + 1] = {};
    std::memcpy(current, gmRoleData[party_slot].name, sizeof gmRoleData[0].name);
    replace_str(at, def, current, int(max_name_bytes - (at - out)));
  }
}

void arts_header_text(const char* name, char* out, int out_size) {
  static const char dashes[] = "------------------------";  // 24
  const int run = std::clamp(11 - int(std::strlen(name)) / 2, 0, 24);
  std::snprintf(out, std::size_t(out_size), "%.*s%s%.*s", run, dashes, name, run, dashes);
}

// ---- The page ---------------------------------------------------------------------------------

void enter_arts_page() {
  reset_tab_bounce();
  arts_caster = 0;
  arts_state = arts_choosing_art;
  menu_party_target = 0;
  arts_tab = 0;
  arts_choice = ArtsChoice{};
  arts_cursor_row = arts_top_row = 0;
  ItemNode* list = &gmRoleData[arts_magic_member].arts;
  added_magic_count = 0;
  for (int k = 0; k < party_magic_slots; ++k) {
    const std::uint16_t id = party_magic[k].object;
    if (id != 0 && add_item(list, id, 1, 1)) added_magic[added_magic_count++] = id;
  }
  sort_item_list(list);
  count_arts_rows();
  open_art_list();
  slide_in_panel(list_tween, -200, 38, 105, 38);
  slide_in_panel(info_tween, 90, 480, 90, 345);
  slide_in_panel(cost_tween, 640, 48, 425, 48);
}

// The frame calls this whenever a bar entry is clicked, open or not: only the pieces this page
// put into slot 1's list come out again, each from the new count it went into, so a member's
// own art of the same number keeps its node.
void leave_arts_page() {
  ItemNode* list = &gmRoleData[arts_magic_member].arts;
  for (int k = 0; k < added_magic_count; ++k) {
    set_item_new_first(1);
    del_item(list, added_magic[k], 1);
  }
  if (added_magic_count > 0) sort_item_list(list);
  added_magic_count = 0;
  arts_caster = 0;
  menu_party_target = 0;
  arts_state = arts_closed;
  arts_choice = ArtsChoice{};
  menu_page = menu_page_bar;
}

void input_arts_page() {
  if (arts_state == arts_choosing_art) {
    input_art_choice();
  } else if (arts_state == arts_choosing_member) {
    input_member_choice();
  }
}

void draw_arts_page(int, int) {
  if (arts_state == arts_choosing_art) {
    draw_art_choice();
  } else if (arts_state == arts_choosing_member) {
    draw_member_choice();
  }
}
