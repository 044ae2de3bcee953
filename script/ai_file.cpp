#include "script/ai_file.h"

#include <vector>

#include "core/log.h"

DataPool gmAIPool;

namespace {
std::size_t table_length = 0;

// open_AI_data(..)錯誤  無法開啟 AI.DAT
constexpr const char* open_message = "open_AI_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2 AI.DAT";
// open_AI_data(...) 無法配制 gmAIPool 記憶體
constexpr const char* alloc_message = "open_AI_data(...) \xB5L\xAAk\xB0t\xA8\xEE gmAIPool \xB0O\xBE\xD0\xC5\xE9";

std::size_t measure_table(const DataPool& pool) {
  ByteReader r = pool.reader();
  std::size_t end = r.size() / 4 * 4;
  for (std::size_t at = 0; at + 4 <= end; at += 4) {
    std::uint32_t off = r.u32_at(at);
    if (off != 0 && off < end) end = off / 4 * 4;
  }
  return end / 4;
}
}  // namespace

bool install_AI_data(std::span<const std::uint8_t> file) {
  if (gmAIPool) return true;
  if (!make_data_pool(file, data_file_header_length, gmAIPool, open_message, alloc_message)) return false;
  table_length = measure_table(gmAIPool);
  return true;
}

void open_AI_data() {
  if (gmAIPool) return;
  std::vector<std::uint8_t> file;
  if (!read_game_data_file("AI.gll", file)) {
    report_error("%s", open_message);
    return;
  }
  install_AI_data(file);
}

void close_AI_data() {
  free_data_pool(gmAIPool);
  table_length = 0;
}

std::size_t ai_table_length() { return table_length; }

ScriptCursor ai_cursor(std::size_t pos) {
  return ScriptCursor(gmAIPool.bytes, gmAIPool.size, table_length * 4, pos);
}

std::uint32_t ai_script_start(std::uint16_t n) {
  if (!gmAIPool || n == 0 || n > table_length) return 0;
  std::uint32_t off = gmAIPool.reader().u32_at(4 * (std::size_t(n) - 1));
  return ai_cursor(0).can_start(off) ? off : 0;
}
