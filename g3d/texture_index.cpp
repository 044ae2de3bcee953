#include "g3d/texture_index.h"

#include <cstring>
#include <vector>

#include "core/byte_reader.h"
#include "core/log.h"
#include "core/paths.h"
#include "platform/files.h"
#include "platform/message_box.h"

const TexCategory tex_categories[tex_category_count] = {
    {"CHR", 0, 10000},     {"ITM", 10000, 12000}, {"MGC", 12000, 17000},
    {"SYS", 17000, 20000}, {"MAP", 20000, 30000}, {"OTH", 30000, 32768},
};

int tex_category_of(std::uint32_t n) {
  for (int c = 0; c < tex_category_count; ++c)
    if (n >= tex_categories[c].first && n < tex_categories[c].end) return c;
  return -1;
}

std::string TexIndex::prefix() const {
  const char* p = reinterpret_cast<const char*>(bytes + tex_index_prefix_offset);
  return std::string(p, strnlen(p, tex_index_prefix_size));
}

bool TexIndex::present(std::uint32_t n) const {
  return n < tex_extra_first && ByteReader(bytes, sizeof bytes).u16_at(tex_index_flags_offset + 2 * n) != 0;
}

int g3d_load_idx_tex(const char* path, TexIndex* buffer) {
  std::memset(buffer->bytes, 0, sizeof buffer->bytes);
  platform::File file;
  if (!path || !file.open(path, platform::File::Mode::Read)) {
    platform::message_box(nullptr, "g3d_load_idx_tex(..)\xbf\xf9\xbb~  \xa7\xe4\xa4\xa3\xa8\xec\xc0\xc9\xae\xd7",
                          error_caption, platform::BoxButtons::Ok, platform::BoxIcon::Error);  // ...錯誤  找不到檔案
    return 0;
  }
  std::size_t done = 0;
  while (done < sizeof buffer->bytes) {
    long long got = file.read(buffer->bytes + done, sizeof buffer->bytes - done);
    if (got <= 0) break;
    done += std::size_t(got);
  }
  return 1;
}

std::string tex_file_name(const std::string& folder, const std::string& prefix, std::uint32_t number) {
  std::string path = folder;
  append_path(path, make_numbered_name(prefix, ".TEX", int(number), 5));
  return path;
}
