// Seeds for fuzz_wav: tones of the data kit in every PCM form the game's sounds use.
#include "fuzz/seeds.h"
#include "tests/fixtures/sound_kit.h"

namespace {

void write_seeds(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  seeds.push_back({"stereo16_44100.wav", kit::make_tone_wav(440, 20, 44100, 2, 16)});
  seeds.push_back({"mono16_22050.wav", kit::make_tone_wav(440, 20, 22050, 1, 16)});
  seeds.push_back({"mono8_11025.wav", kit::make_tone_wav(440, 20, 11025, 1, 8)});
  seeds.push_back({"stereo8_8000.wav", kit::make_tone_wav(440, 20, 8000, 2, 8)});
  kit::Bytes listed = kit::make_tone_wav(440, 5);
  kit::Bytes list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  listed.insert(listed.begin() + 36, list.begin(), list.end());
  seeds.push_back({"with_list.wav", listed});
}

}  // namespace

QORV_FUZZ_SEEDS("wav", write_seeds);
