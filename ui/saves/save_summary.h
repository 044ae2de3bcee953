#pragma once
// What the slot lists show of a saved game, read from its header.
#include <cstdint>
#include <span>

struct RleImage;

struct SaveSummary {
  int valid = 0;                    // 1 when the slot holds a loadable save
  std::uint16_t time[8] = {};       // the local time of saving
  int play_time = 0;                // seconds
  int members[3] = {};              // 0 none, else character index + 1
  int levels[3] = {};
  int money = 0, wood = 0, metal = 0, coal = 0;
  char map_name[32] = {};
  RleImage* thumbnail = nullptr;    // in the screen format, or null
};

// Fills the summary from an unpacked image (thumbnail untouched): 1 when the save is loadable,
// 0 for an image too short for a header or of version 5 while old saves are refused (the
// fields are filled either way).
int save_summary_from_image(std::span<const std::uint8_t> image, SaveSummary* summary);
// The same from the slot file; 0 when the file is missing or damaged.
int read_save_summary(const char* file_name, SaveSummary* summary);
// The slot file's thumbnail in the screen format into *out (null when it has none or it is
// damaged): 1 when the file could be read.
int load_save_thumbnail(const char* file_name, RleImage** out);
