// The settlement's part of a save on arbitrary bytes: the build grid (182 cells), then house
// images up to the 0xFFFF end mark, each through add_saved_house, then the link check and the
// resident operations that walk the loaded slots.
#include <cstddef>
#include <cstdint>

#include "base/build_grid.h"
#include "base/escort.h"
#include "base/exiles.h"
#include "base/house_table.h"
#include "base/houses.h"
#include "base/residents.h"
#include "core/byte_reader.h"
#include "core/log.h"
#include "ui/talk_msg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  set_error_log_switch(1);
  free_all_houses();
  clear_exiles();
  ByteReader r(data, size);
  for (std::int32_t& cell : BuildGrid) cell = std::int32_t(r.u32());
  while (r.remaining() >= 2 && r.u16_at(r.pos()) != 0xFFFF) {
    const std::uint8_t* image = r.bytes(house_record_size);
    if (!image) break;
    add_saved_house(std::span<const std::uint8_t, house_record_size>(image, house_record_size));
  }
  clear_broken_house_links();
  build_house_table();
  int capacity = 0, residents = 0, idle = 0;
  population_count(&capacity, &residents, &idle);
  for (int n = 1; HouseRecord* h = get_house_at(n); ++n) {
    HouseImage back;
    house_to_image(*h, back);
    compact_slots(h);
    unmark_house_cells(h);
    mark_house_cells(h);
  }
  for (int n = 1; n <= idle && nth_idle_resident(n); ++n) {
  }
  if (house_list.size() > 1) {
    HouseRecord* a = house_list.front().get();
    HouseRecord* b = house_list.back().get();
    swap_residents(a, 0, b, 0);
    release_worker(b, 1);
    assign_worker(b, a, 0);
  }
  del_guard_resident(0);
  del_guard_resident(1);
  while (house_list.size() && del_resident(house_list.front()->residents[0].monster)) {
  }
  build_escort_data();
  free_all_houses();
  del_all_talkmsg();
  return 0;
}
