#pragma once
// Message boxes: every line of dialogue, narration, refusal and question. Boxes live in one list,
// each with its own 512-byte copy of its Big5 text and markup ("%N", "%C5", "%B是.", ... "%Q").
// The frame tick runs input_talkmsg before the mode's input; each screen's 2D pass runs
// show_talkmsg, which opens, types, pages and draws every box and deletes the finished ones.
#include <cstdint>

constexpr int talk_text_size = 512;  // a box's own text block; texts are cut at 511 bytes

// Flags of a box: the template sets the low ones, the high ones are state.
constexpr std::uint32_t talk_timed = 0x1;              // turns pages and closes by its duration
constexpr std::uint32_t talk_flat = 0x2;               // a filled rectangle instead of the frame
constexpr std::uint32_t talk_no_arrow = 0x8;
constexpr std::uint32_t talk_keys_off = 0x10;          // goes on only when its duration marks it
constexpr std::uint32_t talk_time_from_end = 0x20;     // times count from the end of the text
constexpr std::uint32_t talk_at_point = 0x40;          // opens from the anchor point
constexpr std::uint32_t talk_constant_speed = 0x800;   // opens and moves at a constant speed
constexpr std::uint32_t talk_label = 0x1000;           // one-line label over the speaker's head
constexpr std::uint32_t talk_open_anim = 0x2000;       // grows from 40 x 40 at the speaker
constexpr std::uint32_t talk_auto_size = 0x4000;       // width and height count columns and lines
constexpr std::uint32_t talk_arrived = 0x100000;
constexpr std::uint32_t talk_finish_page = 0x200000;
constexpr std::uint32_t talk_fixed_speed = 0x400000;   // "%K" seen
constexpr std::uint32_t talk_has_buttons = 0x2000000;
constexpr std::uint32_t talk_close = 0x10000000;
constexpr std::uint32_t talk_text_ended = 0x20000000;
constexpr std::uint32_t talk_page_full = 0x40000000;
constexpr std::uint32_t talk_go_on = 0x80000000;

// talk_box_state (core/flags.h) values the boxes write.
constexpr std::uint32_t talk_state_open = 0x10;
constexpr std::uint32_t talk_state_closed = 1;
constexpr std::uint32_t talk_state_closed_in_battle = 4;
constexpr std::uint32_t talk_state_video = 0x20;  // a talk's video is under way

// The speaker role's STATE bit while one of its boxes is open.
constexpr std::uint32_t role_box_open = 0x08000000;

struct TalkMsg {
  float anchor[3] = {};      // the world point of talk_at_point
  char name[18] = {};        // shown on a plate above the box; empty: no plate
  std::uint16_t frame_act = 0;
  std::uint32_t flags = 0;
  std::uint32_t user_value = 0;
  std::uint32_t flat_colour = 0;  // ARGB, rebuilt each frame from the bytes below
  std::uint32_t min_time = 0;     // ms before keys count
  std::uint32_t duration = 0;     // ms; 0: none
  std::uint32_t start_time = 0;
  std::uint32_t current_time = 0;
  float cur_w = 0, cur_h = 0;
  std::uint16_t speaker = 0;      // index into gmMapRole
  std::uint16_t buttons_drawn = 0;
  std::int16_t cur_x = 0, cur_y = 0;
  std::int16_t target_x = 0, target_y = 0;
  std::uint16_t open_speed = 0;
  std::uint16_t width = 0, height = 0;
  std::uint16_t margin_x = 0, margin_y = 0;
  std::uint16_t char_spacing = 0, line_spacing = 0;
  std::uint16_t text_colour = 0;
  std::int32_t typing_delay = 0;     // frames per token, plus one
  std::int32_t typing_countdown = 0;
  std::uint8_t red = 0, green = 0, blue = 0;
  std::uint8_t alpha_target = 0, alpha_now = 0;
  std::uint16_t text_length = 0;
  char* text = nullptr;
  char* page_start = nullptr;
  char* typed_end = nullptr;
  TalkMsg* next = nullptr;
};

// Shared with the talk interpreter and every screen.
constexpr int talk_string_slots = 10;
constexpr int talk_string_size = 20;
extern char talk_strings[talk_string_slots][talk_string_size];  // "%F" strings, each ended by "."
extern int talk_string_count;
extern std::uint16_t talk_char_spacing[2];  // character and line spacing; 5 and 5
extern std::uint32_t talk_box_colour;       // ARGB of flat boxes
extern int key_nav_mode;  // 1 after a key moved a selection: mouse hover is ignored
extern int mouse_idle;    // 1 while the field hides the idle mouse cursor

void add_talkmsg(const TalkMsg* templ);
// A waiting box for the role 0xFF01 at (x, y), w x h; duration in units of 10 ms.
void add_txt_msg(int x, int y, int w, int h, std::uint32_t min_ms, std::uint32_t duration_10ms, const char* text,
                 std::uint32_t user_value);
// A one-line box centred on (x, y) that closes itself after its duration (units of 10 ms).
void add_time_msg(int x, int y, int ignored, std::uint32_t duration_10ms, const char* text,
                  std::uint32_t user_value);
void show_talkmsg();
void input_talkmsg();
void del_talkmsg_at(int index);
void del_talkmsg(std::uint16_t RoleID);
void del_all_talkmsg();
int check_talkmsg_end(std::uint16_t speaker);
int check_txt_msg_end();

// The list, for the screens and tests that look at it.
TalkMsg* talkmsg_head();
int talkmsg_count();
