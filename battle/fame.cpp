// Fame records.
#include "battle/fame.h"

#include <cstring>
#include <deque>

#include "core/byte_reader.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "core/mem_mgr.h"
#include "core/paths.h"
#include "data/object_db.h"
#include "g3d/lzo_block.h"
#include "platform/files.h"

FameBlock fame_block;
const char fame_file_name[] = "fame.dat";

namespace {
// Newest first: new records go to the front. A deque keeps the records in place as it grows,
// so pointers handed out stay valid until free_fame.
std::deque<FameNode> fame_list;

struct GrowthRule {
  std::uint16_t code;
  std::int16_t cap;
  std::uint16_t rate;
};
constexpr GrowthRule growth_rules[] = {
    {53, 20, 100}, {54, 200, 20}, {55, 1000, 3}, {56, 1000, 3},
    {57, 1000, 1800}, {58, 200, 10000}, {59, 200, 20000}, {60, 200, 60},
};

const GrowthRule* growth_rule(std::uint16_t code) {
  for (const GrowthRule& r : growth_rules)
    if (r.code == code) return &r;
  return nullptr;
}

void set_level_scale(FameNode& node, const ItemData& item) {
  node.level_exp = item.atb_delay > 0 ? std::uint32_t(item.atb_delay / 10) : 0;
  if (const GrowthRule* r = growth_rule(node.code)) {
    node.cap = r->cap;
    node.rate = r->rate;
  }
}

std::string fame_path() {
  std::string path = game_dir;
  append_path(path, fame_file_name);
  return path;
}
}  // namespace

int fame_add(std::uint16_t object, int, int, std::uint16_t type) {
  for (FameNode& node : fame_list) {
    if (node.object != object) continue;
    if (type == fame_type_treasure && node.type == fame_type_treasure) return 1;
    if (type == fame_type_monster && node.type == fame_type_monster) {
      ++node.points;
      return 1;
    }
    if (type == fame_type_object || type == fame_type_map) return 1;
  }
  FameNode node;
  node.object = object;
  node.type = type;
  node.points = 1;
  if (type != fame_type_map) {
    ItemData item;
    if (!read_Item(object, &item)) return 0;
    if (type == fame_type_treasure) {
      node.points = 0;
      node.level = 1;
      node.code = item.treasure_code;
      set_level_scale(node, item);
    }
  }
  fame_list.push_front(node);
  return 1;
}

FameNode* fame_find(std::uint16_t object, std::uint16_t type) {
  for (FameNode& node : fame_list)
    if (node.object == object && node.type == type) return &node;
  return nullptr;
}

FameNode* fame_find_nth(std::uint16_t type, std::uint16_t n) {
  for (FameNode& node : fame_list)
    if (node.type == type && n-- == 0) return &node;
  return nullptr;
}

void free_fame() { fame_list.clear(); }

// The growth rules come with the battle's treasures; until then an event changes nothing.
void treasure_event(std::uint16_t, int, std::uint16_t) {}
void fame_save_treasures(std::vector<std::uint8_t>& out) {
  for (const FameNode& node : fame_list) {
    if (node.type != fame_type_treasure) continue;
    FameImage image;
    record_image::write_image(node, std::span<std::uint8_t, fame_node_image_size>(image));
    out.insert(out.end(), image.begin(), image.end());
  }
}

void fame_refresh_treasure(FameNode* node) {
  ItemData item;
  if (!node || !read_Item(node->object, &item)) return;
  set_level_scale(*node, item);
}

void fame_load_treasures(std::span<const FameImage> images) {
  for (const FameImage& image : images) {
    FameNode node;
    record_image::read_image(std::span<const std::uint8_t, fame_node_image_size>(image), node);
    fame_refresh_treasure(&node);
    fame_list.push_front(node);
  }
}

std::vector<std::uint8_t> fame_file_image() {
  std::uint8_t list[fame_list_size] = {};
  int pairs = 0;
  for (const FameNode& node : fame_list) {
    if (node.type == fame_type_treasure) continue;
    // The newest records come first in the list; older ones past the file's room are dropped.
    if (pairs == fame_pairs_cap) {
      log_trace("fame.dat keeps the %d newest records; older ones are dropped", fame_pairs_cap);
      break;
    }
    put_u16le(list + 2 + 4 * pairs, node.object);
    put_u16le(list + 4 + 4 * pairs, node.type);
    ++pairs;
  }
  put_u16le(list, std::uint16_t(pairs));
  std::uint32_t block_size = 0;
  std::uint8_t* block = pack_lzo_block(list, fame_list_size, &block_size);
  if (!block) return {};
  std::vector<std::uint8_t> file(block, block + block_size);
  MemMgr_Free(block);
  fame_block.mark = fame_block_mark;
  std::uint8_t tail[fame_block_size];
  put_u16le(tail, fame_block.mark);
  put_u16le(tail + 2, fame_block.cleared);
  std::memcpy(tail + 4, fame_block.reserved, sizeof fame_block.reserved);
  file.insert(file.end(), tail, tail + fame_block_size);
  return file;
}

int save_fame() {
  std::vector<std::uint8_t> file = fame_file_image();
  if (file.empty()) {
    report_error("fame\xC0\xC9\xAE\xD7\xC0\xA3\xC1\x59\xA5\xA2\xB1\xD1!!");  // "fame檔案壓縮失敗!!"
    return 0;
  }
  if (!platform::write_file_atomic(fame_path(), file.data(), file.size())) {
    report_error("fame\xC0\xC9\xAE\xD7\xAB\xD8\xA5\xDF\xA5\xA2\xB1\xD1");  // "fame檔案建立失敗"
    return 0;
  }
  return 1;
}

int load_fame_image(std::span<const std::uint8_t> file) {
  free_fame();
  LzoBlockHeader header;
  if (!read_lzo_block_header(file.data(), file.size(), &header)) return 0;
  const std::size_t tail = lzo_block_header_size + header.packed_size;
  if (file.size() - tail < fame_block_size) return 0;
  std::uint32_t size = 0;
  std::uint8_t* list = unpack_lzo_block(file.data(), file.size(), fame_list_size, &size);
  if (!list) return 0;
  ByteReader pairs(list, size);
  const std::uint16_t count = pairs.u16();
  // Pairs are read only as far as the unpacked list reaches.
  for (std::uint16_t i = 0; i < count && pairs.remaining() >= 4; ++i) {
    const std::uint16_t id = pairs.u16();
    const std::uint16_t type = pairs.u16();
    fame_add(id, 1, 0, type);
  }
  MemMgr_Free(list);
  ByteReader block(file.subspan(tail));
  fame_block.mark = block.u16();
  fame_block.cleared = block.u16();
  block.copy_at(4, fame_block.reserved, sizeof fame_block.reserved);
  if (fame_block.cleared == 1) set_flag(flag_game_cleared);
  return 1;
}

int load_fame() {
  std::vector<std::uint8_t> file;
  // The file holds a 4096-byte list packed and the block: anything far larger is not ours.
  constexpr std::size_t fame_file_cap = 1 << 20;
  if (!platform::read_whole_file(fame_path(), file, fame_file_cap) || file.empty()) {
    free_fame();
    return 0;
  }
  return load_fame_image(file);
}
