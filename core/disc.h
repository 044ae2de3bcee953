#pragma once
// The game disc, the marker file and small system helpers.
#include <string>

extern char cd_drive_letter;  // 'C'..'Z' or 0

char find_cd_drive(const std::string& label);
int file_exists(const std::string& name);
void show_windows_error();
int check_marker_file(const std::string& name);
void marker_hook();
