#include "script/name_plate.h"

#include <cstring>
#include <string>

#include "data/data_file.h"
#include "data/party.h"
#include "ui/talk_text.h"


namespace {
bool big5_lead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// Replaces every whole-character occurrence of `from` in s by `to`, scanning on after each
// inserted name.
void replace_name(std::string& s, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  for (std::size_t i = 0; i < s.size();) {
    if (s.compare(i, from.size(), from) == 0) {
      s.replace(i, from.size(), to);
      i += to.size();
    } else {
      i += (big5_lead(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
    }
  }
}

std::string current_name(int member) {
  const char* name = gmRoleData[member].name;
  return std::string(name, strnlen(name, sizeof gmRoleData[member].name));
}
}  // namespace

void make_name_plate(std::span<const std::uint8_t> pending, char (&out)[name_plate_bytes + 2]) {
  std::memset(out, 0, sizeof out);
  const long end = find_text_end(pending);
  if (end <= 0) return;
  std::string plate(reinterpret_cast<const char*>(pending.data()), static_cast<std::size_t>(end));
  for (int member = 0; member < 2; ++member) {
    const char* name = party_default_names[member];
    replace_name(plate, std::string(name, strnlen(name, sizeof party_default_names[member])), current_name(member));
  }
  copy_text_cut(reinterpret_cast<const std::uint8_t*>(plate.data()), plate.size(), out, name_plate_bytes + 1);
}
