// Seeds for fuzz_all_snd: banks from the data kit with entries of both storage types, the
// older type-0 layout, refused types and a bank cut inside its index.
#include "fuzz/seeds.h"
#include "tests/fixtures/sound_kit.h"

namespace {

void write_seeds(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  kit::Bytes mono8 = kit::make_tone_wav(500, 15, 11025, 1, 8);
  kit::Bytes stereo = kit::make_tone_wav(700, 10, 44100, 2, 16);
  kit::Bytes older = kit::type0_bytes(kit::make_tone_wav(300, 10, 22050, 1, 16));
  older[16] = 'x';  // no "data" mark: the samples are taken from byte 20
  kit::Bytes bank = kit::make_all_snd({{1, 0, kit::type0_bytes(stereo)},
                                       {2, 1, mono8},
                                       {3, 0, older},
                                       {4, 2, kit::type0_bytes(stereo)},
                                       {5, 0, kit::Bytes(12, 1)},
                                       {302, 1, stereo},
                                       {3000, 0, kit::type0_bytes(mono8)}});
  seeds.push_back({"bank.snd", bank});
  seeds.push_back({"empty_index.snd", kit::make_all_snd({})});
  seeds.push_back({"cut.snd", kit::Bytes(bank.begin(), bank.begin() + 28 + 44 * 10)});
}

}  // namespace

QORV_FUZZ_SEEDS("all_snd", write_seeds);
