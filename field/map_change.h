#pragma once
// Map change: releasing the current map and its battle-area list.
void unload_map();
void free_btl_area_table();
