#pragma once
// Small screen pieces: the map-loading screen with its progress bar, the one-line hint of the
// menu pages, and the drawing of a text-entry field with its caret.
#include <cstdint>

class TextInputField;

// Set by the map change while a map loads; the loading screen shows only then.
extern int map_load_in_progress;
// The loading picture (QQ of ACT 9027) the map change picked.
extern int loading_picture_index;

// The loading picture starts again from its first frame (the map change, before it loads).
void reset_loading_picture();
// The loading screen with tenths done, presented at once.
void draw_loading_bar(int tenths);
// The hint text of key from maps.dat table 20 at (x, y).
void draw_hint_line(std::uint16_t key, int x, int y);
// The field's text (a broken last character shown as "@") and, every other 15 calls, its caret.
void draw_text_field(TextInputField* field, int caret, int ignored);
// The text a field shows: its first 64 bytes with a lead byte that lacks its trail shown as "@".
void text_field_shown(const char* text, char out[65]);
