// The data file loader, the pool and the text copy shared by every data file.
#include "data/data_file.h"

#include <cstring>

#include "core/log.h"
#include "core/mem_mgr.h"
#include "core/paths.h"
#include "platform/files.h"

bool read_game_data_file(std::string_view file_name, std::vector<std::uint8_t>& out) {
  std::string path = game_dir;
  if (!append_path(path, file_name)) return false;
  return platform::read_whole_file(path, out);
}

bool make_data_pool(std::span<const std::uint8_t> file, std::size_t header_length, DataPool& pool,
                    const char* open_message, const char* alloc_message) {
  pool = DataPool{};
  if (file.size() <= header_length) {
    report_error("%s", open_message);
    return false;
  }
  std::size_t body = file.size() - header_length;
  if (body > 0x7FFFFFF0u) {  // the heap takes int sizes
    report_error("%s", alloc_message);
    return false;
  }
  auto* bytes = static_cast<std::uint8_t*>(mem_calloc(static_cast<unsigned>(body)));
  if (!bytes) {
    report_error("%s", alloc_message);
    return false;
  }
  std::memcpy(bytes, file.data() + header_length, body);
  pool.bytes = bytes;
  pool.size = body;
  return true;
}

void free_data_pool(DataPool& pool) {
  if (pool.bytes) mem_free(pool.bytes);
  pool = DataPool{};
}

long find_text_end(std::span<const std::uint8_t> src) {
  for (std::size_t i = 0; i + 1 < src.size(); ++i)
    if (src[i] == '%' && src[i + 1] == 'Q') return static_cast<long>(i);
  return -1;
}

std::size_t big5_fit(const std::uint8_t* s, std::size_t n, std::size_t cap) {
  std::size_t i = 0;
  while (i < n) {
    std::size_t step = (s[i] >= 0x81 && s[i] <= 0xFE && i + 1 < n) ? 2 : 1;
    if (i + step > cap) break;
    i += step;
  }
  return i;
}

void copy_text_cut(const std::uint8_t* src, std::size_t n, char* dst, std::size_t dst_size) {
  if (dst_size == 0) return;
  std::size_t len = big5_fit(src, n, dst_size - 1);
  if (len) std::memcpy(dst, src, len);
  dst[len] = '\0';
}

int read_Item_str(std::span<const std::uint8_t> src, char* dst, std::size_t dst_size) {
  // The 0xFFFF test comes first at every position; a text cut short by it (or by the end of the
  // pool) keeps the bytes before it and counts as no text.
  std::size_t i = 0;
  for (; i < src.size(); ++i) {
    if (i + 1 == src.size()) {
      ++i;
      break;
    }
    if (src[i] == 0xFF && src[i + 1] == 0xFF) break;
    if (src[i] == '%' && src[i + 1] == 'Q') {
      copy_text_cut(src.data(), i, dst, dst_size);
      return static_cast<int>(i + 2);
    }
  }
  copy_text_cut(src.data(), i, dst, dst_size);
  return 0;
}
