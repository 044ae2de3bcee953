#pragma once
// The model cache: the six model index files, models loaded by ModelId on first use into 16
// chains (most recently used first) within a byte budget, the single slot of the current map's
// world, and worlds loaded into callers' records.
#include <cstdint>

#include "g3d/ply_model.h"
#include "g3d/wld_world.h"

constexpr int poly_group_count = 6;
constexpr int poly_chain_count = 16;
constexpr std::uint32_t poly_default_budget = 0x1800000;

// The model folder; "\" is appended.
void SetPolyPath(const char* directory);
void SetPolyMemorySize(std::uint32_t bytes);
std::uint32_t GetPolyMemoryUsed();
// Loads the six model index files (with the pack flag, the six pack indexes instead). 0 when
// one cannot be loaded or when the character index's header names a tool build.
int SFLB_InitPolyMemory();
// The model of an id, loading it on a miss; null for entry 0, a group past the sixth, or a
// model that cannot be loaded. Valid until the model is evicted or freed.
G3dPoly* GetPoly(ModelId id);
// Frees the cached models of a tag, all of them for 255.
void FreePolyMemory(std::uint8_t tag);
std::uint8_t GetMemoryTag();
// The map slot: the world of id, loaded unless the slot holds it already; null when the load
// failed (the id stays recorded, so asking again gives the empty slot record).
G3dWld* MapMemory(ModelId id);
void FreeMapMemory();
// Loads the world of id into the caller's record through its group's index (or pack); 1 on
// success.
int LoadWldMemory(G3dWld* world, ModelId id);

// Pack storage: models and worlds come from the six pack files. The game never sets it.
void SetPolyPackMode(int on);

// Queries for tests.
int poly_chain_length(int chain);
bool poly_is_cached(ModelId id);
