#pragma once
// Save files: one LZO-packed image per slot in game_dir\Save. save_game captures the live state
// into a staging image and writes it through a temporary file; load_game unpacks and parses a
// slot completely before anything live changes, then applies it.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/saves/save_image.h"

constexpr int save_slots = 99;            // 00.sav - 98.sav
constexpr int save_slots_developer = 500;  // while the developer keys are on
extern const char save_folder_name[];      // "Save"

// "%02d.sav" of a slot number.
std::string save_slot_name(int slot);
// False for a version-5 image while old saves are refused (game flag 8091 clear).
bool save_version_allowed(std::uint16_t version_word);

enum class SaveUnpack { Ok, Bad, TooLarge, NoMemory };
// A slot file's bytes to the image they pack: at least the 8-byte block header, the packed data
// inside the file, an unpacked size of at most save_image_cap that the data unpacks to exactly.
SaveUnpack unpack_save_file(std::span<const std::uint8_t> file, std::vector<std::uint8_t>& image);
// The slot file's image: false for a missing file (silently) and for a damaged one (a trace
// line, or the out-of-memory box for a size beyond the cap).
bool chang_lzo2save(const char* file_name, std::vector<std::uint8_t>& image);

// The live state as a save image (version 6); stores the live roles into their placement rows
// first, as saving always has.
void capture_save_image(SaveImage& image);
// Replaces the world with a parsed image, ending with the map change to the saved place.
void apply_save_image(const SaveImage& image);

// Writes the slot: true when the whole file was written; false (reported) leaves the previous
// file as it was.
bool save_game(const char* file_name);
// 1 when the world was replaced by the saved one; 0 when nothing changed.
int load_game(const char* file_name);
