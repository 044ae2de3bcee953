#include "core/log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/files.h"
#include "platform/message_box.h"

int error_log_switch = 1;

namespace {

platform::Window* log_owner;
constexpr std::size_t text_size = 256;  // a message holds at most 255 bytes
char log_text[text_size];

const char log_file[] = "debug.txt";

bool is_big5_lead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// The length of text cut to at most len bytes without splitting a Big5 character.
std::size_t big5_boundary(const char* text, std::size_t len) {
  std::size_t i = 0;
  while (i < len) {
    if (!is_big5_lead(static_cast<unsigned char>(text[i]))) {
      ++i;
    } else if (i + 1 < len) {
      i += 2;
    } else {
      break;  // a lead byte whose second byte was cut off
    }
  }
  return i;
}

void format_text(const char* format, va_list args) {
  int n = std::vsnprintf(log_text, text_size, format, args);
  if (n < 0) {
    log_text[0] = '\0';
  } else if (std::size_t(n) >= text_size) {
    log_text[big5_boundary(log_text, text_size - 1)] = '\0';
  }
}

// One line: the text, a blank, CR LF. The file is opened and closed for every line so that
// the log is complete up to the last message; when it cannot be opened the line is lost.
void append_line() {
  platform::File file;
  if (!file.open(log_file, platform::File::Mode::Append)) return;
  char line[text_size + 3];
  std::size_t len = std::strlen(log_text);
  std::memcpy(line, log_text, len);
  std::memcpy(line + len, " \r\n", 3);
  file.write(line, len + 3);
}

}  // namespace

void reset_debug_log(platform::Window* owner) {
  log_owner = owner;
  platform::delete_file(log_file);
}

void set_error_log_switch(int on) { error_log_switch = on; }

void report_error(const char* format, ...) {
  va_list args;
  va_start(args, format);
  format_text(format, args);
  va_end(args);
  if (error_log_switch == 1)
    append_line();
  else
    platform::message_box(log_owner, log_text, error_caption, platform::BoxButtons::Ok);
}

void log_trace(const char* format, ...) {
  va_list args;
  va_start(args, format);
  format_text(format, args);
  va_end(args);
  append_line();
}
