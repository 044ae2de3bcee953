// The equipment page: its rules (candidates, the equip rule, the preview) and its input and
// draw steps.
#include "ui/menu/menu_equip.h"

#include <cstdio>

#include "battle/fame.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "data/equip_bonus.h"
#include "data/item_list.h"
#include "data/object_db.h"
#include "data/party.h"
#include "g3d/act_draw.h"
#include "gfx2d/game_fonts.h"
#include "sound/sfx_bank.h"
#include "ui/menu/menu_input.h"
#include "ui/menu/menu_numbers.h"
#include "ui/menu/menu_pages.h"
#include "ui/menu/menu_system.h"
#include "ui/paragraph.h"
#include "ui/scroll_list.h"
#include "ui/talk_msg.h"
#include "ui/text_draw.h"
#include "ui/tween.h"
#include "ui/ui_numbers.h"
#include "ui/window_frame.h"

EquipPage equip_page;
ItemNode equip_candidates{};

namespace {

constexpr std::uint16_t equip_panel_act = 9024;  // 0 member panel, 1 slot panel, 2 piece panel, 3 frame, 4 bar
constexpr std::uint16_t equip_icon_act = 9066;
constexpr std::uint16_t preview_arrow_act = 9068;  // 0 rises, 1 falls
constexpr std::uint16_t slot_icon_frames[equip_page_slots] = {0, 1, 2, 2, 3, 3};
constexpr int visible_pieces = 6;
constexpr int piece_panel_x = 380, piece_panel_y = 38;
constexpr std::uint32_t highlight_colour = 0x64FFFFFF;
constexpr std::uint16_t candidate_class = 1;  // the menu's own user class

// 武器, 護具, 飾品, 飾品, 法寶, 法寶
const char* const slot_names[equip_page_slots] = {"\xAA\x5A\xBE\xB9", "\xC5\x40\xA8\xE3", "\xB9\xA2\xAB\x7E",
                                                  "\xB9\xA2\xAB\x7E", "\xAA\x6B\xC4\x5F", "\xAA\x6B\xC4\x5F"};
const char none_name[] = "\xB5\x4C";                                            // 無
const char weapon_stays_message[] = "\xA4\xA3\xAF\xE0\xA8\xF8\xA4\x55\xAA\x5A\xBE\xB9!!%Q";  // 不能卸下武器!!%Q

Tween member_tween, info_tween, slot_tween;
ScrollList piece_list;

// The candidates are the pieces of the slot's type that the menu lists.
std::uint16_t slot_type() { return equip_slot_types[equip_page.slot]; }

int party_slot_of_member() {
  if (menu_party_count <= 0) return -1;
  if (equip_page.member < 0 || equip_page.member >= menu_party_count) equip_page.member = 0;
  return menu_party[equip_page.member];
}

void step_member(int delta) {
  if (menu_party_count <= 0) return;  // nobody to step to
  equip_page.member = (equip_page.member + delta + menu_party_count) % menu_party_count;
  play_sfx(sfx_tab, 1);
  key_nav_mode = 1;
  close_help_panel();
}

void step_slot(int delta) {
  equip_page.slot = (equip_page.slot + delta + equip_page_slots) % equip_page_slots;
  play_sfx(sfx_cursor, 1);
  key_nav_mode = 1;
}

void open_piece_list(int count) {
  piece_list = ScrollList{};
  piece_list.bar_act = equip_panel_act;
  piece_list.bar_qq = 4;
  piece_list.thumb_width = 13;
  piece_list.track_length = 179;
  piece_list.visible_rows = visible_pieces;
  piece_list.item_count = count + 1;  // the last row is "none"
  piece_list.x = piece_panel_x + 210;
  piece_list.y = piece_panel_y;
  piece_list.row_mouse_x = piece_panel_x + 100;
  piece_list.first_row_y = piece_panel_y + 70;
  piece_list.row_height = 30;
  equip_page.cursor_row = equip_page.top_row = 0;
  equip_page.row_count = count + 1;
}

void confirm_slot() {
  const int party_slot = party_slot_of_member();
  if (party_slot < 0) return;
  play_sfx(sfx_select, 1);
  equip_page.state = equip_choosing_piece;
  return_candidates(&party_bag, &equip_candidates);
  open_piece_list(take_candidates(&party_bag, &equip_candidates, slot_type(), member_class_bits[party_slot]));
}

void input_slot_choice() {
  renew_key_nav_mode();
  const int dz = grp_input.get_mouse_dz();
  if (grp_input.key_repeat(key_left)) step_member(-1);
  if (grp_input.key_repeat(key_right)) step_member(+1);
  if (grp_input.key_repeat(key_up) || dz > 0) step_slot(-1);
  if (grp_input.key_repeat(key_down) || dz < 0) step_slot(+1);
  if (dz != 0) grp_input.set_mouse_pos(480, 105 + 40 * equip_page.slot);
  bool clicked_slot = false;
  if (!key_nav_mode) {
    const bool click = grp_input.key_press(key_mouse1) != 0;
    const int tab = first_box_hit({125, 10, 225, 40, 100, 0, menu_party_count}, mouse_x, mouse_y);
    if (tab >= 0 && click) {
      play_sfx(sfx_tab, 1);
      close_help_panel();
      equip_page.member = tab;
    }
    const int row = first_box_hit({380, 90, 580, 130, 0, 40, equip_page_slots}, mouse_x, mouse_y);
    if (row >= 0) {
      if (row != equip_page.slot) play_sfx(sfx_cursor, 1);
      equip_page.slot = row;
      clicked_slot = click;
    }
  }
  if (confirm_key() || clicked_slot) {
    confirm_slot();
  } else if (cancel_key()) {
    play_sfx(sfx_back, 1);
    leave_equip_page();
  }
}

void input_piece_choice() {
  const int drawn_row = equip_page.top_row + equip_page.cursor_row;  // the cursor row of the last draw
  piece_list.item_count = equip_page.row_count;
  piece_list.cursor_row = equip_page.cursor_row;
  piece_list.top_item = equip_page.top_row;
  input_scroll_list(&piece_list);
  equip_page.cursor_row = piece_list.cursor_row;
  equip_page.top_row = piece_list.top_item;
  bool clicked = false;
  if (!key_nav_mode) {
    const int shown = equip_page.row_count - equip_page.top_row;
    const int rows = shown < visible_pieces ? shown : visible_pieces;
    const int row = first_box_hit({380, 90, 580, 130, 0, 30, rows}, mouse_x, mouse_y);
    if (row >= 0) {
      if (row != equip_page.cursor_row) play_sfx(sfx_cursor, 1);
      equip_page.cursor_row = row;
      clicked = grp_input.key_press(key_mouse1) != 0;
    }
  }
  if (confirm_key() || clicked) {
    play_sfx(sfx_select, 1);
    const int row = equip_page.top_row + equip_page.cursor_row;
    ItemNode* choice = equip_candidate_at(row);
    // The row is resolved again here: a piece that is no longer what the page showed under the
    // cursor is not equipped by mistake. Every visible row shows its own piece, so a row the
    // pointer or the keys reached in this very step is taken as it stands.
    if (!choice || row != drawn_row || choice->object == equip_page.shown_object) {
      const int party_slot = party_slot_of_member();
      if (party_slot >= 0) equip_piece(party_slot, equip_page.slot, choice);
    }
    equip_page.state = equip_choosing_slot;
    equip_page.shown_object = 0;
  } else if (cancel_key()) {
    play_sfx(sfx_back, 1);
    equip_page.state = equip_choosing_slot;
    equip_page.shown_object = 0;
  }
}

// ---- Drawing ---------------------------------------------------------------------------------

void draw_growth_record(std::uint16_t object) {
  ItemData item{};
  read_Item(object, &item);
  if (const FameNode* rec = fame_find(object, fame_type_treasure)) {
    draw_fmt(font_16, 120, 280, 20, "\xB5\xA5\xAF\xC5:  %5d/10", int(rec->level));                  // 等級:
    draw_fmt(font_16, 120, 305, 20, "\xB8\x67\xC5\xE7\xAD\xC8:%5d/%d", int(rec->exp), int(rec->level_exp));  // 經驗值:
  } else {
    draw_fmt(font_16, 120, 280, 20, "\xB5\xA5\xAF\xC5:  %5d/10", 1);
    draw_fmt(font_16, 120, 305, 20, "\xB8\x67\xC5\xE7\xAD\xC8:%5d/%d", 0, int(item.atb_delay / 10));
  }
}

void draw_gauges(const RoleData& r, int x, int y) {
  const int cur[3] = {r.hp, r.mp, r.sp}, max[3] = {r.max_hp, r.max_mp, r.max_sp};
  for (int g = 0; g < 3; ++g) {
    draw_menu_gauge(gauge_act, std::uint16_t(g + 1), x + 50, y + 182 + 20 * g, cur[g], max[g]);
    draw_fmt(font_12, x + 20, y + 170 + 20 * g, 20, "    %4d/%4d", cur[g], max[g]);
    draw_act(gauge_label_act, std::uint16_t(g), x + 30, y + 185 + 20 * g, 0);
  }
}

void draw_preview(const RoleData& role, int px, int py) {
  const EquipValues now = equip_values(role);
  const EquipValues then = equip_preview(role, equip_page.slot, equip_page.shown_object);
  for (int i = 0; i < 8; ++i) {
    if (then.v[i] == now.v[i]) continue;
    const std::uint16_t arrow = then.v[i] > now.v[i] ? 0 : 1;
    if (i < 5) {
      draw_fmt(font_12, px, py + 20 * i, 20, "  %4d", then.v[i]);
      draw_act(preview_arrow_act, arrow, px - 10, py + 20 * i - 10, 0);
    } else {
      const int k = i - 5;
      draw_fmt(font_12, px - 70, py + 154 + 20 * k, 20, "  %4d", then.v[i]);
      draw_act(preview_arrow_act, arrow, px - 80, py + 144 + 20 * k, 0);
    }
  }
}

void draw_member_panel(const RoleData& role, int slot, int x, int y) {
  draw_act(equip_panel_act, 0, x, y, 0);
  draw_act(equip_panel_act, 3, x + 20, y + 10, 0);
  draw_member_portrait(slot, x + 70, y + 135);
  draw_fmt(font_16, x + 12, y + 150, 20, "%2d\xAF\xC5", int(role.stats[stat_level]));  // 級
  draw_fmt(font_16, x + 64, y + 150, 26, "%8d", int(role.exp));
  draw_gauges(role, x, y);
  // 攻擊力:, 防禦力:, 速度:, 仙攻:, 仙防:
  static const char* const labels[5] = {"\xA7\xF0\xC0\xBB\xA4\x4F:", "\xA8\xBE\xBF\x6D\xA4\x4F:", "\xB3\x74\xAB\xD7:",
                                        "\xA5\x50\xA7\xF0:", "\xA5\x50\xA8\xBE:"};
  const EquipValues v = equip_values(role);
  for (int i = 0; i < 5; ++i) {
    draw_fmt(font_12, x + 140, y + 20 + 20 * i, 26, "%s", labels[i]);
    draw_fmt(font_12, x + 140, y + 20 + 20 * i, 20, "       %4d", v.v[i]);
  }
  if (equip_page.state == equip_choosing_piece) draw_preview(role, x + 220, y + 20);
}

void draw_member_tabs() {
  for (int i = 0; i < menu_party_count; ++i) {
    const char* name = gmRoleData[menu_party[i]].name;
    draw_text_at(font_20, 125 + 100 * i, 10, name, text_colours[15], GLYPH_PLAIN);
    draw_text_at(font_20, 124 + 100 * i, 10, name, text_colours[15], GLYPH_PLAIN);
  }
  draw_select_bar(118 + 100 * equip_page.member, 4, 90, 30, highlight_colour);
}

// The slot panel; the piece in the selected slot, for the info panel.
std::uint16_t draw_slot_panel(const RoleData& role, int x, int y) {
  draw_act(equip_panel_act, 1, x, y, 0);
  font_12.set_shadow_color(text_colours[15]);
  draw_text_at(font_12, x + 60, y + 10, "\xA8\xA4\xA6\xE2\xA9\xD2\xA6\xB3\xB8\xCB\xB3\xC6", text_colours[15], GLYPH_PLAIN);  // 角色所有裝備
  draw_text_at(font_12, x + 59, y + 10, "\xA8\xA4\xA6\xE2\xA9\xD2\xA6\xB3\xB8\xCB\xB3\xC6", text_colours[15], GLYPH_PLAIN);
  font_12.set_shadow_color(0);
  draw_member_tabs();
  for (int f = 0; f < equip_page_slots; ++f) {
    ItemData piece{};
    const bool held = role.equip[f] != 0 && read_Item(role.equip[f], &piece);
    draw_act(equip_icon_act, slot_icon_frames[f], x + 5, y + 55 + 40 * f, 0);
    draw_fmt(font_20, x + 32, y + 60 + 40 * f, 20, "%s:%-10s", slot_names[f], held ? piece.NAME : none_name);
  }
  const std::uint16_t held = role.equip[equip_page.slot];
  if (equip_page.slot >= 4 && held != 0) draw_growth_record(held);
  draw_select_bar(x + 2, y + 50 + 40 * equip_page.slot, 200, 32, highlight_colour);
  return held;
}

std::uint16_t draw_piece_panel(const RoleData& role) {
  const int x = piece_panel_x, y = piece_panel_y;
  draw_act(equip_panel_act, 2, x, y, 0);
  draw_fmt(font_12, x + 60, y + 10, 20, "\xA5\xD8\xAB\x65\xB8\xCB\xB3\xC6%s", slot_names[equip_page.slot]);  // 目前裝備
  ItemData held{};
  const std::uint16_t held_id = role.equip[equip_page.slot];
  const bool has = held_id != 0 && read_Item(held_id, &held);
  font_16.set_shadow_color(text_colours[15]);
  draw_text_at(font_16, x + 30, y + 28, has ? held.NAME : none_name, text_colours[20], GLYPH_PLAIN);
  draw_text_at(font_16, x + 29, y + 28, has ? held.NAME : none_name, text_colours[20], GLYPH_PLAIN);
  font_16.set_shadow_color(0);
  piece_list.item_count = equip_page.row_count;
  piece_list.cursor_row = equip_page.cursor_row;
  piece_list.top_item = equip_page.top_row;
  draw_scroll_bar(&piece_list);
  for (int i = 0; i < visible_pieces; ++i) {
    const int row = equip_page.top_row + i;
    if (row >= equip_page.row_count) break;
    if (ItemNode* c = equip_candidate_at(row)) {
      draw_text_at(font_20, x + 15, y + 60 + 30 * i, c->item.NAME, text_colours[20], GLYPH_PLAIN);
      draw_fmt(font_20, x + 170, y + 60 + 30 * i, 20, "%2d", c->count + c->new_count);
    } else {
      draw_text_at(font_20, x + 15, y + 60 + 30 * i, none_name, text_colours[20], GLYPH_PLAIN);
    }
  }
  ItemNode* choice = equip_candidate_at(equip_page.top_row + equip_page.cursor_row);
  equip_page.shown_object = choice ? choice->object : 0;
  if (choice && slot_type() == equip_type_treasure) draw_growth_record(choice->object);
  draw_select_bar(x + 2, y + 50 + 30 * equip_page.cursor_row, 200, 32, highlight_colour);
  return equip_page.shown_object;
}

void draw_info(std::uint16_t object) {
  ItemData item{};
  const bool has = object != 0 && read_Item(object, &item);
  int x = 0, y = 0;
  info_tween.get_pos(&x, &y);
  draw_act(info_panel_act, 0, x, y, 0);
  if (has) draw_paragraph(&font_20, item.INFO, x + 15, y + 5, 5, 440, 26);
  draw_help_panel(has ? item.HELP : "");
  draw_help_label(540, 420);
}

}  // namespace

// ---- Rules ------------------------------------------------------------------------------------

// Byte 249 of the record says which party members may wear a piece (bits 1, 2, 8).
std::uint8_t piece_class_mask(const ItemData& item) { return item.byte_249; }

int take_candidates(ItemNode* bag, ItemNode* candidates, std::uint16_t type, std::uint8_t class_bit) {
  ItemNode* tail = candidates;
  while (tail->next) tail = tail->next;
  int moved = 0;
  ItemNode* prev = bag;
  for (ItemNode* node = bag->next; node;) {
    ItemNode* next = node->next;
    if (node->item.kind == type && (piece_class_mask(node->item) & class_bit)) {
      prev->next = next;
      node->next = nullptr;
      tail->next = node;
      tail = node;
      ++moved;
    } else {
      prev = node;
    }
    node = next;
  }
  return moved;
}

void return_candidates(ItemNode* bag, ItemNode* candidates) {
  if (!candidates->next) return;
  ItemNode* tail = bag;
  while (tail->next) tail = tail->next;
  tail->next = candidates->next;
  candidates->next = nullptr;
  sort_item_list(bag);
}

int equip_piece(int party_slot, int slot, ItemNode* choice) {
  if (party_slot < 0 || party_slot > 2 || slot < 0 || slot >= equip_page_slots) return 0;
  RoleData* role = &gmRoleData[party_slot];
  const std::uint16_t old = role->equip[slot];
  if (choice) {
    const std::uint16_t id = choice->object;
    del_equip_bonus(role, slot);
    if (old != 0) add_item(&equip_candidates, old, 1, 2);
    role->equip[slot] = id;
    add_equip_bonus(role, slot);
    // The chosen node may be the one the old piece was just added to; take by number.
    del_item(&equip_candidates, id, 1);
    if (slot >= 4) fame_add(id, 0, 0, fame_type_treasure);
    return 1;
  }
  if (old == 0) return 0;
  if (slot == 0) {
    play_sfx(sfx_refuse, 1);
    add_time_msg(320, 200, 0, 100, weapon_stays_message, 0);
    return 0;
  }
  del_equip_bonus(role, slot);
  add_item(&equip_candidates, old, 1, 1);
  role->equip[slot] = 0;
  add_equip_bonus(role, slot);
  return 1;
}

ItemNode* equip_candidate_at(int row) {
  if (row < 0 || row >= 0xFFFF) return nullptr;
  return get_item_by_type(&equip_candidates, slot_type(), candidate_class, std::uint16_t(row));
}

EquipValues equip_values(const RoleData& r) {
  return {{r.stats[stat_attack], r.stats[stat_defence], r.stats[stat_speed], r.stats[stat_magic_attack],
           r.stats[stat_magic_defence], r.max_hp, r.max_mp, r.max_sp}};
}

// The member is worked on as a copy: the old piece's bonuses come off and the new piece's go on
// exactly as equipping does, so the preview cannot disagree with the equip rule.
EquipValues equip_preview(const RoleData& role, int slot, std::uint16_t object) {
  if (slot < 0 || slot >= equip_page_slots) return equip_values(role);
  RoleData copy = role;
  del_equip_bonus(&copy, slot);
  copy.equip[slot] = object;
  add_equip_bonus(&copy, slot);
  return equip_values(copy);
}

// ---- The page ---------------------------------------------------------------------------------

void enter_equip_page() {
  menu_page = menu_page_equip;
  equip_page = EquipPage{};
  equip_page.state = equip_choosing_slot;
  return_candidates(&party_bag, &equip_candidates);
  open_piece_list(0);
  slide_in_panel(member_tween, -200, 38, 96, 38);
  slide_in_panel(info_tween, 90, 480, 90, 345);
  slide_in_panel(slot_tween, 640, 38, 380, 38);
}

void leave_equip_page() {
  // The frame calls this whenever the menu is left or a bar entry is clicked, so a click the bar
  // refuses leaves whatever page was open for the page bar.
  menu_page = menu_page_bar;
  equip_page.state = equip_closed;
  equip_page.shown_object = 0;
  return_candidates(&party_bag, &equip_candidates);
}

void input_equip_page() {
  if (equip_page.state == equip_choosing_slot) {
    input_slot_choice();
  } else if (equip_page.state == equip_choosing_piece) {
    input_piece_choice();
  }
}

void draw_equip_page(int, int) {
  member_tween.update();
  info_tween.update();
  slot_tween.update();
  const int party_slot = party_slot_of_member();
  std::uint16_t info_object = 0;
  if (party_slot >= 0) {
    const RoleData& role = gmRoleData[party_slot];
    draw_member_panel(role, party_slot, member_tween.get_x(), member_tween.get_y());
    if (equip_page.state == equip_choosing_slot) {
      info_object = draw_slot_panel(role, slot_tween.get_x(), slot_tween.get_y());
    } else if (equip_page.state == equip_choosing_piece) {
      info_object = draw_piece_panel(role);
    }
  }
  draw_info(info_object);
}
