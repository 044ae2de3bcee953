// The text input field: editing through window messages, Big5 character boundaries, a full
// field, the refused markup byte, and reading and replacing the text.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/text_input_field.h"
#include "platform/automation.h"
#include "platform/window.h"

namespace {

using platform::MessageId;

const std::string kOne = "\xA4\x40";  // "一"
const std::string kMid = "\xA4\xA4";  // "中"

constexpr int kBackspace = 8, kEnter = 13, kEscape = 27, kLeft = 134, kRight = 135, kInsert = 150,
              kDelete = 151, kHome = 152, kEnd = 153;

struct Msg {
  MessageId id;
  std::uintptr_t wparam;
};
Msg key(int k) { return {MessageId::KeyDown, std::uintptr_t(k)}; }
Msg chr(unsigned char c) { return {MessageId::Char, c}; }
Msg ime(const std::string& big5) {
  return {MessageId::ImeChar, std::uintptr_t(static_cast<unsigned char>(big5[0])) << 8 |
                                  static_cast<unsigned char>(big5[1])};
}

std::string text_of(const TextInputField& field) {
  char buf[300];
  field.get_text(buf, sizeof buf);
  return buf;
}

// Puts the cursor at byte offset `cursor`, walking from the start with cursor_right.
void place_cursor(TextInputField& field, int cursor) {
  while (field.cursor_left()) {
  }
  while (field.get_cursor() < cursor && field.cursor_right()) {
  }
  ASSERT_EQ(field.get_cursor(), cursor);
}

struct EditCase {
  const char* name;
  std::string text;
  int capacity;
  int cursor;
  std::vector<Msg> messages;
  std::string want_text;
  int want_cursor;
};

TEST(TextInputField, EditsByMessages) {
  // clang-format off
  const EditCase cases[] = {
      {"typing into the middle of a full field pushes the tail out",
       "abcde", 5, 2, {chr('X')}, "abXcd", 3},
      {"typing at the end of a full field inserts nothing",
       "abcde", 5, 5, {chr('X')}, "abcde", 5},
      {"a Big5 character is inserted whole",
       "abc", 5, 3, {ime(kOne)}, "abc" + kOne, 5},
      {"a Big5 character that does not fit is not inserted",
       "abcd", 5, 4, {ime(kOne)}, "abcd", 4},
      {"the tail loses a whole two-byte character at its end",
       "ab" + kOne, 4, 0, {chr('X')}, "Xab", 1},
      {"Backspace after a Big5 character removes both bytes",
       kOne + kMid, 4, 2, {key(kBackspace)}, kMid, 0},
      {"Backspace at the start removes the first character",
       kOne + kMid, 4, 0, {key(kBackspace)}, kMid, 0},
      {"Delete before a Big5 character removes both bytes",
       kOne + kMid, 4, 2, {key(kDelete)}, kOne, 2},
      {"Delete at the end does nothing",
       "ab", 4, 2, {key(kDelete)}, "ab", 2},
      {"Left from offset 2 over one Big5 character reaches 0",
       kOne + "b", 3, 2, {key(kLeft)}, kOne + "b", 0},
      {"Left steps over a Big5 character whole",
       "a" + kOne, 3, 3, {key(kLeft)}, "a" + kOne, 1},
      {"Right steps over a Big5 character whole",
       "a" + kOne + "b", 4, 1, {key(kRight)}, "a" + kOne + "b", 3},
      {"Right at the end stays",
       "ab", 4, 2, {key(kRight)}, "ab", 2},
      {"End and Home walk whole characters",
       "a" + kOne + "b", 4, 1, {key(kEnd)}, "a" + kOne + "b", 4},
      {"Home from the end",
       "a" + kOne + "b", 4, 4, {key(kHome)}, "a" + kOne + "b", 0},
      {"'%' is refused",
       "ab", 5, 1, {chr('%')}, "ab", 1},
      {"control bytes are ignored",
       "ab", 5, 1, {chr('\r'), chr('\x1E')}, "ab", 1},
      {"Insert keeps inserting",
       "ab", 5, 1, {key(kInsert), chr('X')}, "aXb", 2},
      {"a lead byte and an ASCII trail by Char make one character",
       "", 5, 0, {chr(0xA4), chr('@')}, kOne, 2},
      {"a lead byte followed by an invalid trail byte still pairs with it",
       "", 5, 0, {chr(0xA4), chr('1'), key(kLeft)}, "\xA4" "1", 0},
      {"while a trail byte is due, bytes of 0x80 and more are dropped",
       "", 5, 0, {chr(0xA4), chr(0xA4), chr('a'), chr('b')}, "\xA4" "ab", 3},
      {"a one-byte ImeChar inserts nothing",
       "ab", 5, 1, {{MessageId::ImeChar, 'X'}}, "ab", 1},
  };
  // clang-format on
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    pending_lead_byte = 0;
    TextInputField field(c.text.c_str(), c.capacity, 0, 0);
    place_cursor(field, c.cursor);
    for (const Msg& m : c.messages) field.on_message(nullptr, m.id, m.wparam, 0);
    EXPECT_EQ(text_of(field), c.want_text);
    EXPECT_EQ(field.get_cursor(), c.want_cursor);
  }
}

TEST(TextInputField, OnlyImeCharIsConsumed) {
  TextInputField field("", 10, 0, 0);
  EXPECT_EQ(field.on_message(nullptr, MessageId::ImeChar, 0xA440, 0), 0);
  EXPECT_EQ(field.on_message(nullptr, MessageId::Char, 'a', 0), 1);
  EXPECT_EQ(field.on_message(nullptr, MessageId::KeyDown, kLeft, 0), 1);
  EXPECT_EQ(field.on_message(nullptr, MessageId::InputLangChange, 0, 0x0404), 1);
  EXPECT_EQ(field.on_message(nullptr, MessageId::KeyUp, kLeft, 0), 1);
  EXPECT_EQ(text_of(field), kOne + "a");
}

TEST(TextInputField, EnterAndEscapeSetTheResult) {
  TextInputField field("ab", 10, 0, 0);
  EXPECT_EQ(field.get_result(), TextInputField::kEditing);
  field.on_message(nullptr, MessageId::KeyDown, kEnter, 0);
  EXPECT_EQ(field.get_result(), TextInputField::kEntered);
  field.on_message(nullptr, MessageId::KeyDown, kEscape, 0);
  EXPECT_EQ(field.get_result(), TextInputField::kEscaped);
  field.set_result(0);
  EXPECT_EQ(field.get_result(), 0);
  EXPECT_EQ(text_of(field), "ab");
}

TEST(TextInputField, TypedCharactersAfterInputLanguageChangeStillArrive) {
  TextInputField field("", 10, 0, 0);
  field.on_message(nullptr, MessageId::InputLangChange, 0, 0x0404);
  field.on_message(nullptr, MessageId::Char, 'a', 0);
  EXPECT_EQ(text_of(field), "a");
}

TEST(TextInputField, KeepsWholeCharactersOfALongerText) {
  struct Case {
    std::string text;
    int capacity;
    std::string want;
  } cases[] = {
      {"a" + kOne + "b", 3, "a" + kOne},
      {"a" + kOne, 2, "a"},  // the lead byte whose trail does not fit is dropped
      {"abc", 0, ""},
      {"abc", -4, ""},
  };
  for (const Case& c : cases) {
    TextInputField made(c.text.c_str(), c.capacity, 0, 0);
    EXPECT_EQ(text_of(made), c.want) << "constructor, capacity " << c.capacity;
    TextInputField set("", c.capacity, 0, 0);
    set.set_text(c.text.c_str());
    EXPECT_EQ(text_of(set), c.want) << "set_text, capacity " << c.capacity;
  }
}

TEST(TextInputField, SetTextBringsTheCursorBackIntoTheText) {
  TextInputField field("abcdef", 10, 0, 0);
  place_cursor(field, 6);
  field.set_text("ab");
  EXPECT_EQ(field.get_cursor(), 2);
  field.on_message(nullptr, MessageId::Char, 'X', 0);  // lands where it is shown
  EXPECT_EQ(text_of(field), "abX");

  place_cursor(field, 1);
  field.set_text(kOne.c_str());  // offset 1 would lie inside the character
  EXPECT_EQ(field.get_cursor(), 0);

  place_cursor(field, 2);
  field.set_text("abcd");  // a cursor inside the new text stays
  EXPECT_EQ(field.get_cursor(), 2);
}

TEST(TextInputField, GetTextAlwaysEndsWithAZero) {
  TextInputField field(("ab" + kOne + "c").c_str(), 10, 0, 0);
  struct Case {
    int size;
    std::string want;
  } cases[] = {{64, "ab" + kOne + "c"},
               {6, "ab" + kOne + "c"},
               {5, "ab" + kOne},
               {4, "ab"},
               {3, "ab"},
               {1, ""}};
  for (const Case& c : cases) {
    char buf[70];
    std::memset(buf, 'Z', sizeof buf);
    EXPECT_EQ(field.get_text(buf, c.size), 1);
    EXPECT_EQ(std::string(buf), c.want) << c.size;
    for (int i = int(c.want.size()); i < c.size; ++i) EXPECT_EQ(buf[i], 0) << c.size << " at " << i;
    EXPECT_EQ(buf[c.size], 'Z') << "written past the size " << c.size;
  }
  char untouched = 'Z';
  field.get_text(&untouched, 0);
  EXPECT_EQ(untouched, 'Z');
}

TEST(TextInputField, GetTextStopsAtTheCapacity) {
  TextInputField field("abcdef", 4, 0, 0);
  char buf[16];
  field.get_text(buf, sizeof buf);
  EXPECT_STREQ(buf, "abcd");
}

TEST(TextInputField, FitCharsCountsWholeCharacters) {
  struct Case {
    std::string s;
    int limit, want;
  } cases[] = {
      {"abc", 2, 2},       {"a" + kOne, 2, 1}, {"a" + kOne, 3, 3},
      {kOne + kMid, 3, 2}, {"a\xA4", 5, 2},  // a lead byte before the terminator counts as one byte
      {"", 5, 0},          {"abc", 0, 0},      {"abc", -1, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TextInputField::fit_chars(c.s.c_str(), c.limit), c.want) << c.s << " " << c.limit;
}

TEST(TextInputField, KeepsPositionAndInsertMode) {
  TextInputField field("", 10, 10, 380);
  EXPECT_EQ(field.get_x(), 10);
  EXPECT_EQ(field.get_y(), 380);
  field.set_insert_mode(0);
  EXPECT_EQ(field.get_insert_mode(), 1);
}

// Typed text on its whole way: the host's UTF-8 becomes the window's Char and ImeChar messages,
// and the field receives the right Big5 bytes.
TextInputField* typing_field = nullptr;

std::intptr_t field_window_proc(platform::Window* window, MessageId id, std::uintptr_t wparam,
                                std::intptr_t lparam) {
  if (typing_field && typing_field->on_message(window, id, wparam, lparam) == 0) return 1;
  return platform::default_window_proc(window, id, wparam, lparam);
}

TEST(TextInputField, TypedUtf8ArrivesAsBig5) {
  platform::reset_automation();
  platform::Window* window = platform::create_window({"QORV", field_window_proc}, "QORV", 640, 480);
  ASSERT_NE(window, nullptr);
  TextInputField field("", 20, 0, 0);
  typing_field = &field;
  platform::InputEvent typed;
  typed.kind = platform::InputEvent::Kind::Text;
  typed.text =
      "\xE4\xB8\x80"
      "a\xE4\xB8\xAD%\xE2\x82\xAC\xF0\x9F\x98\x80"
      "b";  // "一a中%€😀b"
  platform::set_input_events({typed});
  platform::Message msg;
  while (platform::peek_message() && platform::get_message(msg)) platform::dispatch_message(msg);
  // '%' is refused by the field; the emoji has no Big5 form and never arrives.
  EXPECT_EQ(text_of(field), kOne + "a" + kMid +
                                "\xA3\xE1"
                                "b");  // "一a中€b"
  EXPECT_EQ(field.get_cursor(), 8);
  typing_field = nullptr;
  platform::free_window(window);
}

}  // namespace
