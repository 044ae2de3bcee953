// The 3D Studio chunk handlers on arbitrary bytes: a u16 chunk identifier, then the handler of
// that chunk reads its data at the cursor; again until the bytes end. Identifiers the table
// does not list, and containers, are stepped over.
#include <cstddef>
#include <cstdint>

#include "g3d/g3ds_reader.h"
#include "platform/message_box.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  g3ds_free();
  g3ds_begin(data, size);
  for (int step = 0; step < 4096 && g3ds.cursor + 2 <= size; ++step) {
    const std::uint16_t id = std::uint16_t(data[g3ds.cursor] | data[g3ds.cursor + 1] << 8);
    g3ds.cursor += 2;
    const G3dsChunk* chunk = g3ds_find_chunk(id);
    if (chunk && chunk->kind == G3dsChunkKind::Handler) chunk->handler();
  }
  g3ds_free();
  platform::clear_recorded_boxes();
  return 0;
}
