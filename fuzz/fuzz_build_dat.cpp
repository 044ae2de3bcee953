// build.DAT on arbitrary bytes: the header word, the pool and its six section offsets.
#include <cstddef>
#include <cstdint>

#include "base/build_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (open_build_data_image({data, size})) {
    // Every section the loader kept lies inside the pool.
    for (const std::uint8_t* s : build_sections)
      if (s && (s < gmBudPool.bytes || s >= gmBudPool.bytes + gmBudPool.size)) __builtin_trap();
  }
  close_build_data();
  return 0;
}
