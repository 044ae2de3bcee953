#include "core/flags.h"

std::uint8_t flag_bytes[2048];
std::uint8_t* const global_flags = flag_bytes;
std::uint8_t* const map_flags = flag_bytes + 1024;

std::uint32_t talk_box_state;
int input_wait_frames;

namespace {

constexpr std::uint8_t bit_masks[8] = {1, 2, 4, 8, 16, 32, 64, 128};
constexpr int flag_bits = 2048 * 8;  // game flags 0-16383 reach through the map flags
constexpr int map_flag_bits = 1024 * 8;
constexpr std::uint32_t input_wait_bit = 0x8000;
constexpr int endless_wait = 0xFFFF;

// Flag numbers come from data files: a number outside the array reads 0 and writes nothing.
int test_bit(std::uint8_t* bytes, int bits, int n) {
  if (n < 0 || n >= bits) return 0;
  return (bytes[n >> 3] & bit_masks[n & 7]) != 0 ? 1 : 0;
}

void set_bit(std::uint8_t* bytes, int bits, int n) {
  if (n < 0 || n >= bits) return;
  bytes[n >> 3] |= bit_masks[n & 7];
}

void clear_bit(std::uint8_t* bytes, int bits, int n) {
  if (n < 0 || n >= bits) return;
  bytes[n >> 3] &= std::uint8_t(~bit_masks[n & 7]);
}

}  // namespace

int test_flag(int n) { return test_bit(global_flags, flag_bits, n); }
void set_flag(int n) { set_bit(global_flags, flag_bits, n); }
void clear_flag(int n) { clear_bit(global_flags, flag_bits, n); }

int test_map_flag(int n) { return test_bit(map_flags, map_flag_bits, n); }
void set_map_flag(int n) { set_bit(map_flags, map_flag_bits, n); }
void clear_map_flag(int n) { clear_bit(map_flags, map_flag_bits, n); }

void start_input_wait(int frames) {
  talk_box_state |= input_wait_bit;
  input_wait_frames = frames;
}

int tick_input_wait() {
  if ((talk_box_state & input_wait_bit) == 0) return 1;
  if (input_wait_frames > 0 && input_wait_frames < endless_wait) --input_wait_frames;
  if (input_wait_frames > 0) return 0;
  end_input_wait();
  return 1;
}

void end_input_wait() {
  talk_box_state &= ~input_wait_bit;
  input_wait_frames = 0;
}
