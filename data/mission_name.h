#pragma once
// Mission.gll (the mission texts of the log page) and Name.gll (numbered texts: map
// descriptions, picture-page captions, the characters a typed name may not contain).
#include <cstdint>
#include <span>

#include "data/data_file.h"

extern DataPool gmMission;
extern DataPool gmName;

void open_mission_data();   // loads once; again only after close_mission_data
void close_mission_data();
// The "%Q"-ended text of mission n; empty when the file is not loaded or n is not in its table.
PoolText get_mission(std::uint16_t n);

void open_Name_data();
void close_Name_data();
// The text of number n; empty when n has no text (offset 0), is not in the table, or the file
// is not loaded.
PoolText get_Name(std::uint16_t n);

// Loading from a file image already in memory (the openers and the fuzz targets use these).
bool install_mission_data(std::span<const std::uint8_t> file);
bool install_Name_data(std::span<const std::uint8_t> file);
