#pragma once
// Battlefield records: the battlefield file paths in a directory.
void init_fight_field(const char* directory);
