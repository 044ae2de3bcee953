// User.cfg reader: any bytes give values within range and never read past the end.
#include <cstdint>
#include <cstdlib>

#include "core/key_mapping.h"
#include "core/user_cfg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  set_default_key_bindings();
  set_default_joy_bindings();
  apply_user_cfg(data, size);
  bool ok = music_volume >= 0 && music_volume <= max_volume && sfx_volume >= 0 &&
            sfx_volume <= max_volume;
  for (int k : key_bindings) ok = ok && k >= 0 && k < 256;
  for (int k : joy_bindings) ok = ok && (k == 0 || (k >= 264 && k <= 275));
  ok = ok && user_options[option_message_speed] >= 0 && user_options[option_message_speed] <= 100;
  ok = ok && user_options[option_shadows] >= 0 && user_options[option_shadows] <= 2;
  if (!ok) std::abort();
  return 0;
}
