#pragma once
// A single-line editor for Big5 text that takes its keys and characters from the window's own
// messages (the window procedure hands them over while a field is active), so that typed and
// composed text reaches it; the host's text input and input method are on while a field exists.
// Nothing in the field draws: its owner draws the text at x, y with the cursor at the byte
// offset it reads.
//
// Text is bytes of code page 950: a character is one byte, or a lead byte 0x81-0xFE and the
// byte after it. A lead byte directly before the terminator counts as a one-byte character.
#include <cstdint>

#include "platform/events.h"

// 1 between a lead byte and its trail byte arriving as separate Char messages; shared by all
// fields.
extern int pending_lead_byte;

class TextInputField {
 public:
  // Results: editing, Enter pressed, Escape pressed.
  static constexpr int kEditing = 0, kEntered = 1, kEscaped = 2;

  TextInputField(const char* text, int capacity, int x, int y);
  ~TextInputField();
  TextInputField(const TextInputField&) = delete;
  TextInputField& operator=(const TextInputField&) = delete;

  int get_x() const { return x_; }
  int get_y() const { return y_; }
  int get_cursor() const { return cursor_; }
  int get_result() const { return result_; }
  void set_result(int r) { result_ = r; }
  int get_insert_mode() const { return insert_mode_; }
  void set_insert_mode(int) { insert_mode_ = 1; }  // overwriting is not offered

  // Copies the longest whole-character prefix of the text that fits size - 1 bytes into dst
  // and ends it with a zero; the rest of dst's size bytes are zero. Returns 1.
  int get_text(char* dst, int size) const;
  // Replaces the text with the longest whole-character prefix of src within the capacity. The
  // cursor stays, unless it would lie past the new text or inside a character: then it moves
  // back to the character boundary at or before it. Returns 1.
  int set_text(const char* src);
  // Moves to the start of the previous character; 1 when the cursor is not at 0 afterwards.
  int cursor_left();
  // Moves past the character at the cursor; 0 at the end of the text.
  int cursor_right();
  // Inserts the whole characters of s that fit at the cursor; the tail loses whole characters
  // at its end to make room. Returns 1.
  int insert(const char* s);
  // Removes the character at the cursor; nothing at the end of the text. Returns 1.
  int delete_char();
  // Byte length of the longest prefix of s made of whole characters and at most limit bytes.
  static int fit_chars(const char* s, int limit);

  // Offers a window message to the field: 0 when the field consumed it, 1 otherwise.
  int on_message(platform::Window* window, platform::MessageId message, std::uintptr_t wparam,
                 std::intptr_t lparam);

 private:
  void on_key_down(int key);
  void on_char(unsigned char c);

  char* text_;  // capacity + 1 bytes, always zero behind the text
  int x_, y_;
  int capacity_;
  int cursor_ = 0;
  int result_ = kEditing;
  int ime_active_ = 0;
  int insert_mode_ = 1;
};
