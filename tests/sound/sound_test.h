#pragma once
// A game folder of its own for each sound test, the current directory and game_dir while the
// test runs, on the fake clock; the audio objects are closed and the flags cleared after it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/paths.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "sound/music_director.h"
#include "sound/sfx_bank.h"
#include "sound/sound_system.h"
#include "sound/stream_manager.h"
#include "sound/video_player.h"
#include "tests/fixtures/sound_kit.h"
#include "tests/fixtures/temp_folder.h"

// The audio steps of start-up and shut-down, in their order, without their trace lines.
inline void start_audio() {
  sound_system.Startup(game_dir.c_str());
  OpenSfx((game_dir + "\\ACT\\").c_str());
  OpenStream(sfx_bank.GetDriver());
  init_video_sound();
}
inline void close_audio() {
  CloseStream();
  CloseSfx();
  sound_system.Shutdown();
  sound_3d.Close();
  stop_all_sfx();
}

class SoundTest : public ::testing::Test {
 protected:
  SoundTest() : folder_(true) {
    game_dir = folder_.str();
    platform::use_fake_clock(10000);
  }
  ~SoundTest() override {
    close_video();
    close_audio();
    music_director = MusicDirector{};  // the director as the program starts: no mode yet
    saved_music_mode = 0;
    for (int n : {flag_music_off, flag_wav_off, flag_video}) clear_flag(n);
    platform::use_real_clock();
  }

  void write(const std::string& relative, const kit::Bytes& bytes) {
    folder_.write(relative, std::string(bytes.begin(), bytes.end()));
  }
  std::string read(const std::string& relative) const { return folder_.read(relative); }
  // The game path of the ACT folder, as start-up builds it.
  std::string act_folder() const { return game_dir + "\\ACT\\"; }

  // Mixed frames of the headless device.
  std::vector<std::int16_t> pull(int frames) {
    std::vector<std::int16_t> out(2 * std::size_t(frames));
    EXPECT_TRUE(platform::headless_audio_pull(out.data(), frames));
    return out;
  }

  fixtures::TempFolder folder_;
};
