// User.cfg against files written by the data kit: defaults, exact round trip, short files,
// out-of-range values, and a write that fails part way.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/key_mapping.h"
#include "core/log.h"
#include "core/paths.h"
#include "core/user_cfg.h"
#include "platform/message_box.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/fixtures/user_cfg_writer.h"

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

class UserCfg : public ::testing::Test {
 protected:
  void SetUp() override {
    game_dir = folder_.str();  // the game directory is the current one
    dir_ = folder_.path();
    set_error_log_switch(1);
    // The volumes, options and bindings as the program starts; then start-up's order: defaults, then the file.
    music_volume = start_values_.music_volume;
    sfx_volume = start_values_.sfx_volume;
    for (int i = 0; i < 34; ++i) user_options[i] = start_values_.options[i];
    for (int i = 0; i < 32; ++i) key_bindings[i] = start_values_.key_bindings[i];
    for (int i = 0; i < 32; ++i) joy_bindings[i] = start_values_.joy_bindings[i];
    set_default_key_bindings();
    set_default_joy_bindings();
  }
  fs::path file() const { return dir_ / "User.cfg"; }

  void write(const Bytes& bytes) const {
    std::ofstream out(file(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }

  Bytes read() const {
    std::ifstream in(file(), std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  std::string debug_log() const {
    std::ifstream in(dir_ / "debug.txt", std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  // The values in memory, as the kit describes a file.
  static fixtures::UserCfgFile current() {
    fixtures::UserCfgFile cfg;
    cfg.music_volume = music_volume;
    cfg.sfx_volume = sfx_volume;
    for (int i = 0; i < 32; ++i) cfg.key_bindings[i] = key_bindings[i];
    for (int i = 0; i < 32; ++i) cfg.joy_bindings[i] = joy_bindings[i];
    for (int i = 0; i < 34; ++i) cfg.options[i] = user_options[i];
    return cfg;
  }

  fixtures::TempFolder folder_{true};
  fs::path dir_;
  static const fixtures::UserCfgFile start_values_;
};
// Taken before any test runs: the values the program starts with.
const fixtures::UserCfgFile UserCfg::start_values_ = UserCfg::current();

void expect_same(const fixtures::UserCfgFile& a, const fixtures::UserCfgFile& b) {
  EXPECT_EQ(a.music_volume, b.music_volume);
  EXPECT_EQ(a.sfx_volume, b.sfx_volume);
  EXPECT_EQ(a.key_bindings, b.key_bindings);
  EXPECT_EQ(a.joy_bindings, b.joy_bindings);
  EXPECT_EQ(a.options, b.options);
}

// A configuration a player could have made: every value in range and unlike the defaults.
fixtures::UserCfgFile played() {
  fixtures::UserCfgFile cfg;
  cfg.music_volume = 128;
  cfg.sfx_volume = 0;
  cfg.key_bindings = {27, 13, 'w', 's', 'a', 'd', 'j', 'k', 0, 'l', 129, 152, 153, 154, 155, 255};
  cfg.joy_bindings = {265, 264, 267, 266, 268, 269, 270, 271, 272, 273, 274, 275, 0, 0, 264};
  cfg.options = {1, 100, 1, 1, 1, 2};
  cfg.options[33] = -7;  // the unused tail is kept as it is
  cfg.options[20] = 123456;
  return cfg;
}

TEST_F(UserCfg, MissingFileKeepsTheDefaults) {
  load_user_cfg();
  expect_same(current(), fixtures::UserCfgFile());
  save_user_cfg();  // the first write at quitting
  fixtures::UserCfgFile want;
  want.options[0] = 1;
  EXPECT_EQ(read(), fixtures::user_cfg_bytes(want));
  EXPECT_EQ(read().size(), 400u);
}

TEST_F(UserCfg, RoundTripIsExact) {
  const Bytes bytes = fixtures::user_cfg_bytes(played());
  write(bytes);
  load_user_cfg();
  expect_same(current(), played());
  fs::remove(file());
  save_user_cfg();
  EXPECT_EQ(read(), bytes);
}

TEST_F(UserCfg, ShortAndLongFiles) {
  // Options 9-33 are set in memory beforehand, so that a short file shows what it leaves.
  const struct {
    std::size_t length;
    bool block_taken;
    int options_taken;  // whole options read from the file
  } cases[] = {{0, false, 0},  {100, false, 0}, {263, false, 0}, {264, false, 0}, {268, true, 1},
               {300, true, 9}, {399, true, 33}, {400, true, 34}, {500, true, 34}};
  const fixtures::UserCfgFile in_file = played();
  for (auto c : cases) {
    SCOPED_TRACE(c.length);
    music_volume = sfx_volume = 80;
    set_default_key_bindings();
    set_default_joy_bindings();
    for (int i = 0; i < 34; ++i) user_options[i] = i < 6 ? 0 : 1000 + i;
    fixtures::UserCfgFile before = current();
    write(fixtures::user_cfg_bytes(in_file, c.length));
    load_user_cfg();

    fixtures::UserCfgFile want = before;
    if (c.block_taken) {
      want.music_volume = in_file.music_volume;
      want.sfx_volume = in_file.sfx_volume;
      want.key_bindings = in_file.key_bindings;
      want.joy_bindings = in_file.joy_bindings;
    }
    for (int i = 0; i < c.options_taken; ++i) want.options[i] = in_file.options[i];
    if (c.length == 399)  // three bytes from the file, the top byte from memory
      want.options[33] = int((std::uint32_t(before.options[33]) & 0xFF000000u) |
                             (std::uint32_t(in_file.options[33]) & 0x00FFFFFFu));
    expect_same(current(), want);
  }
}

TEST_F(UserCfg, AnOptionCutInTheMiddleKeepsItsOtherBytes) {
  fixtures::UserCfgFile in_file;
  in_file.options[7] = 0x00002222;
  user_options[7] = 0x11110000;
  write(fixtures::user_cfg_bytes(in_file, 264 + 7 * 4 + 2));
  load_user_cfg();
  EXPECT_EQ(user_options[7], 0x11112222);
}

TEST_F(UserCfg, OutOfRangeValuesAreMadeSafe) {
  fixtures::UserCfgFile bad;
  bad.music_volume = -5;
  bad.sfx_volume = 129;
  bad.key_bindings[0] = -1;
  bad.key_bindings[1] = 256;
  bad.key_bindings[2] = 0x7fffffff;
  bad.key_bindings[3] = 255;  // in the key range: kept
  bad.key_bindings[20] = 1 << 20;
  bad.joy_bindings[0] = 263;
  bad.joy_bindings[1] = 276;
  bad.joy_bindings[2] = -264;
  bad.joy_bindings[3] = 275;  // kept
  bad.joy_bindings[30] = 27;  // a keyboard code is no joystick button
  bad.options = {7, 101, 2, -1, 9, 3};
  bad.options[6] = -99;  // unused: kept
  write(fixtures::user_cfg_bytes(bad));
  load_user_cfg();

  fixtures::UserCfgFile want = bad;
  want.music_volume = 0;
  want.sfx_volume = 128;
  want.key_bindings[0] = want.key_bindings[1] = want.key_bindings[2] = want.key_bindings[20] = 0;
  want.joy_bindings[0] = want.joy_bindings[1] = want.joy_bindings[2] = want.joy_bindings[30] = 0;
  want.options = {1, 100, 1, 0, 1, 2};
  want.options[6] = -99;
  expect_same(current(), want);

  music_volume = 1000;  // clamping is the loader's: what is in memory is written as it is
  save_user_cfg();
  want.music_volume = 1000;
  EXPECT_EQ(read(), fixtures::user_cfg_bytes(want));
}

TEST_F(UserCfg, FailedWriteKeepsTheOldFileAndIsReported) {
  const Bytes old_bytes = fixtures::user_cfg_bytes(played());
  write(old_bytes);
  load_user_cfg();
  music_volume = 5;
  platform::clear_recorded_boxes();

  // Files may not grow beyond 200 bytes while saving: the 400-byte write fails part way.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 200;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  save_user_cfg();
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);

  EXPECT_EQ(read(), old_bytes);
  // "save_user_cfg(...) 檔案建立失敗"
  EXPECT_NE(debug_log().find("save_user_cfg(...) \xc0\xc9\xae\xd7\xab\xd8\xa5\xdf\xa5\xa2\xb1\xd1"),
            std::string::npos);
  EXPECT_EQ(platform::recorded_boxes().size(), 1u);
  for (auto& entry : fs::directory_iterator(dir_)) {  // no temporary file is left behind
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "User.cfg" || name == "debug.txt") << name;
  }

  save_user_cfg();  // with room again the save goes through
  fixtures::UserCfgFile want = played();
  want.music_volume = 5;
  EXPECT_EQ(read(), fixtures::user_cfg_bytes(want));
}

// The file's layout by name, against an image written from distinct values.
TEST_F(UserCfg, EachFieldIsWrittenAtItsOffset) {
  struct Place {
    const char* name;
    std::size_t offset;
    std::size_t count;
  };
  const Place places[] = {{"music_volume", 0, 1}, {"sfx_volume", 4, 1}, {"key_bindings", 8, 32},
                          {"joy_bindings", 136, 32}, {"user_options", 264, 34}};
  const auto layout = user_cfg_layout();
  ASSERT_EQ(layout.size(), std::size(places));
  int next = 1000;
  for (const UserCfgField& f : layout)
    for (std::size_t i = 0; i < f.count; ++i) f.values[i] = next++;
  const auto image = user_cfg_image();
  for (std::size_t k = 0; k < layout.size(); ++k) {
    const UserCfgField& f = layout[k];
    EXPECT_STREQ(f.name, places[k].name);
    EXPECT_EQ(f.offset, places[k].offset) << f.name;
    ASSERT_EQ(f.count, places[k].count) << f.name;
    for (std::size_t i = 0; i < f.count; ++i) {
      const std::size_t at = places[k].offset + 4 * i;
      const int got = image[at] | image[at + 1] << 8 | image[at + 2] << 16 | image[at + 3] << 24;
      EXPECT_EQ(got, f.values[i]) << f.name << "[" << i << "]";
    }
  }
  EXPECT_EQ(&layout[0].values[0], &music_volume);
  EXPECT_EQ(&layout[4].values[33], &user_options[33]);
}

// The options are marked as saved only once the file is whole.
TEST_F(UserCfg, SavedMarkFollowsASuccessfulWriteOnly) {
  user_options[option_saved_mark] = 0;
  game_dir = (dir_ / "missing" / "folder").string();
  save_user_cfg();
  EXPECT_EQ(user_options[option_saved_mark], 0);

  game_dir = folder_.str();
  save_user_cfg();
  EXPECT_EQ(user_options[option_saved_mark], 1);
  fixtures::UserCfgFile want;
  want.options[0] = 1;
  EXPECT_EQ(read(), fixtures::user_cfg_bytes(want));
}

TEST_F(UserCfg, MissingFolderIsReported) {
  platform::clear_recorded_boxes();
  game_dir = (dir_ / "missing" / "folder").string();
  save_user_cfg();
  EXPECT_EQ(platform::recorded_boxes().size(), 1u);  // the system's text for the error
  EXPECT_FALSE(fs::exists(dir_ / "missing"));
}

}  // namespace
