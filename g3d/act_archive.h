#pragma once
// ACT animation archives and the animation cache. Six archives (by ActId / 3000) stay open
// from Init_3dAct to Close_3dAct with their 3000 index entries in memory; animation blocks are
// read on first use into 16 chains (most recently used first) within a byte budget. A block
// holds the scripts of the animation's QQ variants.
#include <cstddef>
#include <cstdint>

class g3d_renderer;

// An animation number: archive = id / 3000, entry = (id mod 3000) - 1; a remainder of 0 names
// no animation.
using ActId = std::uint16_t;

constexpr int act_archive_count = 6;
constexpr int act_entry_count = 3000;
constexpr std::size_t act_header_size = 10;
constexpr std::size_t act_index_entry_size = 12;
constexpr std::uint32_t act_default_budget = 0x400000;
// The largest animation block the cache reads.
constexpr std::uint32_t act_max_block_bytes = 0x1000000;

extern const char* const act_archive_names[act_archive_count];

// One script of an animation: its bytes inside the cached block, valid until the block is
// evicted or freed (the player fetches it again every tick). data is null when there is none.
struct ActScript {
  const std::uint8_t* data = nullptr;
  std::uint16_t size = 0;
};

// The archives' folder; "\" is appended. An empty string keeps the previous folder.
void Set_3dActPath(const char* directory);
void Act_Memoryer_SetSize(std::uint32_t bytes);
void Set_3dActRenderer(g3d_renderer* renderer);
g3d_renderer* act_renderer();
// Opens the six archives (existing files only) and reads their indexes. 0 at the first archive
// that is missing or whose header word is 0; those opened before it stay open.
int Init_3dAct();
void Close_3dAct();
void Act_Memoryer_Free(std::uint8_t tag);
// The script of a QQ of an animation, loading the block on a miss. Empty for entry 0, an
// unreadable or damaged entry (reported once), a QQ past the block's table, a QQ without a
// script, or a script that does not lie inside the block.
ActScript Get3dAct(ActId id, std::uint16_t qq);
// A copy of one QQ's script in a new heap block (MemMgr), unpacking a packed entry; null when
// it cannot be had. *size gets the script's length.
std::uint8_t* Read3dAct(int archive, int entry, std::uint16_t qq, std::uint16_t* size);

// The script of a QQ inside an animation block (bounds-checked); empty when there is none.
ActScript act_block_script(const std::uint8_t* block, std::size_t size, std::uint16_t qq);

// Queries for tests.
std::uint32_t act_memory_used();
bool act_is_cached(ActId id);
int act_chain_length(int chain);
