#pragma once
// Path helpers and the game directory.
#include <string>
#include <string_view>

constexpr std::size_t max_path_length = 259;  // the longest path the game builds (260 with NUL)

extern std::string game_dir;  // the current directory at start-up, base of every path

// Joins part onto path with exactly one separator; false (path unchanged) when the result
// would be longer than max_path_length.
bool append_path(std::string& path, std::string_view part);
// prefix + number right-aligned in digits characters ('0'-padded, last digits kept) + ext.
std::string make_numbered_name(std::string_view prefix, std::string_view ext, int number, int digits);
std::string get_current_dir();
