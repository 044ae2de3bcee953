#pragma once
// The screenshot key: the back buffer written to the first free name "%04d.bmp" (0000 to 2999)
// in the folder Pic of the game directory.
#include <string>

// Reserves the first free name by creating it exclusively, so a name already present in any
// form (a file that cannot be read, a folder) is never taken and never overwritten. The full
// path, or "" when all 3000 names are taken or the folder cannot be written.
std::string reserve_screenshot_name();
// Takes one screenshot; writes nothing when no name is free. A failed write leaves no file.
void take_screenshot();
