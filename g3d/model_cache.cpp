// The model cache.
#include "g3d/model_cache.h"

#include <array>
#include <list>
#include <memory>
#include <string>

#include "core/paths.h"
#include "g3d/ply_file.h"
#include "g3d/wld_loader.h"

namespace {

constexpr std::uint8_t kAllTags = 255;
constexpr int kEntries = 3000;

const char* const kIndexNames[poly_group_count] = {"all_char.idx", "all_item.idx",  "all_magic.idx",
                                                   "all_sys.idx",  "all_map.idx",   "all_other.idx"};
const char* const kPackIndexNames[poly_group_count] = {"CharPak.idx", "ItemPak.idx", "MagicPak.idx",
                                                       "SysPak.idx",  "MapPak.idx",  "OtherPak.idx"};

struct ModelNode {
  ModelId id = 0;
  std::uint8_t tag = 0;
  G3dPoly poly;
};

struct ModelCache {
  std::array<std::list<ModelNode>, poly_chain_count> chains;
  std::uint32_t used = 0;
  std::uint32_t budget = poly_default_budget;
  std::uint8_t tag = 0;  // nothing in the game changes it
  std::string folder;
  bool pack_mode = false;
  std::unique_ptr<std::array<PlyIndex, poly_group_count>> indexes = std::make_unique<std::array<PlyIndex, poly_group_count>>();
  std::unique_ptr<std::array<PlyPackIndex, poly_group_count>> packs =
      std::make_unique<std::array<PlyPackIndex, poly_group_count>>();
  G3dWld map_world;
  ModelId map_id = 0;
};

ModelCache& cache() {
  static ModelCache c;
  return c;
}

// Drains the fullest chain from its tail, then the next fullest, until the cache is under
// budget or empty.
void evict(ModelCache& c) {
  while (c.used >= c.budget) {
    std::size_t fullest = 0;
    for (std::size_t k = 1; k < c.chains.size(); ++k)
      if (c.chains[k].size() > c.chains[fullest].size()) fullest = k;
    auto& chain = c.chains[fullest];
    if (chain.empty()) return;
    while (c.used >= c.budget && !chain.empty()) {
      c.used -= chain.back().poly.block_size;
      chain.pop_back();
    }
  }
}

G3dPoly* find(ModelCache& c, ModelId id) {
  auto& chain = c.chains[id & 15];
  for (auto it = chain.begin(); it != chain.end(); ++it) {
    if (it->id != id) continue;
    if (it != chain.begin()) chain.splice(chain.begin(), chain, it);
    chain.front().poly.fresh = 0;
    return &chain.front().poly;
  }
  return nullptr;
}

}  // namespace

void SetPolyPath(const char* directory) {
  std::string dir = directory ? directory : "";
  cache().folder = dir + "\\";
}

void SetPolyMemorySize(std::uint32_t bytes) { cache().budget = bytes; }
std::uint32_t GetPolyMemoryUsed() { return cache().used; }
std::uint8_t GetMemoryTag() { return cache().tag; }
void SetPolyPackMode(int on) { cache().pack_mode = on != 0; }

int SFLB_InitPolyMemory() {
  ModelCache& c = cache();
  if (c.pack_mode) {
    for (int g = 0; g < poly_group_count; ++g)
      g3d_load_pack_idx(&(*c.packs)[std::size_t(g)], g3d_join_model_path(c.folder, kPackIndexNames[g]).c_str());
    return 1;
  }
  for (int g = 0; g < poly_group_count; ++g)
    if (!g3d_load_idx_ply(&(*c.indexes)[std::size_t(g)], g3d_join_model_path(c.folder, kIndexNames[g]).c_str()))
      return 0;
  return (*c.indexes)[0].header().find("TOOL") == std::string::npos ? 1 : 0;
}

G3dPoly* GetPoly(ModelId id) {
  ModelCache& c = cache();
  int group = id / kEntries, entry = id % kEntries;
  if (entry == 0 || group >= poly_group_count) return nullptr;
  if (G3dPoly* hit = find(c, id)) return hit;
  evict(c);
  G3dPoly poly;
  const std::string& dir = c.folder;
  int ok = c.pack_mode ? g3d_pack_ply_load(&poly, dir.c_str(), &(*c.packs)[std::size_t(group)], entry)
                       : g3d_idx_ply_load(&poly, dir.c_str(), &(*c.indexes)[std::size_t(group)], entry);
  if (!ok) return nullptr;
  auto& chain = c.chains[id & 15];
  chain.push_front(ModelNode{id, c.tag, std::move(poly)});
  chain.front().poly.fresh = 1;
  c.used += chain.front().poly.block_size;
  return &chain.front().poly;
}

void FreePolyMemory(std::uint8_t tag) {
  ModelCache& c = cache();
  for (auto& chain : c.chains)
    for (auto it = chain.begin(); it != chain.end();) {
      if (tag != kAllTags && it->tag != tag) {
        ++it;
        continue;
      }
      c.used -= it->poly.block_size;
      it = chain.erase(it);
    }
}

int LoadWldMemory(G3dWld* world, ModelId id) {
  ModelCache& c = cache();
  int group = id / kEntries, entry = id % kEntries;
  if (group >= poly_group_count) return 0;
  const std::string& dir = c.folder;
  return c.pack_mode ? g3d_pack_wld_load(world, dir.c_str(), &(*c.packs)[std::size_t(group)], entry)
                     : g3d_idx_wld_load(world, dir.c_str(), &(*c.indexes)[std::size_t(group)], entry);
}

G3dWld* MapMemory(ModelId id) {
  ModelCache& c = cache();
  if (id == c.map_id) return &c.map_world;
  FreeMapMemory();
  c.map_id = id;
  return LoadWldMemory(&c.map_world, id) ? &c.map_world : nullptr;
}

void FreeMapMemory() {
  ModelCache& c = cache();
  c.map_id = 0;
  g3d_wld_free(&c.map_world);
}

int poly_chain_length(int chain) { return int(cache().chains[std::size_t(chain & 15)].size()); }

bool poly_is_cached(ModelId id) {
  for (const ModelNode& n : cache().chains[id & 15])
    if (n.id == id) return true;
  return false;
}
