#include "gfx2d/memoryer.h"

#include <array>
#include <list>
#include <string>
#include <unordered_set>

#include "core/frame_timer.h"
#include "core/log.h"
#include "core/mem_mgr.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/rle_image.h"
#include "gfx2d/tsw_archive.h"

namespace {

constexpr int kChainCount = 16;  // only chains 0-14 are used: chain = id mod 15
constexpr std::uint8_t kCurrentCacheTag = 0;  // nothing in the game changes the cache tag
constexpr std::uint8_t kAllTags = 255;

struct TswCacheNode {
  std::uint16_t id = 0;
  std::uint16_t frame = 0;
  TswPic pic;
  std::uint8_t tag = 0;
  std::uint32_t handed_out = 0;  // the game clock of the frame that last got this picture
};

struct Memoryer {
  std::array<std::list<TswCacheNode>, kChainCount> chains;
  std::uint32_t used = 0;
  std::uint32_t budget = memoryer_start_budget;
  std::array<TswSource, tsw_archive_count> archives;
  std::array<std::array<std::uint32_t, tsw_entry_count>, tsw_archive_count> offsets{};
  std::string folder;
  TswReadBuffers buffers;
  std::unordered_set<std::uint32_t> reported;  // damaged frames already written to the log
};

Memoryer& cache() {
  static Memoryer m;
  return m;
}

std::uint32_t key_of(std::uint16_t id, std::uint16_t frame) { return std::uint32_t(frame) << 16 | id; }

void free_node_picture(Memoryer& m, TswCacheNode& node) {
  m.used -= node.pic.size;
  MemMgr_Free(node.pic.image);
  node.pic = TswPic{};
}

TswPic* Memoryer_Find(Memoryer& m, std::uint16_t id, std::uint16_t frame) {
  auto& chain = m.chains[id % 15];
  for (auto it = chain.begin(); it != chain.end(); ++it) {
    if (it->id != id || it->frame != frame) continue;
    if (it != chain.begin()) chain.splice(chain.begin(), chain, it);
    chain.front().handed_out = game_clock;
    return &chain.front().pic;
  }
  return nullptr;
}

// Drains the fullest chain (the lowest number on a tie) from its least recently used end
// until the cache is under budget, passing over pictures handed out in this frame.
void Memoryer_Evict(Memoryer& m) {
  int fullest = 0;
  for (int c = 1; c < kChainCount; ++c)
    if (m.chains[c].size() > m.chains[fullest].size()) fullest = c;
  auto& chain = m.chains[fullest];
  auto it = chain.end();
  while (m.used >= m.budget && it != chain.begin()) {
    --it;
    if (it->handed_out == game_clock) continue;
    free_node_picture(m, *it);
    it = chain.erase(it);
  }
}

TswPic* Memoryer_Load(Memoryer& m, std::uint16_t id, std::uint16_t frame) {
  int archive = id / tsw_entry_count;
  int entry = id % tsw_entry_count;
  TswPic pic;
  TswRead result = read_tsw_frame(m.archives[archive], m.offsets[archive][entry - 1], frame, m.buffers, &pic);
  if (result == TswRead::Damaged && m.reported.insert(key_of(id, frame)).second)
    report_error("Memoryer_GetPic(%d, %d) \xb9\xcf\xc0\xc9\xb7l\xc3" "a", id, frame);  // 圖檔損壞
  if (result != TswRead::Ok) return nullptr;
  convert_tsw_picture(&pic);
  if (!pic.image) return nullptr;
  auto& chain = m.chains[id % 15];
  chain.push_front(TswCacheNode{id, frame, pic, kCurrentCacheTag, game_clock});
  m.used += pic.size;
  return &chain.front().pic;
}

void Memoryer_FreeTag(Memoryer& m, std::uint8_t tag) {
  for (auto& chain : m.chains) {
    for (auto it = chain.begin(); it != chain.end();) {
      if (tag != kAllTags && it->tag != tag) {
        ++it;
        continue;
      }
      free_node_picture(m, *it);
      it = chain.erase(it);
    }
  }
}

}  // namespace

void Memoryer_SetPath(const char* folder) {
  if (!folder || !*folder) return;
  cache().folder = std::string(folder) + "\\";
}

void Memoryer_SetSize(std::uint32_t bytes) { cache().budget = bytes; }

int Init_Memoryer() {
  Memoryer& m = cache();
  for (int a = 0; a < tsw_archive_count; ++a) {
    if (m.archives[a].open_file(m.folder + tsw_archive_names[a])) continue;
    for (auto& archive : m.archives) archive.close();
    return 0;
  }
  for (int a = 0; a < tsw_archive_count; ++a) read_tsw_index(m.archives[a], m.offsets[a].data());
  return 1;
}

TswPic* Memoryer_GetPic(TswId id, int frame) {
  Memoryer& m = cache();
  if (id / tsw_entry_count >= tsw_archive_count || id % tsw_entry_count == 0) return nullptr;
  std::uint16_t f = std::uint16_t(frame);
  if (TswPic* hit = Memoryer_Find(m, id, f)) return hit;
  if (m.used >= m.budget) Memoryer_Evict(m);
  return Memoryer_Load(m, id, f);
}

void Memoryer_Free(int tag) { Memoryer_FreeTag(cache(), std::uint8_t(tag)); }

void Close_Memoryer() {
  Memoryer& m = cache();
  for (auto& archive : m.archives) archive.close();
  Memoryer_FreeTag(m, kAllTags);
  m.buffers.release();
  m.reported.clear();
}

std::uint32_t memoryer_used_bytes() { return cache().used; }

bool memoryer_is_cached(TswId id, int frame) {
  for (const auto& node : cache().chains[id % 15])
    if (node.id == id && node.frame == std::uint16_t(frame)) return true;
  return false;
}
