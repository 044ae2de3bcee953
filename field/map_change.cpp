// Map change.
#include "field/map_change.h"

#include "core/mem_mgr.h"
#include "data/encounters.h"

void unload_map() {}
void free_btl_area_table() {
  while (BtlArea* area = btl_area_head.next) {
    btl_area_head.next = area->next;
    MemMgr_Free(area);
  }
}

MapEntryPos map_entry_pos;

void enter_map(std::uint16_t, float, float, float, float) {}
void reload_map() {}
