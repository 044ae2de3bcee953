#pragma once
// Game flags and map flags, and the input wait.
#include <cstdint>

// 2048 bytes: game flags 0-8191, then map flags 0-8191, so game flag 8192 + k is map flag k.
extern std::uint8_t flag_bytes[2048];
extern std::uint8_t* const global_flags;  // flag_bytes
extern std::uint8_t* const map_flags;     // flag_bytes + 1024

// Game flags 0-16383 (8192 + k aliases map flag k); any other number reads 0 and writes nothing.
int test_flag(int n);
void set_flag(int n);
void clear_flag(int n);
// Map flags 0-8191; any other number reads 0 and writes nothing.
int test_map_flag(int n);
void set_map_flag(int n);
void clear_map_flag(int n);

extern std::uint32_t talk_box_state;  // bit 15: an input wait runs
extern int input_wait_frames;

void start_input_wait(int frames);
int tick_input_wait();
void end_input_wait();
