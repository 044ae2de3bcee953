// game.ini as the start-up reads it: the profile parser and the switches taken from it.
#include <cstdint>
#include <cstring>

#include "core/flags.h"
#include "core/game_ini.h"
#include "platform/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::Profile ini;
  ini.parse(reinterpret_cast<const char*>(data), size);
  for (const std::string& section : ini.section_names())
    for (const std::string& key : ini.key_names(section))
      if (!ini.value(section, key)) __builtin_trap();  // every listed key has a value
  std::memset(flag_bytes, 0, sizeof flag_bytes);
  apply_game_ini(ini);
  reapply_game_ini_flags();
  return 0;
}
