#include "g3d/lzo_block.h"

#include <cstdint>
#include <cstring>

#include "core/byte_reader.h"
#include "core/log.h"
#include "core/mem_mgr.h"
#include "platform/lzo.h"
#include "platform/message_box.h"

namespace {


void show_error(const char* text) {
  platform::message_box(nullptr, text, error_caption, platform::BoxButtons::Ok, platform::BoxIcon::Error);
}

}  // namespace

std::uint8_t* g3d_compress_lzo(const void* source, std::uint32_t size, int* packed_size) {
  if (packed_size) *packed_size = 0;
  std::uint64_t capacity = platform::lzo_compress_bound(size);
  if ((size && !source) || capacity > 0x7FFFFFFF) return nullptr;
  auto* out = static_cast<std::uint8_t*>(mem_calloc(unsigned(capacity)));
  if (!out) {
    show_error("g3d_compress_lzo(..) lzo_d\xb5L\xaak\xb0t\xa8\xee");  // ... lzo_d無法配制
    return nullptr;
  }
  void* work = mem_calloc(unsigned(platform::lzo_compress_work_size()));
  if (!work) {
    show_error("g3d_compress_lzo(..) wrkMem \xb5L\xaak\xb0t\xa8\xee");  // ... wrkMem 無法配制
    MemMgr_Free(out);
    return nullptr;
  }
  std::size_t out_len = 0;
  int rc = platform::lzo_compress(source, size, out, &out_len, work);
  MemMgr_Free(work);
  if (rc != platform::lzo_ok || out_len > capacity) {
    MemMgr_Free(out);
    return nullptr;
  }
  if (packed_size) *packed_size = int(out_len);
  return out;
}

int g3d_decompress_lzo(const void* packed, std::uint32_t packed_size, void* destination,
                       std::uint32_t* unpacked_size) {
  std::size_t out_len = unpacked_size ? *unpacked_size : 0;
  if (!packed || (out_len && !destination)) {
    if (unpacked_size) *unpacked_size = 0;
    return -1;
  }
  int rc = platform::lzo_decompress(packed, packed_size, destination, &out_len);
  if (unpacked_size) *unpacked_size = std::uint32_t(out_len);
  return rc;
}

bool read_lzo_block_header(const std::uint8_t* bytes, std::size_t size, LzoBlockHeader* header) {
  ByteReader r(bytes, size);
  LzoBlockHeader h;
  h.unpacked_size = r.u32();
  h.packed_size = r.u32();
  if (!r.ok() || r.remaining() < h.packed_size) return false;
  if (header) *header = h;
  return true;
}

std::uint8_t* unpack_lzo_block(const std::uint8_t* bytes, std::size_t size, std::uint32_t max_unpacked,
                               std::uint32_t* unpacked_size, LzoUnpack* status) {
  if (unpacked_size) *unpacked_size = 0;
  if (status) *status = LzoUnpack::BadBlock;
  LzoBlockHeader h;
  if (!read_lzo_block_header(bytes, size, &h)) return nullptr;
  if (h.unpacked_size == 0 || h.unpacked_size > max_unpacked || h.unpacked_size > 0x7FFFFFFF) return nullptr;
  auto* out = static_cast<std::uint8_t*>(mem_calloc(h.unpacked_size));
  if (!out) {
    if (status) *status = LzoUnpack::NoMemory;
    return nullptr;
  }
  std::uint32_t got = h.unpacked_size;
  int rc = g3d_decompress_lzo(bytes + lzo_block_header_size, h.packed_size, out, &got);
  if (rc != platform::lzo_ok || got != h.unpacked_size) {
    MemMgr_Free(out);
    return nullptr;
  }
  if (unpacked_size) *unpacked_size = got;
  if (status) *status = LzoUnpack::Ok;
  return out;
}

std::uint8_t* pack_lzo_block(const void* source, std::uint32_t size, std::uint32_t* block_size) {
  if (block_size) *block_size = 0;
  int packed = 0;
  std::uint8_t* data = g3d_compress_lzo(source, size, &packed);
  if (!data) return nullptr;
  auto* block = static_cast<std::uint8_t*>(MemMgr_Alloc(int(lzo_block_header_size) + packed));
  if (block) {
    put_u32le(block, size);
    put_u32le(block + 4, std::uint32_t(packed));
    std::memcpy(block + lzo_block_header_size, data, std::size_t(packed));
    if (block_size) *block_size = lzo_block_header_size + std::uint32_t(packed);
  }
  MemMgr_Free(data);
  return block;
}
