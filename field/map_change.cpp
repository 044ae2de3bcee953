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
