// ACT archives and the animation cache.
#include "g3d/act_archive.h"

#include <array>
#include <cstring>
#include <list>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/byte_reader.h"
#include "core/file_object.h"
#include "core/log.h"
#include "core/mem_mgr.h"
#include "g3d/lzo_block.h"
#include "g3d/model_cache.h"
#include "platform/message_box.h"

const char* const act_archive_names[act_archive_count] = {"all_char.act", "all_item.act", "all_magic.act",
                                                          "all_sys.act",  "all_map1.act", "all_map2.act"};

namespace {

constexpr std::uint8_t kAllTags = 255;

struct ActIndexEntry {
  std::uint32_t stored_size = 0;
  std::uint32_t offset = 0;
  std::uint16_t word8 = 0;
  std::uint16_t packed_size = 0;  // 0: stored unpacked
};

struct ActNode {
  ActId id = 0;
  std::uint32_t size = 0;
  std::uint8_t tag = 0;
  std::vector<std::uint8_t> block;
};

struct ActCache {
  std::array<std::list<ActNode>, 16> chains;
  std::uint32_t used = 0;
  std::uint32_t budget = act_default_budget;
  std::string folder;
  g3d_renderer* renderer = nullptr;
  std::array<file_object, act_archive_count> archives;
  std::unique_ptr<std::array<std::array<ActIndexEntry, act_entry_count>, act_archive_count>> index =
      std::make_unique<std::array<std::array<ActIndexEntry, act_entry_count>, act_archive_count>>();
  std::set<ActId> reported;  // damaged entries already written to the log
};

ActCache& cache() {
  static ActCache c;
  return c;
}

// Reads n bytes at pos of an archive; false when they are not all there.
bool read_at(file_object& f, std::uint32_t pos, void* out, std::uint32_t n) {
  if (pos > 0x7FFFFFFFu || !f.seek_to(int(pos))) return false;
  int len = int(n);
  return n == 0 || (f.read(out, &len) && std::uint32_t(len) == n);
}

// The index of an open archive: a header whose first word is nonzero, then 3000 entries. An
// index cut short leaves the missing entries empty.
bool read_index(file_object& f, std::array<ActIndexEntry, act_entry_count>& index) {
  std::vector<std::uint8_t> bytes(act_header_size + act_index_entry_size * act_entry_count);
  if (!f.seek_to(0)) return false;
  int len = int(bytes.size());
  if (!f.read(bytes.data(), &len) || len < 2) return false;
  if (ByteReader(bytes.data(), bytes.size()).u16_at(0) == 0) return false;
  ByteReader r(bytes.data(), std::size_t(len));
  r.seek(act_header_size);
  for (ActIndexEntry& e : index) {
    e.stored_size = r.u32();
    e.offset = r.u32();
    e.word8 = r.u16();
    e.packed_size = r.u16();
    if (!r.ok()) e = ActIndexEntry{};
  }
  return true;
}

const ActIndexEntry* entry_of(ActCache& c, int archive, int entry) {
  if (archive < 0 || archive >= act_archive_count || entry < 0 || entry >= act_entry_count) return nullptr;
  if (!c.archives[std::size_t(archive)].is_open()) return nullptr;
  return &(*c.index)[std::size_t(archive)][std::size_t(entry)];
}

void report_damage(ActCache& c, ActId id) {
  if (c.reported.insert(id).second)
    // "Get3dAct(%d)錯誤  動作檔案損壞"
    report_error("Get3dAct(%d)\xbf\xf9\xbb\x7e  \xb0\xca\xa7\x40\xc0\xc9\xae\xd7\xb7\x6c\xc3\x61", id);
}

// Drains the fullest chain (the first on a tie) from its tail while the cache is at or over
// its budget.
void evict(ActCache& c) {
  std::size_t fullest = 0;
  for (std::size_t k = 1; k < c.chains.size(); ++k)
    if (c.chains[k].size() > c.chains[fullest].size()) fullest = k;
  auto& chain = c.chains[fullest];
  while (c.used >= c.budget && !chain.empty()) {
    c.used -= chain.back().size;
    chain.pop_back();
  }
}

ActNode* find(ActCache& c, ActId id) {
  auto& chain = c.chains[id & 15];
  for (auto it = chain.begin(); it != chain.end(); ++it) {
    if (it->id != id) continue;
    if (it != chain.begin()) chain.splice(chain.begin(), chain, it);
    return &chain.front();
  }
  return nullptr;
}

ActNode* load(ActCache& c, ActId id) {
  int archive = id / act_entry_count;
  const ActIndexEntry* e = entry_of(c, archive, id % act_entry_count - 1);
  if (!e || e->stored_size == 0) return nullptr;  // no such animation
  if (e->stored_size > act_max_block_bytes) {
    report_damage(c, id);
    return nullptr;
  }
  std::vector<std::uint8_t> block(e->stored_size);
  if (!read_at(c.archives[std::size_t(archive)], e->offset, block.data(), e->stored_size)) {
    report_damage(c, id);
    return nullptr;
  }
  auto& chain = c.chains[id & 15];
  chain.push_front(ActNode{id, e->stored_size, GetMemoryTag(), std::move(block)});
  c.used += e->stored_size;
  return &chain.front();
}

void free_tag(ActCache& c, std::uint8_t tag) {
  for (auto& chain : c.chains)
    for (auto it = chain.begin(); it != chain.end();) {
      if (tag != kAllTags && it->tag != tag) {
        ++it;
        continue;
      }
      c.used -= it->size;
      it = chain.erase(it);
    }
}

}  // namespace

ActScript act_block_script(const std::uint8_t* block, std::size_t size, std::uint16_t qq) {
  ByteReader r(block, size);
  std::uint16_t count = r.u16();
  if (!r.ok() || qq >= count || !r.seek(2 + 6 * std::size_t(qq))) return {};
  std::uint32_t offset = r.u32();
  std::uint16_t length = r.u16();
  if (!r.ok() || offset == 0 || offset > size || length > size - offset) return {};
  return ActScript{block + offset, length};
}

void Set_3dActPath(const char* directory) {
  if (!directory || !*directory) return;
  cache().folder = std::string(directory) + "\\";
}

void Act_Memoryer_SetSize(std::uint32_t bytes) { cache().budget = bytes; }
void Set_3dActRenderer(g3d_renderer* renderer) { cache().renderer = renderer; }
g3d_renderer* act_renderer() { return cache().renderer; }

int Init_3dAct() {
  ActCache& c = cache();
  for (int a = 0; a < act_archive_count; ++a) {
    file_object& f = c.archives[std::size_t(a)];
    std::string path = c.folder + act_archive_names[a];
    if (!f.open(path.c_str(), OPEN_EXISTING, GENERIC_READ) || !read_index(f, (*c.index)[std::size_t(a)])) return 0;
  }
  return 1;
}

void Close_3dAct() {
  ActCache& c = cache();
  for (file_object& f : c.archives) f.close();
  free_tag(c, kAllTags);
  c.reported.clear();
}

void Act_Memoryer_Free(std::uint8_t tag) { free_tag(cache(), tag); }

ActScript Get3dAct(ActId id, std::uint16_t qq) {
  ActCache& c = cache();
  if (id % act_entry_count == 0) return {};
  ActNode* node = find(c, id);
  if (!node) {
    if (c.used >= c.budget) evict(c);
    node = load(c, id);
  }
  if (!node) return {};
  return act_block_script(node->block.data(), node->block.size(), qq);
}

std::uint8_t* Read3dAct(int archive, int entry, std::uint16_t qq, std::uint16_t* size) {
  ActCache& c = cache();
  *size = 0;
  const ActIndexEntry* e = entry_of(c, archive, entry);
  if (!e || e->stored_size == 0 || e->stored_size > act_max_block_bytes) return nullptr;
  file_object& f = c.archives[std::size_t(archive)];
  std::vector<std::uint8_t> block(e->stored_size);
  if (e->packed_size != 0) {
    std::vector<std::uint8_t> packed(e->packed_size);
    std::uint32_t out = e->stored_size;
    if (!read_at(f, e->offset, packed.data(), e->packed_size) ||
        g3d_decompress_lzo(packed.data(), e->packed_size, block.data(), &out) != 0 || out != e->stored_size)
      return nullptr;
  } else if (!read_at(f, e->offset, block.data(), e->stored_size)) {
    return nullptr;
  }
  ActScript s = act_block_script(block.data(), block.size(), qq);
  if (!s.data) return nullptr;
  auto* copy = static_cast<std::uint8_t*>(MemMgr_Alloc(s.size ? s.size : 1));
  if (!copy) {
    // "Read3dAct(..)錯誤  無法配制記憶體"
    platform::message_box(nullptr, "Read3dAct(..)\xbf\xf9\xbb\x7e  \xb5\x4c\xaa\x6b\xb0\x74\xa8\xee\xb0\x4f\xbe\xd0\xc5\xe9",
                          error_caption, platform::BoxButtons::Ok, platform::BoxIcon::Error);
    return nullptr;
  }
  std::memcpy(copy, s.data, s.size);
  *size = s.size;
  return copy;
}

std::uint32_t act_memory_used() { return cache().used; }

bool act_is_cached(ActId id) {
  for (const ActNode& n : cache().chains[id & 15])
    if (n.id == id) return true;
  return false;
}

int act_chain_length(int chain) { return int(cache().chains[std::size_t(chain & 15)].size()); }
