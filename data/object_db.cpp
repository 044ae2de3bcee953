// ObjData.GLL: loading, the object count and the tagged-record decoder.
#include "data/object_db.h"

#include <cstring>
#include <string>
#include <vector>

#include "core/log.h"
#include "core/paths.h"
#include "platform/files.h"

DataPool gmItemPool;
int gmItemCount = 0;

namespace {
platform::File item_file;  // open from SFINIT0_open_item_data until open_item_data

// open_item_data(..)錯誤  無法開啟 ObjData.GLL
constexpr const char* item_open_message = "open_item_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2 ObjData.GLL";
// open_item_data(...) 無法配制 gmItemPool 記憶體
constexpr const char* item_alloc_message =
    "open_item_data(...) \xB5L\xAAk\xB0t\xA8\xEE gmItemPool \xB0O\xBE\xD0\xC5\xE9";
// read_Item(...) 錯誤  此物品ID=%d 無資料
constexpr const char* empty_record_message = "read_Item(...) \xBF\xF9\xBB~  \xA6\xB9\xAA\xAB\xAB~ID=%d \xB5L\xB8\xEA\xAE\xC6";
// read_Item(...)錯誤,(%d)物品指令錯誤(%d)
constexpr const char* bad_tag_message =
    "read_Item(...)\xBF\xF9\xBB~,(%d)\xAA\xAB\xAB~\xAB\xFC\xA5O\xBF\xF9\xBB~(%d)";
// read_Item(...)錯誤,(%d)物品資料不完整
constexpr const char* truncated_message =
    "read_Item(...)\xBF\xF9\xBB~,(%d)\xAA\xAB\xAB~\xB8\xEA\xAE\xC6\xA4\xA3\xA7\xB9\xBE\xE3";
// %d物品(NAME) read_Item_str(...) 找不到 字串名稱, and the same for HELP and INFO
constexpr const char* no_name_message =
    "%d\xAA\xAB\xAB~(NAME) read_Item_str(...) \xA7\xE4\xA4\xA3\xA8\xEC \xA6r\xA6\xEA\xA6W\xBA\xD9";
constexpr const char* no_help_message =
    "%d\xAA\xAB\xAB~(HELP) read_Item_str(...) \xA7\xE4\xA4\xA3\xA8\xEC \xA6r\xA6\xEA\xA6W\xBA\xD9";
constexpr const char* no_info_message =
    "%d\xAA\xAB\xAB~(INFO) read_Item_str(...) \xA7\xE4\xA4\xA3\xA8\xEC \xA6r\xA6\xEA\xA6W\xBA\xD9";

// The object count: entries before the -1 that ends the offset table, bounded by the pool.
int count_objects(const DataPool& pool) {
  ByteReader r = pool.reader();
  int n = 0;
  while (r.has(4 * std::size_t(n), 4) && r.i32_at(4 * std::size_t(n)) != -1 && n < 0x7FFF) ++n;
  return n;
}

void store_if_nonzero(std::uint16_t& field, std::int16_t v) {
  if (v != 0) field = static_cast<std::uint16_t>(v);
}

// Operand bytes of each fixed-size tag; -1 for a text tag, -2 for an unknown tag.
int operand_bytes(std::uint16_t tag) {
  switch (tag) {
    case 1010: case 1300: case 2007: case 2008: case 2012: case 2015: case 2050: case 2051: case 2200:
      return 1;
    case 1020: case 1050: case 1200: case 2006: case 2013: case 2020: case 2500: case 9907: case 9909: case 9912:
      return 2;
    case 2002: case 2019: return 3;
    case 1001: case 2005: case 2011: case 2103: return 4;
    case 1040: case 1500: case 2001: return 5;
    case 1100: return 6;
    case 2004: return 7;
    case 2022: case 2100: return 8;
    case 1030: case 1101: case 2003: case 2009: case 2021: case 2101: return 10;
    case 2010: return 12;
    case 9908: return 16;
    case 9905: return 0;
    case 9906: case 9910: case 9911: return -1;
    default: return -2;
  }
}

// Stores the operands of a fixed-size tag that starts at p (operands at p + 2).
void apply_tag(std::uint16_t tag, const ByteReader& r, std::size_t p, ItemData& d) {
  std::size_t o = p + 2;
  switch (tag) {
    case 1001: d.atb_delay = r.i32_at(o); break;
    case 1010: d.byte_222 = r.u8_at(o); break;
    case 1020: d.word_98 = r.u16_at(o); break;
    case 1030: for (int i = 0; i < 5; ++i) d.ai_actions[i] = r.u16_at(o + 2 * i); break;
    case 1040: for (int i = 0; i < 5; ++i) d.ai_uses[i] = r.u8_at(o + i); break;
    case 1050: d.treasure_code = r.u16_at(o); break;
    case 1100:
      d.drop_chance = r.u8_at(o);
      d.drop_item = r.u16_at(o + 1);
      d.byte_199 = r.u8_at(o + 3);
      d.steal_item = r.u16_at(o + 4);
      break;
    case 1101:
      d.word_200 = r.u16_at(o);
      for (int i = 0; i < 3; ++i) d.words_204[i] = r.u16_at(o + 2 + 2 * i);
      d.word_176 = r.u16_at(o + 8);
      break;
    case 1200: d.bytes_251[0] = r.u8_at(o); d.bytes_251[1] = r.u8_at(o + 1); break;
    case 1300: d.byte_249 = r.u8_at(o); break;
    case 1500: for (int i = 0; i < 5; ++i) d.bytes_223[i] = r.u8_at(o + i); break;
    case 2001: d.byte_245 = r.u8_at(o); d.price = r.i32_at(o + 1); break;
    case 2002: d.action_flags = r.u8_at(o); d.target_side = r.u8_at(o + 1); d.element = r.u8_at(o + 2); break;
    case 2003:
      d.attack = r.u16_at(o);
      d.defence = r.u16_at(o + 2);
      d.speed = r.u16_at(o + 4);
      d.magic_attack = r.u16_at(o + 6);
      d.magic_defence = r.u16_at(o + 8);
      break;
    case 2004:
      d.hp_cost = r.u16_at(o);
      d.mp_cost = r.u16_at(o + 2);
      d.sp_cost = r.u16_at(o + 4);
      d.rage_cost = r.i8_at(o + 6);
      break;
    case 2005:
      d.target_mode = r.u8_at(o);
      d.turns = r.u8_at(o + 1);
      d.byte_240 = r.u8_at(o + 2);
      d.user_class = r.u8_at(o + 3);
      break;
    case 2006: d.power = r.u16_at(o); break;
    case 2007: d.status_low |= r.u8_at(o); break;
    case 2008: d.status_low |= static_cast<std::uint8_t>(r.u8_at(o) << 4); break;
    case 2009:
      store_if_nonzero(d.hp_amount, r.i16_at(o));
      store_if_nonzero(d.sp_amount, r.i16_at(o + 2));
      store_if_nonzero(d.attack, r.i16_at(o + 4));
      store_if_nonzero(d.defence, r.i16_at(o + 6));
      store_if_nonzero(d.hit, r.i16_at(o + 8));
      break;
    case 2010: {
      store_if_nonzero(d.mp_amount, r.i16_at(o));
      store_if_nonzero(d.magic_attack, r.i16_at(o + 2));
      store_if_nonzero(d.magic_defence, r.i16_at(o + 4));
      store_if_nonzero(d.magic_hit, r.i16_at(o + 6));
      std::int32_t speed = r.i32_at(o + 8);
      if (speed != 0) d.speed = static_cast<std::uint16_t>(speed);
      break;
    }
    case 2011: d.yin = r.u16_at(o); d.yang = r.u16_at(o + 2); break;
    case 2012: d.rage_add = r.u8_at(o); break;
    case 2013: d.talisman_element = r.u8_at(o); d.talisman_count = r.u8_at(o + 1); break;
    case 2015: d.byte_242 = r.u8_at(o); break;
    case 2019: d.status_high = r.u8_at(o); d.status_value = r.u16_at(o + 1); break;
    case 2020: d.word_202 = r.u16_at(o); break;
    case 2021:
      d.max_hp = r.i32_at(o);
      d.mp = static_cast<std::uint16_t>(r.u32_at(o + 4));
      d.bytes_236[0] = r.u8_at(o + 8);
      d.bytes_236[1] = r.u8_at(o + 9);
      break;
    case 2022:
      d.defence = r.u16_at(o);
      d.hit = r.u16_at(o + 2);
      d.rage_add = r.u8_at(o + 4);
      d.stats[combat_speed] = r.u8_at(o + 6);
      break;
    case 2050: d.byte_244 = r.u8_at(o); break;
    case 2051: d.byte_249 = r.u8_at(o); break;
    case 2100: for (int i = 0; i < 4; ++i) d.words_204[i] = r.u16_at(o + 2 * i); break;
    case 2101:
      d.yin = r.u16_at(o);
      d.yang = r.u16_at(o + 2);
      for (int i = 0; i < 3; ++i) d.words_216[i] = r.u16_at(o + 4 + 2 * i);
      break;
    case 2103: for (int i = 0; i < 4; ++i) d.bytes_223[i] = r.u8_at(o + i); break;
    case 2200: d.byte_232 = r.u8_at(o); break;
    case 2500: d.atk_script = r.u16_at(o); break;
    case 9907: d.level = r.u16_at(o); break;
    case 9908:
      for (int i = 0; i < 8; ++i) d.growth[i] = static_cast<float>(r.u16_at(o + 2 * i) / 10.0);
      break;
    case 9909: d.kind = r.u16_at(o); break;
    case 9912: d.word_94 = r.u16_at(o); break;
    default: break;
  }
}

// Copies a text field; returns the bytes to step past it, 0 when its mark is missing (reported;
// reading then resumes at the text's first byte).
std::size_t read_text_tag(std::uint16_t tag, const ByteReader& r, std::size_t text, int n, ItemData& d) {
  char* dst = d.NAME;
  std::size_t cap = sizeof d.NAME;
  const char* message = no_name_message;
  if (tag == 9910) {
    dst = d.HELP, cap = sizeof d.HELP, message = no_help_message;
  } else if (tag == 9911) {
    dst = d.INFO, cap = sizeof d.INFO, message = no_info_message;
  }
  int used = read_Item_str(r.tail(text), dst, cap);
  if (used == 0) report_error(message, n);
  return static_cast<std::size_t>(used);
}
}  // namespace

void SFINIT0_open_item_data() {
  game_dir = get_current_dir();
  if (game_dir.size() > max_path_length) game_dir.resize(max_path_length);
  std::string path = game_dir;
  item_file.close();
  if (append_path(path, "ObjData.GLL")) item_file.open(path, platform::File::Mode::Read);
}

bool install_item_data(std::span<const std::uint8_t> file) {
  close_item_data();
  if (!make_data_pool(file, data_file_header_length, gmItemPool, item_open_message, item_alloc_message))
    return false;
  gmItemCount = count_objects(gmItemPool);
  return true;
}

void open_item_data() {
  close_item_data();
  if (!item_file.is_open()) {
    report_error("%s", item_open_message);
    return;
  }
  std::vector<std::uint8_t> file;
  long long size = item_file.size();
  bool read_ok = size >= 0 && size < (1ll << 30);
  if (read_ok) {
    file.resize(static_cast<std::size_t>(size));
    read_ok = item_file.seek(0, 0) == 0 && item_file.read(file.data(), file.size()) == size;
  }
  item_file.close();
  if (!read_ok) {
    report_error("%s", item_open_message);
    return;
  }
  install_item_data(file);
}

void close_item_data() {
  free_data_pool(gmItemPool);
  gmItemCount = 0;
}

int read_Item(std::uint16_t number, ItemData* out) {
  int n = number & 0x7FFF;
  if (n == 0 || n > gmItemCount || !out) return 0;
  ByteReader r = gmItemPool.reader();
  std::int32_t start = r.i32_at(4 * std::size_t(n - 1));
  std::size_t p = static_cast<std::size_t>(start);
  if (start < 0 || !r.has(p, 2) || (r.has(p, 4) && r.u16_at(p) == 0 && r.u16_at(p + 2) == 0xFFFF)) {
    report_error(empty_record_message, n);
    return 0;
  }
  std::memset(out, 0, sizeof *out);
  out->object_id = static_cast<std::uint16_t>(n);
  for (;;) {
    if (!r.has(p, 2)) {
      report_error(truncated_message, n);
      return 0;
    }
    std::uint16_t tag = r.u16_at(p);
    int size = operand_bytes(tag);
    if (size == -2) {
      report_error(bad_tag_message, n, tag);
      return 0;
    }
    if (tag == record_end_tag) return 1;
    if (size == -1) {
      p += 2 + read_text_tag(tag, r, p + 2, n, *out);
      continue;
    }
    if (!r.has(p + 2, static_cast<std::size_t>(size))) {
      report_error(truncated_message, n);
      return 0;
    }
    apply_tag(tag, r, p, *out);
    p += 2 + static_cast<std::size_t>(size);
  }
}
