#pragma once
// Drives the menu's input steps as the frame tick does: the logical keys advanced once a frame
// through GrpInput, the pointer where the key mapping leaves it, and an effect bank whose
// entries tell which sounds each frame started.
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "sound/sfx_bank.h"
#include "tests/fixtures/sound_kit.h"
#include "ui/talk_msg.h"

namespace menu_driver {

// The keys the menu reads; each is updated every frame, up unless listed as held.
inline constexpr KeyCode driven_keys[] = {key_up,    key_down,  key_left,  key_right,  key_enter, key_space,
                                          key_escape, key_lctrl, key_rctrl, key_mouse1, key_mouse2};

// Counts the samples each sound number starts. The bank, written into the test's own folder,
// holds the numbers asked for, each a long quiet tone so that nothing ends by itself; after every
// frame the started samples are counted and stopped, so the bank's sixteen handles never run out.
class SoundCounter {
 public:
  SoundCounter(const std::filesystem::path& folder, std::vector<int> numbers) : numbers_(std::move(numbers)) {
    std::vector<kit::SndEntry> entries;
    for (int n : numbers_) entries.push_back({n, 1, kit::make_tone_wav(500, 2000, 8000, 1, 8, 100)});
    std::filesystem::create_directories(folder / "ACT");
    kit::write_file((folder / "ACT" / "all.snd").string(), kit::make_all_snd(entries));
    open_ = OpenSfx((folder.string() + "\\ACT\\").c_str());
  }
  ~SoundCounter() { CloseSfx(); }
  SoundCounter(const SoundCounter&) = delete;
  SoundCounter& operator=(const SoundCounter&) = delete;

  bool open() const { return open_; }
  void collect() {
    for (int n : numbers_)
      if (const SfxEntry* e = sfx_bank.entry(n)) played_[n] += e->refs;
    sfx_bank.StopAll();
  }
  // Samples of sound n started since the last reset.
  int played(int n) {
    collect();
    return played_[n];
  }
  void reset() {
    collect();
    played_.clear();
  }

 private:
  std::vector<int> numbers_;
  std::map<int, int> played_;
  bool open_ = false;
};

class Frames {
 public:
  // Every key seen up, twice and apart, so that nothing earlier counts as held or as the first
  // half of a quick re-press.
  Frames() {
    for (int i = 0; i < 2; ++i, now_ += 200)
      for (KeyCode k : driven_keys) grp_input.update_key(now_, k, 0);
  }
  // One frame's input: the keys listed are down, every other driven key is up; then step runs.
  template <class Step>
  void run(Step step, std::initializer_list<KeyCode> down = {}) {
    now_ += 29;
    for (KeyCode k : driven_keys) {
      bool held = false;
      for (KeyCode d : down) held = held || d == k;
      grp_input.update_key(now_, k, held ? 1 : 0);
    }
    step();
    if (sounds_) sounds_->collect();
  }
  // A press: one frame down with the step, then the key seen up (without the step), and a pause
  // long enough that the next press is no quick re-press.
  template <class Step>
  void press(Step step, KeyCode k) {
    run(step, {k});
    run([] {});
    now_ += 200;
  }
  void count_sounds(SoundCounter* s) { sounds_ = s; }

 private:
  std::uint32_t now_ = 1000;
  SoundCounter* sounds_ = nullptr;
};

// The text of the newest message box, "" when none is open.
inline std::string box_text() {
  const TalkMsg* last = nullptr;
  for (const TalkMsg* b = talkmsg_head(); b; b = b->next) last = b;
  return last && last->text ? last->text : "";
}

}  // namespace menu_driver
