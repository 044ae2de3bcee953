// The TSW archive reader on arbitrary archive bytes: the index, then a few frames of the first
// pictures it names, each converted the way the sprite cache converts it.
#include <cstddef>
#include <cstdint>
#include <set>

#include "core/mem_mgr.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/rle_image.h"
#include "gfx2d/tsw_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TswSource source;
  source.use_memory(data, size);
  static std::uint32_t offsets[tsw_entry_count];
  read_tsw_index(source, offsets);
  TswReadBuffers buffers;
  std::set<std::uint32_t> tried;
  for (std::uint32_t offset : offsets) {
    if (offset == 0 || !tried.insert(offset).second) continue;
    if (tried.size() > 8) break;
    for (int frame = 0; frame < 4; ++frame) {
      TswPic pic;
      if (read_tsw_frame(source, offset, frame, buffers, &pic) != TswRead::Ok) continue;
      convert_tsw_picture(&pic);
      MemMgr_Free(pic.image);
    }
  }
  return 0;
}
