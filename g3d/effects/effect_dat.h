#pragma once
// "Effect.dat", the file of effect definitions, and how a definition becomes an emitter. An
// effect is named by its type, the 1-based number of its definition.
#include "g3d/effects/effect_dat_emitter.h"
#include "g3d/effects/effect_def.h"

// The ACT folder; the file is "Effect.dat" in it.
void set_effect_path(const char* directory);
// Definition n (0-based) into out; out is left alone when the file does not hold it whole. A
// file that exists but cannot be opened is reported in a message box at each call.
void load_effect(EffectDef* out, std::uint16_t n);
// A one-shot override of the spawn box of the next emitter built: each value above 0 replaces
// the definition's width, depth or height.
void set_effect_area(float width, float depth, float height);
// The emitter of a definition at (x, y, z), unstarted and owned by the caller; null when the
// definition has no particles. Takes (and clears) the pending spawn box override.
EffectDatEmitter* build_effect_emitter(const EffectDef* def, float x, float y, float z);
// The emitter of a type at (x, y, z), unstarted and owned by the caller; null for types
// outside 1..5000 and for definitions that are missing or have no particles.
EffectDatEmitter* create_effect(int type, float x, float y, float z);
