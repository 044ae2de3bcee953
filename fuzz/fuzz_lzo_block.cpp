// The LZO packed block reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "core/mem_mgr.h"
#include "g3d/lzo_block.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint32_t unpacked = 0;
  std::uint8_t* out = unpack_lzo_block(data, size, 1u << 22, &unpacked);
  MemMgr_Free(out);
  return 0;
}
