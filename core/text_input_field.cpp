#include "core/text_input_field.h"

#include <algorithm>
#include <cstring>

#include "platform/text_composition.h"

int pending_lead_byte = 0;

namespace {

// Open fields: the host's text input is on while there is one.
int open_fields = 0;

// Key numbers of the key messages the field acts on.
constexpr int kKeyBackspace = 8;
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;
constexpr int kKeyLeft = 134;
constexpr int kKeyRight = 135;
constexpr int kKeyInsert = 150;
constexpr int kKeyDelete = 151;
constexpr int kKeyHome = 152;
constexpr int kKeyEnd = 153;

// The markup of the program's texts begins with '%': typing it could corrupt a text.
constexpr unsigned char kMarkupByte = '%';

bool is_lead_byte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// The start of the character after p; p itself at the terminator. Big5's rules, not the host's.
const char* next_char(const char* p) {
  if (*p == 0) return p;
  if (is_lead_byte(static_cast<unsigned char>(*p)) && p[1] != 0) return p + 2;
  return p + 1;
}

// The start of the character before p, walking whole characters from start; start itself there.
const char* prev_char(const char* start, const char* p) {
  const char* prev = start;
  for (const char* q = start; q < p;) {
    prev = q;
    const char* next = next_char(q);
    if (next == q) break;
    q = next;
  }
  return prev;
}

// Copies the whole characters of src that fit limit bytes into dst; returns the bytes copied.
int copy_whole_chars(char* dst, const char* src, int limit) {
  const int n = TextInputField::fit_chars(src, limit);
  std::memcpy(dst, src, static_cast<std::size_t>(n));
  return n;
}

}  // namespace

TextInputField::TextInputField(const char* text, int capacity, int x, int y)
    : x_(x), y_(y), capacity_(std::max(capacity, 0)) {
  text_ = new char[static_cast<std::size_t>(capacity_) + 1]();
  copy_whole_chars(text_, text ? text : "", capacity_);
  if (open_fields++ == 0) platform::set_text_composition(true);
}

TextInputField::~TextInputField() {
  delete[] text_;
  if (--open_fields == 0) platform::set_text_composition(false);
}

int TextInputField::fit_chars(const char* s, int limit) {
  int length = 0;
  for (const char* p = s;;) {
    const char* next = next_char(p);
    if (next == p || length + (next - p) > limit) break;
    length += static_cast<int>(next - p);
    p = next;
  }
  return length;
}

int TextInputField::get_text(char* dst, int size) const {
  if (!dst || size <= 0) return 1;
  std::memset(dst, 0, static_cast<std::size_t>(size));
  // One byte stays for the terminator, so dst always ends as a string.
  copy_whole_chars(dst, text_, std::min(size - 1, capacity_));
  return 1;
}

int TextInputField::set_text(const char* src) {
  std::memset(text_, 0, static_cast<std::size_t>(capacity_) + 1);
  if (src) copy_whole_chars(text_, src, std::min(static_cast<int>(std::strlen(src)), capacity_));
  // A cursor past the text, or inside a character, would insert where nothing is shown.
  const int length = static_cast<int>(std::strlen(text_));
  if (cursor_ > length) cursor_ = length;
  cursor_ = fit_chars(text_, cursor_);
  return 1;
}

int TextInputField::cursor_left() {
  cursor_ = static_cast<int>(prev_char(text_, text_ + cursor_) - text_);
  return cursor_ != 0;
}

int TextInputField::cursor_right() {
  const char* next = next_char(text_ + cursor_);
  if (next == text_ + cursor_) return 0;
  cursor_ = static_cast<int>(next - text_);
  return 1;
}

int TextInputField::insert(const char* s) {
  if (insert_mode_ != 1 || !s) return 1;
  const int room = capacity_ - cursor_;
  const int k = fit_chars(s, room);
  const int m = fit_chars(text_ + cursor_, room - k);
  // The inserted characters win; the old tail keeps what still fits after them.
  std::memmove(text_ + cursor_ + k, text_ + cursor_, static_cast<std::size_t>(m));
  std::memcpy(text_ + cursor_, s, static_cast<std::size_t>(k));
  std::memset(text_ + cursor_ + k + m, 0,
              static_cast<std::size_t>(capacity_ + 1 - (cursor_ + k + m)));
  cursor_ += k;
  return 1;
}

int TextInputField::delete_char() {
  char* at = text_ + cursor_;
  const char* next = next_char(at);
  if (next == at) return 1;
  std::memmove(at, next, std::strlen(next) + 1);
  return 1;
}

int TextInputField::on_message(platform::Window*, platform::MessageId message,
                               std::uintptr_t wparam, std::intptr_t) {
  using platform::MessageId;
  switch (message) {
    case MessageId::InputLangChange:
      // An input method here hands over composed text as typed characters, never through a
      // keyboard layout of its own, so typed bytes are always taken.
      ime_active_ = 0;
      return 1;
    case MessageId::KeyDown:
      on_key_down(static_cast<int>(wparam));
      return 1;
    case MessageId::Char:
      if (!ime_active_) on_char(static_cast<unsigned char>(wparam));
      return 1;
    case MessageId::ImeChar: {
      // Lead byte from the high byte, trail from the low; a one-byte character (high byte 0)
      // makes an empty string and inserts nothing.
      const char character[3] = {static_cast<char>((wparam >> 8) & 0xFF),
                                 static_cast<char>(wparam & 0xFF), 0};
      insert(character);
      return 0;
    }
    default:
      return 1;
  }
}

void TextInputField::on_key_down(int key) {
  switch (key) {
    case kKeyBackspace:
      cursor_left();  // at the start, Backspace deletes the first character
      delete_char();
      break;
    case kKeyDelete:
      delete_char();
      break;
    case kKeyEnter:
      result_ = kEntered;
      break;
    case kKeyEscape:
      result_ = kEscaped;
      break;
    case kKeyHome:
      while (cursor_left()) {
      }
      break;
    case kKeyEnd:
      while (cursor_right()) {
      }
      break;
    case kKeyLeft:
      cursor_left();
      break;
    case kKeyRight:
      cursor_right();
      break;
    case kKeyInsert:
      set_insert_mode(!get_insert_mode());
      break;
    default:
      break;
  }
}

// A Big5 character typed as two Char messages: the lead byte goes in alone, then only a byte
// below 0x80 is taken as its trail byte.
void TextInputField::on_char(unsigned char c) {
  const char character[2] = {static_cast<char>(c), 0};
  if (pending_lead_byte == 1) {
    if (c < 0x80) {
      insert(character);
      pending_lead_byte = 0;
    }
    return;
  }
  if (c >= 0x80) {
    insert(character);
    pending_lead_byte = 1;
  } else if (c >= 0x1F && c != kMarkupByte) {
    insert(character);
    pending_lead_byte = 0;
  }
}
