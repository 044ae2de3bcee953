// The houses page.
#include "base/houses_screen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/base_camp.h"
#include "base/base_numbers.h"
#include "base/base_pages.h"
#include "base/base_scene.h"
#include "base/base_top_menu.h"
#include "base/build_screen.h"
#include "base/list_scroll.h"
#include "base/escort.h"
#include "base/exiles.h"
#include "base/house_costs.h"
#include "base/house_kinds.h"
#include "base/house_table.h"
#include "base/houses.h"
#include "base/residents.h"
#include "base/training_screen.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "data/item_data.h"
#include "data/magic_study.h"
#include "data/object_db.h"
#include "g3d/motion.h"
#include "g3d/renderer.h"
#include "gfx2d/glyph_font.h"
#include "sound/sfx_bank.h"
#include "ui/cursor.h"
#include "ui/menu/menu_system.h"
#include "ui/paragraph.h"
#include "ui/talk_msg.h"
#include "ui/text_draw.h"
#include "ui/window_frame.h"

int houses_state = houses_list;
int selected_house_id = 0;
int house_command = 0;
int house_command_count = 0;
HouseCommand house_commands[6] = {};
int upgrade_running = 0;
const char* const house_command_names[7] = {"", "\xA5\xCD\xB2\xA3", "\xB0\x74\xB8\x6D", "\xA4\xC9\xAF\xC5", "\xA9\xEE\xB0\xA3", "\xAD\xD7\xBD\x6D", "\xAA\x6B\xB3\x4E"};  // 生產 配置 升級 拆除 修練 法術

namespace {

constexpr int list_x = 27, list_y = 42, detail_x = 260, detail_y = 42;
enum CommandName : std::uint16_t { cmd_produce = 1, cmd_staff = 2, cmd_upgrade = 3, cmd_demolish = 4, cmd_train = 5, cmd_magic = 6 };
int selected_label = 0, selected_level = 1;
int upgrade_house_id = 0;  // the house whose upgrade was paid: its level rises when the effect ends

void message(const char* text, int width, int height = 64) { add_txt_msg(224, 176, width, height, 50, 800, text, 2); }

void refuse(const char* text, int width) {
  message(text, width);
  play_sfx(sfx_base_refused, 0);
}

void to_list() {
  houses_state = houses_list;
  house_command = 0;
  base_tooltip[0] = 0;
}

void open_commands() {
  houses_state = houses_commands;
  house_command = 1;
  grp_input.set_mouse_pos(detail_x + 44, detail_y + 36);
  base_tooltip[0] = 0;
  play_sfx(sfx_base_open, 0);
}

void input_list() {
  base_camera.set_point_interp(3);
  base_camera.set_dist_interp(3);
  const int visible = std::min(house_table_rows - house_table_top, house_table_visible);
  hover_row(list_x, list_y, visible, &list_row);
  if (cancel_pressed()) {
    house_table_top = 0;
    back_to_overview();
    return;
  }
  if (grp_input.key_repeat(key_mouse1)) {
    if (click_top_bar(mouse_x, mouse_y)) return;
    if (mouse_x > list_x + 33 && mouse_x < list_x + 183)
      for (int i = 0; i < visible; ++i)
        if (mouse_y > list_y + 60 + 35 * i && mouse_y < list_y + 90 + 35 * i) {
          open_commands();
          return;
        }
    if (click_scroll_bar(mouse_x, mouse_y, &house_table_top, house_table_rows)) return;
  }
  if (grp_input.key_repeat(key_left) || grp_input.key_repeat(key_right)) mouse_keyboard_lock = 1;
  if (grp_input.key_repeat(key_up)) {
    scroll_list_up(&house_table_top);
    mouse_keyboard_lock = 1;
  }
  if (grp_input.key_repeat(key_down)) {
    scroll_list_down(&house_table_top, house_table_rows);
    list_row = std::min(list_row, std::max(1, visible));
    mouse_keyboard_lock = 1;
  }
  if (grp_input.key_repeat(key_page_up)) page_list_up(&house_table_top);
  if (grp_input.key_repeat(key_page_down)) page_list_down(&house_table_top, house_table_rows);
  if (confirm_pressed() && house_table_rows) open_commands();
}

void perform_command() {
  if (house_command < 1 || house_command > house_command_count) return;
  const std::uint16_t name = house_commands[house_command - 1].name;
  const int kind = selected_kind;
  switch (name) {
    case cmd_demolish:
      confirm_choice = 1;
      houses_state = houses_demolish;
      play_sfx(sfx_base_open, 0);
      return;
    case cmd_produce:
      list_row = 1;
      base_sub_mode = kind <= 6 ? base_weapons : kind <= 9 ? base_armour : kind <= 12 ? base_items : base_treasures;
      production_recipe_key = (kind - 4) % 3 + 1;
      picked_house_id = selected_house_id;
      play_sfx(sfx_base_open, 0);
      return;
    case cmd_staff:
      list_row = 1;
      if (kind == house_formation) {
        base_sub_mode = base_formation_screen;
        picked_house_id = selected_house_id;
        reset_formation_selection();
      } else {
        houses_state = houses_workers;
        reset_idle_list();
      }
      play_sfx(sfx_base_open, 0);
      return;
    case cmd_train:
    case cmd_magic:
      if (name == cmd_train) list_row = 1;
      base_sub_mode = base_training_screen;
      training_page = name == cmd_magic ? training_magic : training_masters;
      picked_house_id = selected_house_id;
      play_sfx(sfx_base_open, 0);
      return;
    case cmd_upgrade: {
      const int top = kind == house_formation ? formation_max_level : training_max_level;
      if (selected_level >= top) {
        refuse("\xB5\xA5\xAF\xC5\xB3\xCC\xB0\xAA\xA1\x41\xB5\x4C\xAA\x6B\xA6\x41\xA4\xC9\xAF\xC5!%Q", 264);  // 等級最高，無法再升級!%Q
        return;
      }
      confirm_choice = 0;
      picked_house_id = selected_house_id;
      houses_state = houses_upgrade;
      play_sfx(sfx_base_open, 0);
      return;
    }
    default: return;
  }
}

void input_commands() {
  if (upgrade_running == 1) return;
  if (!mouse_keyboard_lock && mouse_y > detail_y + 5 && mouse_y < detail_y + 40)
    for (int i = 0; i < house_command_count; ++i)
      if (mouse_x > detail_x + 30 + 30 * i && mouse_x < detail_x + 55 + 30 * i && house_command != i + 1) {
        house_command = i + 1;
        play_sfx(sfx_base_cursor, 0);
      }
  if (cancel_pressed()) {
    to_list();
    play_sfx(sfx_base_back, 0);
    return;
  }
  if (grp_input.key_repeat(key_left)) house_command = std::max(1, house_command - 1), mouse_keyboard_lock = 1, play_sfx(sfx_base_cursor, 0);
  if (grp_input.key_repeat(key_right))
    house_command = std::min(house_command_count, house_command + 1), mouse_keyboard_lock = 1, play_sfx(sfx_base_cursor, 0);
  if (grp_input.key_repeat(key_up) || grp_input.key_repeat(key_down)) mouse_keyboard_lock = 1;
  if (grp_input.key_press(key_mouse1)) {
    if (click_top_bar(mouse_x, mouse_y)) return;
    const int visible = std::min(house_table_rows - house_table_top, house_table_visible);
    if (mouse_x > list_x + 33 && mouse_x < list_x + 183)
      for (int i = 0; i < visible; ++i)
        if (mouse_y > list_y + 60 + 35 * i && mouse_y < list_y + 90 + 35 * i) {
          to_list();
          play_sfx(sfx_base_open, 0);
          return;
        }
    if (mouse_y > detail_y + 5 && mouse_y < detail_y + 40)
      for (int i = 0; i < house_command_count; ++i)
        if (mouse_x > detail_x + 30 + 30 * i && mouse_x < detail_x + 55 + 30 * i) {
          perform_command();
          return;
        }
    return;
  }
  if (confirm_pressed()) perform_command();
}

void back_to_commands(int sound) {
  houses_state = houses_commands;
  confirm_choice = 0;
  base_tooltip[0] = 0;
  play_sfx(sound, 0);
}

void input_demolish() {
  const bool in_row = mouse_y > 310 && mouse_y < 345;
  if (in_row && !mouse_keyboard_lock)
    for (int i = 0; i < 2; ++i)
      if (mouse_x > 304 + 90 * i && mouse_x < 341 + 90 * i && confirm_choice != i) {
        confirm_choice = i;
        play_sfx(sfx_base_cursor, 0);
      }
  if (cancel_pressed()) {
    back_to_commands(sfx_base_back);
    return;
  }
  if (grp_input.key_press(key_mouse1) && in_row) {
    if (mouse_x > 304 && mouse_x < 341 && confirm_choice == 0) demolish_selected_house();
    else if (mouse_x > 394 && mouse_x < 431 && confirm_choice == 1) back_to_commands(sfx_base_back);
    return;
  }
  if (confirm_pressed()) {
    if (confirm_choice == 1) back_to_commands(sfx_base_back);
    else demolish_selected_house();
    return;
  }
  if (grp_input.key_repeat(key_left)) confirm_choice = 0, mouse_keyboard_lock = 1, play_sfx(sfx_base_cursor, 0);
  if (grp_input.key_repeat(key_right)) confirm_choice = 1, mouse_keyboard_lock = 1, play_sfx(sfx_base_cursor, 0);
}

void input_upgrade() {
  if (cancel_pressed()) {
    back_to_commands(sfx_base_box_leave);
    return;
  }
  if (grp_input.key_press(key_mouse1) && mouse_x > detail_x + 230 && mouse_x < detail_x + 322 &&
      mouse_y > detail_y + 190 && mouse_y < detail_y + 215) {
    upgrade_selected_house();
    return;
  }
  if (confirm_pressed()) {
    if (confirm_choice == 0) {
      confirm_choice = 1;
      play_sfx(sfx_base_box_leave, 0);
    } else {
      upgrade_selected_house();
    }
  }
}

// Why a dwelling may not go, or null.
const char* dwelling_refusal(const HouseRecord* h, int* width) {
  *width = 270;
  if (!has_spare_dwelling(h)) {
    *width = 264;
    return "\xBD\xD0\xAF\x64\xA4\x40\xB4\xC9\xA9\x7E\xA6\xED\xAB\xCE\xA7\x61~~%Q";  // 請留一棟居住屋吧~~%Q
  }
  for (int i = 0; i < std::min(h->capacity, 10); ++i)
    if (h->residents[i].monster && h->residents[i].link) return "\xBD\xD0\xA5\xFD\xB8\xD1\xB0\xA3\xAB\xCE\xA4\xBA\xA9\xC7\xAA\xAB\xAB\xFC\xAC\xA3!%Q";  // 請先解除屋內怪物指派!%Q
  for (int i = 0; i < std::min(h->capacity, 10); ++i) {
    ItemData d{};
    if (h->residents[i].monster && read_Item(h->residents[i].monster, &d) == 1 && d.story_flag == 1)
      return "\xBC\x40\xB1\xA1\xA8\xA4\xA6\xE2\xA6\x73\xA6\x62\xB5\x4C\xAA\x6B\xA7\x52\xB0\xA3!%Q";  // 劇情角色存在無法刪除!%Q
  }
  // The exile list must take every resident, or they would be lost.
  if (exile_count() + h->resident_count > exile_entries - 1) {
    *width = 200;
    return "\xAC\x79\xA9\xF1\xA9\x7E\xA5\xC1\xB9\x4C\xA6\x68\xA1\x41\xBD\xD0\xAD\xAB\xB7\x73\xB0\xB5\xBD\xD5\xBE\xE3!%Q";  // 流放居民過多，請重新做調整!%Q
  }
  return nullptr;
}

void release_workers(HouseRecord* h) {
  for (int n = 1; n <= std::min(h->capacity, 10) && h->resident_count > 0; ++n) {
    if (release_worker(h, n)) continue;
    char text[96];
    std::snprintf(text, sizeof text, "\xC4\xC0\xA9\xF1 %s \xA4\xBA \xB2\xC4%d\xAD\xD3 \xA9\xC7\xAA\xAB\xA5\x58\xBF\xF9!%%Q", house_kind_name(h->kind), n - 1);  // 釋放 %s 內 第%d個 怪物出錯!%%Q
    message(text, 230, 90);
  }
}

void draw_rows() {
  selected_kind = selected_house_id = 0;
  selected_label = 0, selected_level = 1;
  ItemData d{};
  char text[64];
  for (int i = house_table_top; i < std::min(house_table_rows, house_table_top + house_table_visible); ++i) {
    const HouseTableRow& row = house_table[std::size_t(i)];
    const int y = list_y + 70 + 35 * (i - house_table_top);
    read_Item(house_level_object(row.kind, row.level), &d);
    if ((row.kind == 16 || row.kind == 17) && row.level > 1)
      draw_base_sprite(base_icon_act, std::uint16_t(row.level + 41), list_x + 103, y - 7);
    const int label = std::clamp(int(row.label), 0, house_label_count - 1);
    if (is_dwelling_kind(row.kind) || row.kind == house_formation) std::snprintf(text, sizeof text, "%s%s", d.NAME, house_labels[label]);
    else std::snprintf(text, sizeof text, "%s", d.NAME);
    draw_bold(base_font_16, list_x + 33, y, text, 15);
    if (i == house_table_top + list_row - 1) {
      selected_kind = row.kind, selected_house_id = row.id;
      selected_label = label, selected_level = row.level;
    }
  }
}

void draw_name_and_help(const ItemData& d) {
  draw_base_sprite(base_icon_act, 49, detail_x + 10, detail_y + 224);
  draw_base_sprite(base_icon_act, 50, detail_x + 130, detail_y + 224);
  char text[64];
  if (is_dwelling_kind(selected_kind) || selected_kind == house_formation)
    std::snprintf(text, sizeof text, " %s%s", d.NAME, house_labels[selected_label]);
  else
    std::snprintf(text, sizeof text, " %s", d.NAME);
  draw_bold(base_font_16, detail_x + 40, detail_y + 230, text, 15);
  base_font_16.set_shadow_color(text_colours[31]);
  draw_paragraph(&base_font_16, d.HELP, detail_x + 30, detail_y + 282, 4, 310, 15);
  base_font_16.set_shadow_color(0);
}

void draw_monster_name(std::uint16_t monster, int x, int y, int colour) {
  ItemData m{};
  if (monster && read_Item(monster, &m) == 1) draw_bold(base_font_16, x, y, m.NAME, colour);
}

void draw_details() {
  draw_rows();
  const HouseRecord* h = find_house(selected_house_id);
  clear_house_commands();
  if (!selected_kind || !h) return;
  fill_house_commands(selected_kind);
  const int x = detail_x, y = detail_y;
  char text[32];
  if (is_dwelling_kind(selected_kind)) {
    draw_base_sprite(base_panel_act, 12, x, y);
    draw_bold(base_font_16, x + 190, y + 60, "\xA9\x7E\xA5\xC1\xBC\xC6\xB6\x71", 15);  // 居民數量
    std::snprintf(text, sizeof text, "%d/%d", h->resident_count, h->capacity);
    draw_bold(base_font_12, x + 280, y + 63, text, 16);
  } else if (selected_kind <= 15) {
    draw_base_sprite(base_panel_act, 13, x, y);
    for (int i = 0; i < std::min(h->capacity, 10); ++i) draw_monster_name(h->residents[i].monster, x + 200, y + 113 + 25 * i, 18);
    const char* const skills[4] = {"\xA7\x4D\xAA\xF7", "\xBE\xE3\xB3\xC6", "\xBB\x73\xC3\xC4", "\xAF\xAB\xA7\xDE"};  // 冶金 整備 製藥 神技
    for (int k = 0; k < 4; ++k) {
      draw_bold(base_font_12, x + 200 + 60 * (k % 2), y + 54 + 20 * (k / 2), skills[k], 17);
      std::snprintf(text, sizeof text, "%3d", h->skill_totals[k]);
      draw_bold(base_font_12, x + 230 + 60 * (k % 2), y + 54 + 20 * (k / 2), text, 16);
    }
  } else {
    draw_base_sprite(base_panel_act, selected_kind == house_formation ? 14 : 15, x, y);
    if (h->level > 1) draw_base_sprite(base_icon_act, std::uint16_t(h->level + 41), x + 115, y + 223);
    if (selected_kind == house_formation) {
      draw_bold(base_font_12, x + 225, y + 53, "\xA5\x44 \xC5\x40 \xBE\x72", 17);  // 主 護 駕
      draw_monster_name(h->residents[0].monster, x + 220, y + 78, 25);
      draw_bold(base_font_12, x + 223, y + 113, "\xAB\xE1\xB3\xC6\xA7\xAF\xC5\x5D", 17);  // 後備妖魔
      for (int i = 1; i < std::min(h->capacity, 5); ++i) draw_monster_name(h->residents[i].monster, x + 220, y + 113 + 25 * i, 18);
    } else {
      draw_bold(base_font_12, x + 223, y + 53, "\xAE\x76\xBD\x64\xA7\xAF\xC5\x5D", 17);  // 師範妖魔
      draw_monster_name(h->residents[0].monster, x + 221, y + 78, 18);
      draw_bold(base_font_12, x + 223, y + 113, "\xBE\xC7\xB2\xDF\xAA\x6B\xB3\x4E", 17);  // 學習法術
      ItemData master{}, spell{};
      if (h->residents[0].monster && read_Item(h->residents[0].monster, &master) == 1 && master.teach_spell &&
          read_Item(master.teach_spell, &spell) == 1) {
        draw_bold(base_font_16, x + 221, y + 138, spell.NAME, 19);
        std::snprintf(text, sizeof text, "%4d/%d", current_study.progress, item_study_goal(spell));
        draw_bold(base_font_16, x + 210, y + 163, text, 16);
      }
    }
  }
  const int hop = int(menu_tab_bounce.current.y) + 10;
  if (step_bounce(&menu_tab_bounce)) menu_tab_bounce.started = 0;
  for (int i = 0; i < house_command_count; ++i) {
    const bool lit = house_command == i + 1;
    draw_base_sprite(base_icon_act, std::uint16_t(house_commands[i].icon + (lit ? 1 : 0)), x + 30 + 30 * i,
                     lit ? hop : y + 10);
  }
  ItemData d{};
  read_Item(house_level_object(selected_kind, selected_level), &d);
  draw_name_and_help(d);
  if (upgrade_running == 1 && !has_base_effect(2)) {
    upgrade_house_level(find_house(upgrade_house_id));
    upgrade_running = 0;
  }
  draw_house_icon(selected_kind, h->level, 1, 5800, 1000, 2500);
}

void draw_upgrade_preview() {
  draw_rows();
  renderer.draw_rect(0, 0, 640, 480, 0x50000000, 2);
  const HouseRecord* h = find_house(selected_house_id);
  clear_house_commands();
  if (!h || (selected_kind != house_formation && selected_kind != house_training)) return;
  const int top = selected_kind == house_formation ? formation_max_level : training_max_level;
  draw_base_sprite(base_panel_act, 12, detail_x, detail_y);
  if (h->level < top)
    draw_base_sprite(base_icon_act, std::uint16_t(h->level + 42), detail_x + (selected_kind == house_formation ? 100 : 115),
                     detail_y + 223);
  ItemData next{};
  read_Item(house_level_object(selected_kind, h->level + 1), &next);
  check_build_cost(next);
  const struct { int value, enough, x, y; } costs[] = {{next.cost_money, cost_enough[3], 218, 54}, {next.cost_metal, cost_enough[0], 282, 54},
                                                        {next.cost_wood, cost_enough[1], 218, 74}, {next.cost_coal, cost_enough[2], 282, 74}};
  const std::uint16_t icons[4][3] = {{33, 190, 44}, {30, 253, 45}, {31, 190, 65}, {32, 253, 63}};
  char text[16];
  for (int i = 0; i < 4; ++i) {
    draw_base_sprite(base_icon_act, icons[i][0], detail_x + icons[i][1], detail_y + icons[i][2]);
    std::snprintf(text, sizeof text, "%d", costs[i].value);
    draw_bold(base_font_12, detail_x + costs[i].x, detail_y + costs[i].y, text, costs[i].enough ? 16 : 25);
  }
  draw_name_and_help(next);
  draw_house_icon(selected_kind, h->level + 1, 1, 5800, 1000, 2500);
}

}  // namespace

void clear_house_commands() {
  for (HouseCommand& c : house_commands) c.icon = 0;
  house_command_count = 0;
}

void fill_house_commands(int kind) {
  static const HouseCommand dwelling[] = {{20, cmd_demolish}};
  static const HouseCommand workshop[] = {{11, cmd_produce}, {14, cmd_staff}, {20, cmd_demolish}};
  static const HouseCommand formation[] = {{14, cmd_staff}, {17, cmd_upgrade}, {20, cmd_demolish}};
  static const HouseCommand training[] = {{23, cmd_train}, {17, cmd_upgrade}, {26, cmd_magic}, {20, cmd_demolish}};
  auto take = [](const auto& table) {
    house_command_count = int(std::size(table));
    for (int i = 0; i < house_command_count; ++i) house_commands[i] = table[i];
  };
  if (is_dwelling_kind(kind)) take(dwelling);
  else if (kind <= 15) take(workshop);
  else if (kind == house_formation) take(formation);
  else take(training);
}

void demolish_selected_house() {
  HouseRecord* h = house_of_selected_row();
  if (h) {
    if (is_dwelling_kind(h->kind)) {
      int width = 0;
      if (const char* why = dwelling_refusal(h, &width)) {
        refuse(why, width);
        return;
      }
      if (h->resident_count) {
        for (int i = 0; i < std::min(h->capacity, 10); ++i)
          if (h->residents[i].monster) add_exile(h->residents[i].monster);
        message("\xAB\xCE\xA4\xBA\xA9\xC7\xAA\xAB\xAC\x79\xA9\xF1!%Q", 200);  // 屋內怪物流放!%Q
      }
    } else if (h->resident_count) {
      release_workers(h);
      message("\xAB\xCE\xA4\xBA\xA9\xC7\xAA\xAB\xA5\xF4\xB0\xC8\xB8\xD1\xB0\xA3!%Q", 264);  // 屋內怪物任務解除!%Q
    }
    unmark_house_cells(h);
    h->active = 0;
    exiles_move_in();
    play_sfx(sfx_base_demolished, 0);
  }
  list_row = std::max(1, list_row - 1);
  house_command = 0;
  houses_state = houses_list;
}

void upgrade_selected_house() {
  houses_state = houses_commands;
  HouseRecord* h = house_of_selected_row();
  if (!h) return;
  if ((h->kind == house_formation && h->level >= formation_max_level) ||
      (h->kind == house_training && h->level >= training_max_level) ||
      (h->kind != house_formation && h->kind != house_training)) {
    play_sfx(sfx_base_refused, 0);
    return;
  }
  build_site[0] = 5800, build_site[1] = 1100, build_site[2] = 2500;
  if (!pay_house_cost(h->kind, h->level + 1)) {
    refuse("\xB8\xEA\xB7\xBD\xA4\xA3\xA8\xAC\xA1\x41\xB5\x4C\xAA\x6B\xA4\xC9\xAF\xC5!%Q", 264);  // 資源不足，無法升級!%Q
    return;
  }
  upgrade_running = 1;
  upgrade_house_id = h->id;
  add_base_effect(2, 5800, 1100, 2500, build_site[3], &h->act, h->rotation);
  play_sfx(sfx_base_upgrade, 0);
}

void input_houses_screen() {
  if (houses_state == houses_workers) {
    input_workers_screen();
    return;
  }
  arbitrate_mouse();
  if (panels_settled == 1 && start_base_tutorial(flag_tutorial_houses)) {
    cursor_act.qq = base_cursor_busy;
    return;
  }
  switch (houses_state) {
    case houses_list: input_list(); break;
    case houses_commands: input_commands(); break;
    case houses_demolish: input_demolish(); break;
    case houses_upgrade: input_upgrade(); break;
    default: houses_state = houses_list; break;
  }
}

void open_houses_on(int id) {
  if (base_sub_mode < base_weapons && houses_state != houses_workers) {
    slide_panels_in();
    house_command = 1;
  }
  base_sub_mode = base_top_menu;
  top_menu_page = page_houses;
  houses_state = houses_commands;
  build_house_table();
  position_house_table(id);
}

void draw_houses_panel() {
  draw_base_sprite(base_panel_act, 11, list_x, list_y);
  draw_base_sprite(base_panel_act, 5, list_x + 188, list_y + 58);
  if (house_table_rows > house_table_visible)
    renderer.draw_rect(list_x + 194, list_y + 88 + house_table_top * 260 / house_table_rows, 11, 2340 / house_table_rows,
                       0x969B5F23, 2);
  else if (house_table_rows)
    renderer.draw_rect(list_x + 194, list_y + 88, 11, 260, 0x969B5F23, 2);
  draw_text_at(base_font_16, list_x + 50, list_y + 21, "\xB2\x7B\xA6\xB3\xAB\xCE\xAA\xD9\xB2\x4D\xB3\xE6", text_colours[20], GLYPH_BOLD_OUTLINE);  // 現有屋舍清單
  draw_select_bar(list_x + 23, list_y + 60 + 35 * (list_row - 1), 160, 30,
                  houses_state == houses_commands ? 0x78696969 : 0x78FFFFFF);
  if (houses_state == houses_upgrade) draw_upgrade_preview();
  else draw_details();
  draw_text_at(base_font_16, detail_x + 215, detail_y + 20, houses_state == houses_upgrade ? "\xA4\xC9\xAF\xC5\xBB\xDD\xA8\x44" : "\xAB\xCE\xAA\xD9\xB8\xEA\xAE\xC6",  // 升級需求 屋舍資料
               text_colours[20], GLYPH_BOLD_OUTLINE);
  if (houses_state == houses_demolish) {
    renderer.draw_rect(0, 0, 640, 480, 0x50000000, 2);
    draw_base_sprite(base_panel_act, 6, 250, 250);
    base_font_18.set_advance(20);
    draw_text_at(base_font_18, 310, 272, "\xAB\xCE\xAA\xD9\xA9\xEE\xB0\xA3\xBD\x54\xA9\x77", text_colours[20], GLYPH_BOLD_OUTLINE);  // 屋舍拆除確定
    base_font_18.set_advance(18);
    draw_base_sprite(base_panel_act, confirm_choice == 0 ? 7 : 8, 304, 307);
    draw_base_sprite(base_panel_act, confirm_choice == 1 ? 9 : 10, 395, 307);
  }
  if (houses_state == houses_upgrade) {
    draw_text_at(base_font_16, detail_x + 50, detail_y + 20, "\xA4\xC9\xAF\xC5\xB9\x77\xC4\xFD", text_colours[20], GLYPH_BOLD_OUTLINE);  // 升級預覽
    draw_base_sprite(base_icon_act, 42, detail_x + 295, detail_y + 190);
    draw_bold(base_font_12, detail_x + 235, detail_y + 200, "\xBD\x54\xA9\x77\xA4\xC9\xAF\xC5", 17);  // 確定升級
    if (confirm_choice == 1) draw_select_frame(detail_x + 270, detail_y + 202, 92, 25);
  }
}

void houses_tooltip() {
  if (house_command_count <= 0) return;
  if (mouse_y > detail_y + 10 && mouse_y < detail_y + 32) {
    for (int i = 0; i < house_command_count; ++i)
      if (mouse_x > detail_x + 28 + 30 * i && mouse_x < detail_x + 50 + 30 * i)
        std::snprintf(base_tooltip, sizeof base_tooltip, "%s", house_command_names[house_commands[i].name]);
    return;
  }
  if (!hud_name_at(mouse_x, mouse_y)) base_tooltip[0] = 0;
}
