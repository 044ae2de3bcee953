#include "g3d/texture_file_cache.h"

#include <memory>
#include <new>
#include <unordered_set>
#include <vector>

#include "core/log.h"
#include "core/mem_mgr.h"
#include "core/paths.h"
#include "g3d/texture_file.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/rle_image.h"
#include "platform/message_box.h"

namespace {


void show_error(const char* text) {
  platform::message_box(nullptr, text, error_caption, platform::BoxButtons::Ok, platform::BoxIcon::Error);
}

struct TexFileCache {
  bool initialised = false;
  std::vector<TexCacheEntry*> entries;  // TexCache, in table order
  std::uint32_t bytes_held = 0;
  std::uint32_t budget = tex_cache_default_budget;
  std::uint32_t state = 0;
  std::string model_dir, texture_dir;
  int category_mode = 0;
  std::string category_dirs[tex_category_count];
  std::unique_ptr<TexIndex> category_index[tex_category_count];
  std::unique_ptr<TexIndex> all_index, extra_index;  // "ALL_TEX.IDX", "ALL_TEX1.IDX"
  bool all_loaded = false, extra_loaded = false;
  std::unordered_set<std::uint32_t> reported;  // damaged textures already written to the log
};

TexFileCache& cache() {
  static TexFileCache c;
  return c;
}

void free_entry(TexCacheEntry* entry) {
  MemMgr_Free(entry->data);
  delete entry;
}

void remove_at(TexFileCache& c, std::size_t i) {
  c.bytes_held -= c.entries[i]->size;
  free_entry(c.entries[i]);
  c.entries[i] = c.entries.back();
  c.entries.pop_back();
}

void remove_oldest(TexFileCache& c) {
  if (c.entries.empty()) return;
  std::size_t oldest = 0;
  for (std::size_t i = 1; i < c.entries.size(); ++i)
    if (c.entries[i]->age > c.entries[oldest]->age) oldest = i;
  remove_at(c, oldest);
}

std::string absolute_dir(const char* path) {
  std::string p = path ? path : "";
  if ((p.size() > 1 && p[1] == ':') || (!p.empty() && (p[0] == '/' || p[0] == '\\'))) return p;
  std::string dir = get_current_dir();
  append_path(dir, p);
  return dir;
}

// Reads an index file once; a missing one stays zeroed (no prefix, nothing present).
const TexIndex& index_once(std::unique_ptr<TexIndex>& index, bool& loaded, const std::string& folder,
                           const char* name) {
  if (!index) index = std::make_unique<TexIndex>();
  if (!loaded) {
    std::string path = folder;
    append_path(path, name);
    g3d_load_idx_tex(path.c_str(), index.get());
    loaded = true;
  }
  return *index;
}

// The file a texture number is stored in, or "" when the extra index does not list it.
std::string texture_file_of(TexFileCache& c, std::uint32_t key) {
  if (key >= tex_extra_first) {
    const TexIndex& extra = index_once(c.extra_index, c.extra_loaded, c.texture_dir, "ALL_TEX1.IDX");
    std::uint32_t n = key - tex_extra_first;
    return extra.present(n) ? tex_file_name(c.texture_dir, extra.prefix(), n) : std::string();
  }
  if (c.category_mode) {
    int cat = tex_category_of(key);
    if (!c.category_index[cat]) c.category_index[cat] = std::make_unique<TexIndex>();
    return tex_file_name(c.category_dirs[cat], c.category_index[cat]->prefix(), key);
  }
  const TexIndex& all = index_once(c.all_index, c.all_loaded, c.texture_dir, "ALL_TEX.IDX");
  return tex_file_name(c.texture_dir, all.prefix(), key);
}

std::uint8_t* load_picture(TexFileCache& c, std::uint32_t key, std::uint32_t* size) {
  *size = 0;
  if (!(c.state & G3D_MODEL_FMT_NORMAL) || key == 0xFFFFFFFF) return nullptr;
  if (key > 65535) {
    show_error("\xb6K\xb9\xcf\xa5N\xbdX\xb6W\xa5X\xbd" "d\xb3\xf2(0 - 65535)");  // 貼圖代碼超出範圍(0 - 65535)
    return nullptr;
  }
  std::string path = texture_file_of(c, key);
  if (path.empty()) return nullptr;
  TexLoad status = TexLoad::Missing;
  std::uint8_t* picture = g3d_tex_load(path.c_str(), size, &status);
  if (status == TexLoad::Damaged && c.reported.insert(key).second)
    report_error("g3d_tex_load(%s) \xb6K\xb9\xcf\xc0\xc9\xb7l\xc3" "a", path.c_str());  // 貼圖檔損壞
  return picture;
}

}  // namespace

void g3d_FileCache_Init() {
  TexFileCache& c = cache();
  if (c.initialised) {
    show_error("g3d_FileCache_Init \xa4w\xaa\xec\xa9l\xa4\xc6\xb9L\xa4" "F");  // ... 已初始化過了
    return;
  }
  g3d_FileCache_Clear();
  c.initialised = true;
  c.all_index.reset();
  c.extra_index.reset();
  c.state = 0;
  c.budget = tex_cache_default_budget;
  c.model_dir = c.texture_dir = get_current_dir();
}

void g3d_FileCache_Close() {
  cache().initialised = false;
  g3d_FileCache_Clear();
}

void g3d_set_texture_cache_state(std::uint32_t flags) {
  cache().state = flags;
  if ((flags & DONOT_LOAD_SAME) && (flags & DO_LOAD_SAME))
    show_error(
        "g3d_set_texture_cache_state(...) \xb3]\xa9w\xbf\xf9\xbb~!! DONOT_LOAD_SAME \xa9M DO_LOAD_SAME "
        "\xa5u\xaf\xe0\xbf\xef\xa4@\xba\xd8");  // ... 設定錯誤!! DONOT_LOAD_SAME 和 DO_LOAD_SAME 只能選一種
  if ((flags & G3D_TEXTURE_USE_PCT) && (flags & G3D_TEXTURE_USE_ARLE))
    show_error(
        "g3d_set_texture_cache_state(...) \xb3]\xa9w\xbf\xf9\xbb~!! G3D_TEXTURE_USE_PCT \xa9M "
        "G3D_TEXTURE_USE_ARLE \xa5u\xaf\xe0\xbf\xef\xa4@\xba\xd8");  // ... 設定錯誤!! ... 只能選一種
  if ((flags & G3D_MODEL_FMT_NORMAL) && (flags & G3D_MODEL_FMT_PLY))
    show_error(
        "g3d_set_texture_cache_state(...) \xb3]\xa9w\xbf\xf9\xbb~!! G3D_MODEL_FMT_NORMAL \xa9M "
        "G3D_MODEL_FMT_PLY \xa5u\xaf\xe0\xbf\xef\xa4@\xba\xd8");  // ... 設定錯誤!! ... 只能選一種
}

void g3d_set_texture_cache_size(std::uint32_t bytes) { cache().budget = bytes; }

void g3d_set_model_path(const char* path) { cache().model_dir = absolute_dir(path); }
void g3d_set_texture_path(const char* path) { cache().texture_dir = absolute_dir(path); }
const std::string& g3d_model_path() { return cache().model_dir; }
const std::string& g3d_texture_path() { return cache().texture_dir; }

void g3d_load_category_idx_tex(int on) {
  TexFileCache& c = cache();
  c.category_mode = on;
  if (on != 1) return;
  for (int cat = 0; cat < tex_category_count; ++cat) {
    c.category_dirs[cat] = c.texture_dir;
    append_path(c.category_dirs[cat], tex_categories[cat].folder);
    bool loaded = false;
    c.category_index[cat].reset();
    index_once(c.category_index[cat], loaded, c.category_dirs[cat], "ALL_TEX.IDX");
  }
}

TexCacheEntry* g3d_FileCache_Get(std::uint32_t key) {
  TexFileCache& c = cache();
  for (TexCacheEntry* e : c.entries)
    if (e->age != 0xFFFFFFFF) ++e->age;
  for (TexCacheEntry* e : c.entries) {
    if (e->key != key) continue;
    --e->age;
    return e;
  }
  if (c.entries.size() >= tex_cache_max_entries) remove_oldest(c);
  if (!(c.state & G3D_MODEL_FMT_NORMAL)) return nullptr;
  auto* entry = new (std::nothrow) TexCacheEntry{};
  if (!entry) {
    show_error("\xb5L\xaak\xb0t\xa8\xee  TexCache[TexCacheQ]  \xb0O\xbe\xd0\xc5\xe9");  // 無法配制  TexCache[TexCacheQ]  記憶體
    return nullptr;
  }
  std::uint32_t size = 0;
  std::uint8_t* picture = load_picture(c, key, &size);
  if (std::uint64_t(c.bytes_held) + size > c.budget) remove_oldest(c);
  if (!picture) {
    delete entry;
    return nullptr;
  }
  entry->type = 2;
  entry->key = key;
  entry->size = size;
  entry->data = picture;
  // Textures load while the blitter is on the texture pixel format.
  convert_rle_image(reinterpret_cast<RleImage*>(picture), size, nullptr, nullptr, nullptr);
  c.bytes_held += size;
  c.entries.push_back(entry);
  return entry;
}

void g3d_FileCache_Remove(std::uint32_t key) {
  TexFileCache& c = cache();
  for (std::size_t i = 0; i < c.entries.size(); ++i) {
    if (c.entries[i]->key != key) continue;
    remove_at(c, i);
    return;
  }
}

int g3d_FileCache_Clear() {
  TexFileCache& c = cache();
  // Every entry's picture is freed, the large ones too.
  for (TexCacheEntry* e : c.entries) free_entry(e);
  c.entries.clear();
  c.bytes_held = 0;
  c.all_loaded = c.extra_loaded = false;
  c.reported.clear();
  return 1;
}

std::uint32_t g3d_FileCache_bytes_held() { return cache().bytes_held; }
std::uint32_t g3d_FileCache_count() { return std::uint32_t(cache().entries.size()); }
std::uint32_t g3d_FileCache_state() { return cache().state; }
std::uint32_t g3d_texture_cache_size() { return cache().budget; }
