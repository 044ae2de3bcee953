// The world map's place table on arbitrary bytes: read_game_map with the sample game's
// animations open (so records load past the first), then every place pointed at, the nearest
// place walked both ways and the map entered at each place and left.
#include <cstddef>
#include <cstdint>

#include "core/flags.h"
#include "field/world_map.h"
#include "fuzz/data_fuzz.h"
#include "g3d/act_archive.h"
#include "tests/fixtures/act_kit.h"
#include "tests/fixtures/sample_models.h"

namespace {
void open_animations_once() {
  static const bool opened = [] {
    kit::write_act_archives(game_dir + "/ACT", kit::sample_act_blocks());
    Set_3dActPath((game_dir + "\\ACT").c_str());
    return Init_3dAct() == 1;
  }();
  (void)opened;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DataFuzzInput input;
  open_animations_once();
  read_game_map(std::span<const std::uint8_t>(data, size));
  int n = 0;
  for (const GameMapPlace* p = game_map_places(); p && n < 64; p = p->next, ++n) {
    check_text_field(p->name);
    set_flag(p->flag);
    pick_game_map_place(p->x + game_map.scroll_x, p->y + game_map.scroll_y);
  }
  for (const GameMapPlace* p = game_map_places(); p && n-- > 0; p = p->next) {
    enter_game_map(p->flag);
    select_nearest_game_map_place(true);
    select_nearest_game_map_place(false);
    move_game_map_clouds();
    leave_game_map();
    clear_flag(p->flag);
  }
  enter_game_map(0xFFFF);  // a place the table may not hold
  leave_game_map();
  free_game_map();
  return 0;
}
