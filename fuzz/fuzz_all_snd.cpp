// The effect bank file: the index of 3000 records, then the sound of each entry made from its
// stored bytes and read as the library reads a WAVE. Input: a whole all.snd.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/wav.h"
#include "sound/sfx_index.h"

namespace {
constexpr int max_entries_tried = 64;  // entries usually share few offsets; this bounds the work
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::vector<SfxEntry> table(sfx_entry_count);
  std::size_t index_size = size > sfx_index_offset ? std::min(size - sfx_index_offset, sfx_index_size) : 0;
  read_sfx_index(size > sfx_index_offset ? data + sfx_index_offset : data, index_size, table.data());
  int tried = 0;
  for (const SfxEntry& e : table) {
    if (e.offset == 0 || e.offset >= size) continue;
    if (++tried > max_entries_tried) break;
    std::size_t n = std::min<std::size_t>(e.size(), size - e.offset);
    std::vector<std::uint8_t> sound;
    std::string error;
    if (!build_sfx_sound(e.type(), data + e.offset, n, sound, error)) continue;
    if (e.type() == 0 && sound.size() < 44) __builtin_trap();  // a rebuilt header is whole
    platform::WavInfo info;
    if (!platform::parse_wav(sound.data(), sound.size(), info, error)) continue;
    if (info.data_offset + info.data_size > sound.size()) __builtin_trap();
    platform::PcmFrames pcm;
    platform::convert_pcm(info, sound.data() + info.data_offset, info.data_size, pcm);
  }
  return 0;
}
