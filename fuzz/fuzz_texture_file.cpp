// A texture index and a .TEX file on arbitrary bytes: a u32 length, that many bytes of index,
// then the texture file. The index gives a prefix and presence flags, the file a picture that is
// converted the way the texture file cache converts it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/byte_reader.h"
#include "core/mem_mgr.h"
#include "g3d/texture_file.h"
#include "g3d/texture_index.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/rle_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader r(data, size);
  std::size_t index_len = std::min<std::size_t>(r.u32(), size - r.pos());
  static TexIndex index;
  std::memset(index.bytes, 0, sizeof index.bytes);
  std::memcpy(index.bytes, data + r.pos(), std::min(index_len, sizeof index.bytes));
  std::string name = tex_file_name("TEX\\MAP", index.prefix(), 20000);
  volatile bool listed = index.present(0) || index.present(32767) || index.present(40000);
  (void)listed;
  (void)name;
  const std::uint8_t* file = data + r.pos() + index_len;
  std::uint32_t picture_size = 0;
  TexLoad status;
  std::uint8_t* picture = parse_tex_file(file, size - (r.pos() + index_len), &picture_size, &status);
  if (picture) convert_rle_image(reinterpret_cast<RleImage*>(picture), picture_size, nullptr, nullptr, nullptr);
  MemMgr_Free(picture);
  return 0;
}
