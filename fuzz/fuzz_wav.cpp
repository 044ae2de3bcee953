// The WAVE reader: the chunk walk, then the conversion to the mixer's format. Input: a file.
#include <cstdint>
#include <string>

#include "platform/wav.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::WavInfo info;
  std::string error;
  if (!platform::parse_wav(data, size, info, error)) {
    if (error.empty()) __builtin_trap();  // every refusal says why
    return 0;
  }
  if (info.data_offset > size || info.data_size > size - info.data_offset) __builtin_trap();
  platform::PcmFrames pcm;
  platform::convert_pcm(info, data + info.data_offset, info.data_size, pcm);
  if (pcm.size() % 2 != 0) __builtin_trap();
  return 0;
}
