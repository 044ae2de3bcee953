#pragma once
// The start-up order and the shut-down order. Start-up is a fixed sequence of steps, each group
// closed by a trace line in debug.txt; the display device and three cache set-ups can end it.
#include <cstdint>

namespace platform {
struct Window;
struct Instance;
}  // namespace platform

class ParticleEmitter;

// Bytes of texture memory measured at start-up (at least 10 MB).
extern std::uint32_t video_memory_budget;
// The global particle effect made at start-up; shut-down deletes it.
extern ParticleEmitter* global_effect;

// 1 when the game is ready (the title is the current mode), 0 when start-up failed.
int init_game(platform::Window* window, platform::Instance* instance);
// Releases everything in order. Every step accepts what was never built and what was already
// released, so it may run after a failed start-up and more than once. Returns the marker-file
// check's result.
int end_game();
