#include "core/paths.h"

#include "platform/files.h"

std::string game_dir;

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }
bool is_big5_lead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// True when the last byte of path is a separator of its own, not the second byte of a Big5
// character (0x5C is a legal Big5 trail byte).
bool ends_with_separator(std::string_view path) {
  std::size_t i = 0, last = std::string_view::npos;
  while (i < path.size()) {
    last = i;
    i += (is_big5_lead(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) ? 2 : 1;
  }
  return last != std::string_view::npos && last == path.size() - 1 && is_separator(path[last]);
}

}  // namespace

bool append_path(std::string& path, std::string_view part) {
  std::string joined = path;
  if (!joined.empty()) {
    if (ends_with_separator(joined)) joined.pop_back();  // one separator only
    // A path that was one separator alone is empty now: the part follows as it is.
    if (!joined.empty() && !ends_with_separator(joined) && (part.empty() || !is_separator(part.front())))
      joined += '\\';
  }
  joined += part;
  if (joined.size() > max_path_length) return false;
  path = std::move(joined);
  return true;
}

std::string make_numbered_name(std::string_view prefix, std::string_view ext, int number, int digits) {
  if (digits < 0) digits = 0;
  if (digits > 8) digits = 8;
  char field[8] = {'0', '0', '0', '0', '0', '0', '0', '0'};
  // Right-aligned into the field; a long number keeps its last digits, a minus sign counts
  // as a digit.
  std::string text = std::to_string(number);
  int from = int(text.size());
  for (int to = digits - 1; to >= 0 && from > 0; --to) field[to] = text[std::size_t(--from)];
  std::string out(prefix);
  out.append(field, std::size_t(digits));
  if (ext.empty() || ext.front() != '.') out += '.';
  out += ext;
  return out;
}

std::string get_current_dir() { return platform::current_dir(); }
