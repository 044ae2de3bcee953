#include "g3d/texture_file.h"

#include <vector>

#include "core/log.h"
#include "core/mem_mgr.h"
#include "g3d/lzo_block.h"
#include "gfx2d/picture_check.h"
#include "platform/files.h"
#include "platform/message_box.h"

std::uint8_t* parse_tex_file(const std::uint8_t* bytes, std::size_t size, std::uint32_t* picture_size,
                             TexLoad* status) {
  LzoUnpack unpack = LzoUnpack::BadBlock;
  std::uint32_t unpacked = 0;
  std::uint8_t* picture = unpack_lzo_block(bytes, size, tex_max_unpacked_bytes, &unpacked, &unpack);
  if (picture && !picture_is_sound(picture, unpacked, PictureDepth::Rgb16)) {
    MemMgr_Free(picture);
    picture = nullptr;
  }
  if (status) *status = picture ? TexLoad::Ok : unpack == LzoUnpack::NoMemory ? TexLoad::NoMemory : TexLoad::Damaged;
  if (picture_size) *picture_size = picture ? unpacked : 0;
  return picture;
}

std::uint8_t* g3d_tex_load(const char* path, std::uint32_t* size, TexLoad* status) {
  if (size) *size = 0;
  TexLoad result = TexLoad::Missing;
  std::uint8_t* picture = nullptr;
  std::vector<std::uint8_t> file;
  if (path && platform::file_exists(path)) {
    if (platform::read_whole_file(path, file, tex_max_file_bytes))
      picture = parse_tex_file(file.data(), file.size(), size, &result);
    else
      result = TexLoad::Damaged;
  }
  if (result == TexLoad::NoMemory)
    platform::message_box(nullptr, "g3d_tex_load(..)\xbf\xf9\xbb~  \xb5L\xaak\xb0t\xa8\xee\xb0O\xbe\xd0\xc5\xe9",
                          error_caption, platform::BoxButtons::Ok, platform::BoxIcon::Error);  // ...錯誤  無法配制記憶體
  if (status) *status = result;
  return picture;
}
