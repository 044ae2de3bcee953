// The screen tile fade.
#include "g3d/screen_tile_fade.h"

#include <cstdint>
#include <memory>

namespace {
constexpr std::size_t work_bytes = 128 * 1024;
std::unique_ptr<std::uint8_t[]> work;
short alpha_step = 0;
}  // namespace

void init_screen_tile_fade() { work.reset(new std::uint8_t[work_bytes]()); }
void free_screen_tile_fade() { work.reset(); }
void set_screen_tile_fade_step(short step) { alpha_step = step; }
short screen_tile_fade_step() { return alpha_step; }
void start_screen_tile_fade() {}
int draw_screen_tile_fade() { return 0; }
int is_screen_tile_fade_done() { return 1; }
