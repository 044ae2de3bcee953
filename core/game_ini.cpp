#include "core/game_ini.h"

#include <optional>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "platform/profile.h"

int debug_keys_enabled;
int music_off_enabled;
int wav_off_enabled;

namespace {


enum class SectionKind { Sound, Debug, Screen, Other };

bool same_ascii(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
    if (x != y) return false;
  }
  return i == a.size() && b[i] == '\0';
}

SectionKind kind_of(const std::string& section) {
  if (same_ascii(section, "SOUND")) return SectionKind::Sound;
  if (same_ascii(section, "debug")) return SectionKind::Debug;
  if (same_ascii(section, "screen")) return SectionKind::Screen;
  return SectionKind::Other;
}

// The number a value reads as, the way atoi reads it: blanks and a sign first, then digits up
// to the first other character; long digit strings saturate instead of overflowing.
long long read_number(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    if (value < 10000000000LL) value = value * 10 + (text[i] - '0');
  return negative ? -value : value;
}

// A switch is on when its value reads as the number 1, so "01", "1x" and " 1" are on.
bool switched_on(const platform::Profile& ini, const std::string& section, const std::string& key) {
  std::optional<std::string> value = ini.value(section, key);
  return value && read_number(*value) == 1;
}

void apply_key(const platform::Profile& ini, SectionKind kind, const std::string& section,
               const std::string& key) {
  switch (kind) {
    case SectionKind::Sound:
      if (same_ascii(key, "music_off") && switched_on(ini, section, key)) {
        music_off_enabled = 1;
        set_flag(flag_music_off);
      } else if (same_ascii(key, "wav_off") && switched_on(ini, section, key)) {
        wav_off_enabled = 1;
        set_flag(flag_wav_off);
      }
      break;
    case SectionKind::Debug:
      if (!same_ascii(key, "hot_key")) break;
      if (switched_on(ini, section, key)) {
        set_error_log_switch(0);
        set_flag(flag_developer_keys);
        debug_keys_enabled = 1;
      } else {
        set_error_log_switch(1);
      }
      break;
    case SectionKind::Screen:
      if (same_ascii(key, "window") && switched_on(ini, section, key)) set_flag(flag_ask_window);
      break;
    case SectionKind::Other:
      break;  // keys of sections the game does not know are ignored
  }
}

}  // namespace

int apply_game_ini(const platform::Profile& ini) {
  std::vector<std::string> sections = ini.section_names();
  if (sections.empty()) return 0;
  for (const std::string& section : sections) {
    SectionKind kind = kind_of(section);
    for (const std::string& key : ini.key_names(section)) apply_key(ini, kind, section, key);
  }
  return 1;
}

int read_game_ini(platform::Window*, const std::string& path) {
  platform::Profile ini;
  if (!ini.load(path)) return 0;
  return apply_game_ini(ini);
}

void reapply_game_ini_flags() {
  if (music_off_enabled) set_flag(flag_music_off);
  if (wav_off_enabled) set_flag(flag_wav_off);
  if (debug_keys_enabled) set_flag(flag_developer_keys);
}
