// Reading and writing User.cfg.
#include "core/user_cfg.h"

#include <algorithm>
#include <string>

#include "core/byte_reader.h"
#include "core/disc.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/log.h"
#include "core/paths.h"
#include "platform/files.h"

int music_volume = 80;
int sfx_volume = 80;
int user_options[user_option_count];

namespace {

constexpr const char* user_cfg_name = "User.cfg";

// "save_user_cfg(...) 檔案建立失敗"
constexpr const char* save_failed_message =
    "save_user_cfg(...) \xc0\xc9\xae\xd7\xab\xd8\xa5\xdf\xa5\xa2\xb1\xd1";

const UserCfgField layout[] = {
    {"music_volume", 0, &music_volume, 1},
    {"sfx_volume", 4, &sfx_volume, 1},
    {"key_bindings", 8, key_bindings, binding_slot_count},
    {"joy_bindings", 136, joy_bindings, binding_slot_count},
    {"user_options", user_cfg_block_size, user_options, user_option_count},
};

// Each row's ints from (or into) an image of the whole file.
void take_rows(const ByteReader& image, bool (*wanted)(const UserCfgField&)) {
  for (const UserCfgField& f : layout)
    if (wanted(f))
      for (std::size_t i = 0; i < f.count; ++i) f.values[i] = image.i32_at(f.offset + 4 * i);
}

bool in_first_block(const UserCfgField& f) { return f.offset < user_cfg_block_size; }
bool in_option_block(const UserCfgField& f) { return f.offset >= user_cfg_block_size; }

bool valid_key_binding(int k) { return k >= 0 && k < 256; }
bool valid_joy_binding(int k) {
  return k == 0 || (k >= key_joy_button1 && k < key_joy_button1 + joy_button_count);
}

// Values that would index tables or drive sliders out of range become safe ones: bindings
// that are not keys become unbound, volumes and options are clamped to what the options page
// offers.
void sanitise() {
  music_volume = std::clamp(music_volume, 0, max_volume);
  sfx_volume = std::clamp(sfx_volume, 0, max_volume);
  for (int& k : key_bindings)
    if (!valid_key_binding(k)) k = 0;
  for (int& k : joy_bindings)
    if (!valid_joy_binding(k)) k = 0;
  static constexpr int option_max[] = {1, 100, 1, 1, 1, 2};
  for (int i = 0; i < int(std::size(option_max)); ++i)
    user_options[i] = std::clamp(user_options[i], 0, option_max[i]);
}

std::string user_cfg_path(bool& ok) {
  std::string path = game_dir;
  ok = append_path(path, user_cfg_name);
  return path;
}

}  // namespace

std::span<const UserCfgField> user_cfg_layout() { return layout; }

void apply_user_cfg(const std::uint8_t* data, std::size_t size) {
  if (!data) size = 0;
  size = std::min(size, user_cfg_size);
  // The option block is taken byte by byte as far as the file goes, over the current values;
  // the first block only when the file reaches into the options.
  if (size > user_cfg_block_size) {
    auto image = user_cfg_image();
    std::copy(data, data + size, image.begin());
    take_rows(ByteReader(image.data(), image.size()), in_option_block);
    take_rows(ByteReader(image.data(), image.size()), in_first_block);
  }
  sanitise();
}

std::array<std::uint8_t, user_cfg_size> user_cfg_image() {
  std::array<std::uint8_t, user_cfg_size> out{};
  for (const UserCfgField& f : layout)
    for (std::size_t i = 0; i < f.count; ++i) put_u32le(out.data() + f.offset + 4 * i, std::uint32_t(f.values[i]));
  return out;
}

void load_user_cfg() {
  bool ok = false;
  const std::string path = user_cfg_path(ok);
  platform::File file;
  if (!ok || !file.open(path, platform::File::Mode::Read)) return;
  std::uint8_t bytes[user_cfg_size];
  std::size_t got = 0;
  while (got < user_cfg_size) {
    long long n = file.read(bytes + got, user_cfg_size - got);
    if (n <= 0) break;  // the end, or an error: take what was read
    got += std::size_t(n);
  }
  apply_user_cfg(bytes, got);
}

void save_user_cfg() {
  bool ok = false;
  const std::string path = user_cfg_path(ok);
  // The file carries the saved mark; memory takes it only once the file is whole.
  auto image = user_cfg_image();
  put_u32le(image.data() + user_cfg_block_size + 4 * option_saved_mark, 1);
  if (ok && platform::write_file_atomic(path, image.data(), image.size())) {
    user_options[option_saved_mark] = 1;
    return;
  }
  show_windows_error();
  report_error("%s", save_failed_message);
}
