// The developer console.
#include "devtools/dev_console.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <strings.h>

#include "base/residents.h"
#include "battle/fame.h"
#include "battle/fight.h"
#include "battle/fight_debug_atk.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/text_colours.h"
#include "core/text_input_field.h"
#include "data/item_list.h"
#include "data/party.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/glyph_font.h"
#include "ui/talk_msg.h"

TextInputField* console_field = nullptr;
std::string console_last_line;
ConsoleCaret console_caret;

namespace {

constexpr int field_capacity = 255, field_x = 10, field_y = 380;
constexpr int line_size = 64;  // 63 bytes of whole characters and the terminator
constexpr int caret_blink_frames = 15, caret_advance = 9;
constexpr std::uint32_t backdrop_colour = 0x640000C8, backdrop_flags = 0x4000002;
constexpr std::uint32_t caret_colour = 0xFFFFFFFF, caret_flags = 0x4000000;
constexpr int text_colour_entry = 5;
constexpr int art_threshold = 5000;

const char item_message[] = "\xBC" "W\xA5[\xA4" "F\xA4@\xAD\xD3\xAA\xAB\xAB~!!%Q";  // 增加了一個物品!!%Q
const char art_message[] = "\xBC" "W\xA5[\xA4" "F\xA4@\xAD\xD3\xAAk\xB3N!!%Q";    // 增加了一個法術!!%Q
const char monster_message[] = "Add Monster!!%Q";
const char full_message[] = "full !!%Q";

enum class Command { items, money, fight, atk, ms, full };

struct Keyword {
  const char* word;
  int length;
  Command command;
};
// Compared in this order; a later match replaces an earlier one. The one character after the
// keyword is skipped, whatever it is.
constexpr Keyword keywords[] = {
    {"money", 5, Command::money}, {"fight", 5, Command::fight}, {"atk", 3, Command::atk},
    {"ms", 2, Command::ms},       {"full", 4, Command::full},
};

struct QueuedCommand {
  Command command = Command::items;  // items: nothing waits
  int a = 0, b = 0;
};
QueuedCommand queued;

void show(const char* text) { add_time_msg(320, 40, 0, 150, text, 2); }

int saturated_sum(int a, int b) {
  long long s = static_cast<long long>(a) + b;
  if (s > INT_MAX) return INT_MAX;
  if (s < INT_MIN) return INT_MIN;
  return static_cast<int>(s);
}

void run_full() {
  for (int i = 0; i <= 0xFFFF; ++i) {
    FameNode* node = fame_find_nth(fame_type_treasure, static_cast<std::uint16_t>(i));
    if (!node) break;
    node->maxed = 1;
    node->level = 10;
  }
}

// A number below 5000 is an object for the bag; from 5000 on it is an art for party member m
// (1-4; any other m adds nothing).
void run_items(const char* args) {
  int n = 0;
  args = read_int_arg(args, &n);
  if (n < art_threshold) {
    add_item(&party_bag, static_cast<std::uint16_t>(n), 1, 1);
    show(item_message);
    return;
  }
  int m = 0;
  read_int_arg(args, &m);
  if (m >= 1 && m <= party_record_count)
    add_item(&gmRoleData[m - 1].arts, static_cast<std::uint16_t>(n), 1, 1);
  show(art_message);
}

}  // namespace

void open_console() {
  set_flag(flag_console_open);
  set_flag(flag_input_captured);
  console_caret = {};
  delete console_field;
  console_field = new TextInputField("", field_capacity, field_x, field_y);
}

void close_console() {
  clear_flag(flag_console_open);
  clear_flag(flag_input_captured);
  delete console_field;
  console_field = nullptr;
}

void reset_console() {
  close_console();
  console_last_line.clear();
  console_caret = {};
  queued = {};
}

const char* skip_blanks(const char* text) {
  while (*text == ' ' || *text == '\t') ++text;
  return text;
}

const char* read_int_arg(const char* text, int* out) {
  text = skip_blanks(text);
  const bool negative = *text == '-';
  if (negative) ++text;
  long long value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + (*text - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  *out = value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
  return text;
}

void run_console_line(const char* text) {
  char line[line_size] = {};
  std::memcpy(line, text, TextInputField::fit_chars(text, line_size - 1));
  Command command = Command::items;
  std::size_t skip = 0;
  for (const Keyword& k : keywords) {
    if (strncasecmp(line, k.word, std::size_t(k.length)) != 0) continue;
    command = k.command;
    skip = std::size_t(k.length) + 1;
  }
  // A bare keyword has no character to skip: the arguments start at its end.
  const char* args = line + std::min(skip, std::strlen(line));
  int a = 0, b = 0;
  switch (command) {
    case Command::money:
      read_int_arg(args, &a);
      party_money = saturated_sum(party_money, a);
      break;
    case Command::fight:
      read_int_arg(args, &a);
      close_console();
      queued = {Command::fight, a, 0};
      break;
    case Command::atk:
      read_int_arg(read_int_arg(args, &a), &b);
      queued = {Command::atk, a, b};
      close_console();
      break;
    case Command::ms:
      read_int_arg(args, &a);
      add_resident(static_cast<std::uint16_t>(a));
      fame_add(static_cast<std::uint16_t>(a), 1, 0, 0);
      show(monster_message);
      break;
    case Command::full:
      run_full();
      show(full_message);
      break;
    case Command::items:
      run_items(args);
      break;
  }
}

bool console_command_queued() { return queued.command != Command::items; }

void run_queued_console_command() {
  const QueuedCommand c = queued;
  queued = {};
  if (c.command == Command::fight) SFLB_Call_Fight(static_cast<std::uint16_t>(c.a));
  if (c.command == Command::atk)
    fight_debug_atk(static_cast<std::uint16_t>(c.a), static_cast<std::uint16_t>(c.b));
}

void console_input() {
  if (grp_input.key_press(key_escape)) {
    close_console();
    return;
  }
  if (grp_input.key_press(key_up) && console_field) console_field->set_text(console_last_line.c_str());
  if (grp_input.key_press(key_enter) && console_field) {
    char line[line_size];
    console_field->get_text(line, line_size);
    console_last_line = line;
    run_console_line(line);
  }
}

void draw_console(const TextInputField* field) {
  renderer.draw_rect(0, 0, 640, 400, backdrop_colour, backdrop_flags);
  char line[line_size];
  field->get_text(line, line_size);
  // Single bytes of 0x80 and above have no glyph of their own: they show as '@'.
  for (int i = 0; line[i];) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c >= 0x81 && c <= 0xFE && line[i + 1] != 0) {
      i += 2;
      continue;
    }
    if (c >= 0x80) line[i] = '@';
    ++i;
  }
  if (std::uint16_t* pixels = renderer.lock_back_buffer()) {
    font_16.set_back_color(GlyphFont::kNoBackground);
    font_16.draw_text(pixels, field->get_x(), field->get_y(), line, text_colours[text_colour_entry], GLYPH_BOLD_OUTLINE);
    renderer.unlock_back_buffer(pixels);
  }
  if (console_caret.frames >= caret_blink_frames) {
    console_caret.shown ^= 1;
    console_caret.frames = 0;
  }
  if (console_caret.shown == 1)
    renderer.draw_rect(field->get_x() + caret_advance * field->get_cursor(), field->get_y(), 2, 20, caret_colour,
                       caret_flags);
  ++console_caret.frames;
}

void update_console() {
  if (!test_flag(flag_console_open)) return;
  console_input();
  if (console_field) draw_console(console_field);
}
