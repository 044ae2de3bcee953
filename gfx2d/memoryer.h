#pragma once
// The sprite cache: the six TSW archives opened at start-up, frames loaded on demand into 15
// hashed chains, most recently used first, within a byte budget.
#include <cstdint>

#include "gfx2d/tsw_pic.h"

// A sprite number: id / 3000 picks the archive, id mod 3000 (1-2999) the entry.
using TswId = std::uint16_t;

// The archives' folder; "\" is appended. An empty string keeps the previous folder.
void Memoryer_SetPath(const char* folder);
// The cache's budget in bytes, 8 MB until set; closing the cache keeps it.
constexpr std::uint32_t memoryer_start_budget = 0x800000;
void Memoryer_SetSize(std::uint32_t bytes);
// Opens the six archives (existing files only) and reads their offsets. 0 when one cannot be
// opened; the archives opened before it are closed again.
int Init_Memoryer();
// Frame `frame` (taken as 16 bits) of sprite id, or null: entry 0, ids past the sixth
// archive, frames past the picture's directory, damaged data. The picture stays valid until it
// is freed or evicted; a picture handed out is not evicted before the game clock moves on to
// the next frame, so the cache may pass its budget for a frame.
TswPic* Memoryer_GetPic(TswId id, int frame);
// Frees the cached pictures stamped with tag (taken as a byte); 255 frees them all.
void Memoryer_Free(int tag);
// Closes the archives and frees everything.
void Close_Memoryer();

// Queries for tests and benchmarks.
std::uint32_t memoryer_used_bytes();
bool memoryer_is_cached(TswId id, int frame);
