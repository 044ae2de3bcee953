// ObjData.GLL: loading, the object count and the tagged-record decoder.
#include "data/object_db.h"

#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "core/code_table.h"
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

// The operands of a fixed-size tag, read by their offset from the first operand byte. The
// loop checks them against the pool before a row's store reads them.
struct TagOperands {
  const ByteReader& r;
  std::size_t first;

  std::uint8_t u8(std::size_t k) const { return r.u8_at(first + k); }
  std::int8_t i8(std::size_t k) const { return r.i8_at(first + k); }
  std::uint16_t u16(std::size_t k) const { return r.u16_at(first + k); }
  std::int16_t i16(std::size_t k) const { return r.i16_at(first + k); }
  std::uint32_t u32(std::size_t k) const { return r.u32_at(first + k); }
  std::int32_t i32(std::size_t k) const { return r.i32_at(first + k); }
  template <std::size_t N>
  void u8s(std::uint8_t (&out)[N], std::size_t count = N) const {
    for (std::size_t i = 0; i < count; ++i) out[i] = u8(i);
  }
  template <std::size_t N>
  void u16s(std::uint16_t (&out)[N], std::size_t count = N) const {
    for (std::size_t i = 0; i < count; ++i) out[i] = u16(2 * i);
  }
};

enum class TagForm : std::uint8_t { fixed, text, end };

// One tag of an object record: a fixed-size tag stores its operands into the record; a text
// tag copies a text ended by its mark into a text field.
struct TagRow {
  std::uint16_t code;
  const char* name;
  TagForm form;
  int operand_bytes;
  void (*store)(const TagOperands&, ItemData&);
  std::span<char> (*text_field)(ItemData&);
  const char* missing_text_message;  // %d: the object number
};

using Store = void (*)(const TagOperands&, ItemData&);
constexpr TagRow fixed(std::uint16_t code, const char* name, int operand_bytes, Store store) {
  return {code, name, TagForm::fixed, operand_bytes, store, nullptr, nullptr};
}
constexpr TagRow text(std::uint16_t code, const char* name, std::span<char> (*field)(ItemData&),
                      const char* missing_message) {
  return {code, name, TagForm::text, 0, nullptr, field, missing_message};
}
constexpr TagRow end(std::uint16_t code) { return {code, "end", TagForm::end, 0, nullptr, nullptr, nullptr}; }

using O = const TagOperands&;
constexpr TagRow tag_table[] = {
    fixed(tag_atb_delay, "ATB delay", 4, [](O o, ItemData& d) { d.atb_delay = o.i32(0); }),
    fixed(tag_byte_222, "story flag", 1, [](O o, ItemData& d) { d.story_flag = o.u8(0); }),
    fixed(tag_word_98, "word 98", 2, [](O o, ItemData& d) { d.word_98 = o.u16(0); }),
    fixed(tag_ai_actions, "AI actions", 10, [](O o, ItemData& d) { o.u16s(d.ai_actions); }),
    fixed(tag_ai_uses, "AI uses", 5, [](O o, ItemData& d) { o.u8s(d.ai_uses); }),
    fixed(tag_treasure_code, "treasure code", 2, [](O o, ItemData& d) { d.treasure_code = o.u16(0); }),
    fixed(tag_drop_and_steal, "dropped and stolen items", 6,
          [](O o, ItemData& d) {
            d.drop_chance = o.u8(0);
            d.drop_item = o.u16(1);
            d.byte_199 = o.u8(3);
            d.steal_item = o.u16(4);
          }),
    fixed(tag_words_200_204_176, "words 200, 204-208, 176", 10,
          [](O o, ItemData& d) {
            d.word_200 = o.u16(0);
            d.cost_metal = o.u16(2);
            d.cost_wood = o.u16(4);
            d.cost_coal = o.u16(6);
            d.word_176 = o.u16(8);
          }),
    fixed(tag_bytes_251, "bytes 251, 252", 2, [](O o, ItemData& d) { o.u8s(d.bytes_251); }),
    fixed(tag_byte_249_a, "byte 249", 1, [](O o, ItemData& d) { d.byte_249 = o.u8(0); }),
    fixed(tag_bytes_223, "bytes 223-227", 5,
          [](O o, ItemData& d) {
            o.u8s(d.skill_need);
            d.byte_227 = o.u8(4);
          }),
    fixed(tag_price, "price", 5,
          [](O o, ItemData& d) {
            d.byte_245 = o.u8(0);
            d.price = o.i32(1);
          }),
    fixed(tag_action_flags, "action flags", 3,
          [](O o, ItemData& d) {
            d.action_flags = o.u8(0);
            d.target_side = o.u8(1);
            d.element = o.u8(2);
          }),
    fixed(tag_stats, "stats", 10,
          [](O o, ItemData& d) {
            d.attack = o.u16(0);
            d.defence = o.u16(2);
            d.speed = o.u16(4);
            d.magic_attack = o.u16(6);
            d.magic_defence = o.u16(8);
          }),
    fixed(tag_costs, "costs", 7,
          [](O o, ItemData& d) {
            d.hp_cost = o.u16(0);
            d.mp_cost = o.u16(2);
            d.sp_cost = o.u16(4);
            d.rage_cost = o.i8(6);
          }),
    fixed(tag_target_mode, "target mode", 4,
          [](O o, ItemData& d) {
            d.target_mode = o.u8(0);
            d.turns = o.u8(1);
            d.byte_240 = o.u8(2);
            d.user_class = o.u8(3);
          }),
    fixed(tag_power, "power", 2, [](O o, ItemData& d) { d.power = o.u16(0); }),
    fixed(tag_status_low, "status, low bits", 1, [](O o, ItemData& d) { d.status_low |= o.u8(0); }),
    fixed(tag_status_low_upper, "status, upper low bits", 1,
          [](O o, ItemData& d) { d.status_low |= static_cast<std::uint8_t>(o.u8(0) << 4); }),
    fixed(tag_hp_sp_amounts, "HP and SP amounts", 10,
          [](O o, ItemData& d) {
            store_if_nonzero(d.hp_amount, o.i16(0));
            store_if_nonzero(d.sp_amount, o.i16(2));
            store_if_nonzero(d.attack, o.i16(4));
            store_if_nonzero(d.defence, o.i16(6));
            store_if_nonzero(d.hit, o.i16(8));
          }),
    fixed(tag_mp_amounts, "MP amount", 12,
          [](O o, ItemData& d) {
            store_if_nonzero(d.mp_amount, o.i16(0));
            store_if_nonzero(d.magic_attack, o.i16(2));
            store_if_nonzero(d.magic_defence, o.i16(4));
            store_if_nonzero(d.magic_hit, o.i16(6));
            if (std::int32_t speed = o.i32(8); speed != 0) d.speed = static_cast<std::uint16_t>(speed);
          }),
    fixed(tag_yin_yang, "yin and yang", 4,
          [](O o, ItemData& d) {
            d.yin = o.u16(0);
            d.yang = o.u16(2);
          }),
    fixed(tag_rage_add, "rage add", 1, [](O o, ItemData& d) { d.rage_add = o.u8(0); }),
    fixed(tag_talisman, "talisman", 2,
          [](O o, ItemData& d) {
            d.talisman_element = o.u8(0);
            d.talisman_count = o.u8(1);
          }),
    fixed(tag_byte_242, "byte 242", 1, [](O o, ItemData& d) { d.byte_242 = o.u8(0); }),
    fixed(tag_status_high, "status, high", 3,
          [](O o, ItemData& d) {
            d.status_high = o.u8(0);
            d.status_value = o.u16(1);
          }),
    fixed(tag_word_202, "teach spell", 2, [](O o, ItemData& d) { d.teach_spell = o.u16(0); }),
    fixed(tag_max_hp, "max HP", 10,
          [](O o, ItemData& d) {
            d.max_hp = o.i32(0);
            d.mp = static_cast<std::uint16_t>(o.u32(4));
            d.bytes_236[0] = o.u8(8);
            d.bytes_236[1] = o.u8(9);
          }),
    fixed(tag_monster_speed, "monster speed", 8,
          [](O o, ItemData& d) {
            d.defence = o.u16(0);
            d.hit = o.u16(2);
            d.rage_add = o.u8(4);
            d.stats[combat_speed] = o.u8(6);
          }),
    fixed(tag_byte_244, "byte 244", 1, [](O o, ItemData& d) { d.byte_244 = o.u8(0); }),
    fixed(tag_byte_249_b, "byte 249", 1, [](O o, ItemData& d) { d.byte_249 = o.u8(0); }),
    fixed(tag_words_204, "costs", 8,
          [](O o, ItemData& d) {
            d.cost_metal = o.u16(0);
            d.cost_wood = o.u16(2);
            d.cost_coal = o.u16(4);
            d.cost_money = o.u16(6);
          }),
    fixed(tag_yin_yang_and_words_216, "yin, yang and words 216-220", 10,
          [](O o, ItemData& d) {
            d.yin = o.u16(0);
            d.yang = o.u16(2);
            for (std::size_t i = 0; i < 3; ++i) d.words_216[i] = o.u16(4 + 2 * i);
          }),
    fixed(tag_bytes_223_to_226, "skill needs", 4, [](O o, ItemData& d) { o.u8s(d.skill_need); }),
    fixed(tag_byte_232, "byte 232", 1, [](O o, ItemData& d) { d.byte_232 = o.u8(0); }),
    fixed(tag_atk_script, "ATK script", 2, [](O o, ItemData& d) { d.atk_script = o.u16(0); }),
    end(record_end_tag),
    text(tag_name, "NAME", [](ItemData& d) { return std::span<char>(d.NAME); }, no_name_message),
    fixed(tag_level, "level", 2, [](O o, ItemData& d) { d.level = o.u16(0); }),
    fixed(tag_growth, "growth", 16,
          [](O o, ItemData& d) {
            for (std::size_t i = 0; i < 8; ++i) d.growth[i] = static_cast<float>(o.u16(2 * i) / 10.0);
          }),
    fixed(tag_kind, "kind", 2, [](O o, ItemData& d) { d.kind = o.u16(0); }),
    text(tag_help, "HELP", [](ItemData& d) { return std::span<char>(d.HELP); }, no_help_message),
    text(tag_info, "INFO", [](ItemData& d) { return std::span<char>(d.INFO); }, no_info_message),
    fixed(tag_word_94, "word 94", 2, [](O o, ItemData& d) { d.word_94 = o.u16(0); }),
};
static_assert(rows_ascending(tag_table));

// Copies a text field; returns the bytes to step past it, 0 when its mark is missing (reported;
// reading then resumes at the text's first byte).
std::size_t read_text_tag(const TagRow& row, const ByteReader& r, std::size_t text, int n, ItemData& d) {
  std::span<char> field = row.text_field(d);
  int used = read_Item_str(r.tail(text), field.data(), field.size());
  if (used == 0) report_error(row.missing_text_message, n);
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
    const std::uint16_t code = r.u16_at(p);
    const TagRow* row = find_row(tag_table, code);
    if (!row) {
      report_error(bad_tag_message, n, code);
      return 0;
    }
    if (row->form == TagForm::end) return 1;
    if (row->form == TagForm::text) {
      p += 2 + read_text_tag(*row, r, p + 2, n, *out);
      continue;
    }
    const auto size = static_cast<std::size_t>(row->operand_bytes);
    if (!r.has(p + 2, size)) {
      report_error(truncated_message, n);
      return 0;
    }
    row->store(TagOperands{r, p + 2}, *out);
    p += 2 + size;
  }
}
