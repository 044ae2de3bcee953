// Fame records.
#include "battle/fame.h"

#include "battle/fame_treasure.h"

#include <algorithm>
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

constexpr std::uint16_t lowest_level = 1, top_level = 10;

std::string fame_path() {
  std::string path = game_dir;
  append_path(path, fame_file_name);
  return path;
}

// What fame_add does to an existing record of the id; false when the record is not the one.
bool add_to(FameNode& node, int exp, int growth, std::uint16_t type) {
  if (type == fame_type_treasure && node.type == fame_type_treasure) {
    fame_treasure_grow(node, growth);
    fame_treasure_gain(node, exp);
    return true;
  }
  if (type == fame_type_monster && node.type == fame_type_monster) {
    ++node.points;
    return true;
  }
  return type == fame_type_object || type == fame_type_map;
}
}  // namespace

int fame_add(std::uint16_t id, int exp, int growth, std::uint16_t type) {
  for (FameNode& node : fame_list)
    if (node.id == id && add_to(node, exp, growth, type)) return 1;
  FameNode node;
  node.id = id;
  node.type = type;
  node.points = 1;
  if (type != fame_type_map) {
    ItemData item;
    if (!read_Item(id, &item)) return 0;
    if (type == fame_type_treasure) {
      // A new record converts nothing and checks no level: both wait for the next call.
      node.exp = std::uint16_t(exp);
      node.points = std::uint16_t(growth);
      node.code = item.treasure_code;
      node.level = lowest_level;
      fame_treasure_scale(node, item);
    }
  }
  fame_list.push_front(node);
  return 1;
}

FameNode* fame_find(std::uint16_t id, std::uint16_t type) {
  for (FameNode& node : fame_list)
    if (node.id == id && node.type == type) return &node;
  return nullptr;
}

FameNode* fame_find_nth(std::uint16_t type, std::uint16_t n) {
  for (FameNode& node : fame_list)
    if (node.type == type && n-- == 0) return &node;
  return nullptr;
}

void free_fame() { fame_list.clear(); }

void dump_fame() {
  for (const FameNode& node : fame_list) log_trace("Type:%d Id:%5d", int(node.type), int(node.id));
}

void fame_save_treasures(std::vector<std::uint8_t>& out) {
  for (const FameNode& node : fame_list) {
    if (node.type != fame_type_treasure) continue;
    FameImage image;
    record_image::write_image(node, std::span<std::uint8_t, fame_node_image_size>(image));
    out.insert(out.end(), image.begin(), image.end());
  }
}

void fame_refresh_treasure(FameNode* node) {
  if (!node) return;
  // A stored level outside 1-10 would break the level rules: it is brought back inside.
  node->level = std::clamp(node->level, lowest_level, top_level);
  ItemData item;
  if (read_Item(node->id, &item)) fame_treasure_scale(*node, item);
}

int fame_push_copy(const FameImage& image) {
  FameNode node;
  record_image::read_image(std::span<const std::uint8_t, fame_node_image_size>(image), node);
  fame_list.push_front(node);
  return 1;
}

void fame_load_treasures(std::span<const FameImage> images) {
  for (const FameImage& image : images) {
    fame_push_copy(image);
    fame_refresh_treasure(&fame_list.front());
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
    put_u16le(list + 2 + 4 * pairs, node.id);
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
  // The list is 4096 bytes packed, followed by the whole block; anything else is not a file of
  // ours and changes nothing but the emptied list.
  LzoBlockHeader header;
  if (!read_lzo_block_header(file.data(), file.size(), &header) || header.unpacked_size != fame_list_size)
    return 0;
  const std::size_t tail = lzo_block_header_size + header.packed_size;
  if (file.size() - tail < fame_block_size) return 0;
  std::uint32_t size = 0;
  std::uint8_t* list = unpack_lzo_block(file.data(), file.size(), fame_list_size, &size);
  if (!list) return 0;
  ByteReader pairs(list, size);
  const std::uint16_t count = pairs.u16();
  if (count > (size - 2) / 4) {
    MemMgr_Free(list);
    return 0;
  }
  for (std::uint16_t i = 0; i < count; ++i) {
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
