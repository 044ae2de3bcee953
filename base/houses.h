#pragma once
// House and landmark records.
void free_all_houses();
