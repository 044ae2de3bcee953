// Talk opcodes that stage the scene and leave it: the map change.
#include "data/map_role.h"
#include "data/role_rows.h"
#include "field/map_change.h"
#include "field/role_path.h"
#include "g3d/renderer.h"
#include "g3d/view_zoom.h"
#include "script/talk_ops.h"
#include "ui/talk_msg.h"

// Opcode 50: the map change. Of each coordinate only its low 16 bits count, unsigned; the rest
// of the script runs on the new map.
SliceResult talk_map_change(TalkRun& run) {
  const std::uint16_t map = run.cur.u16();
  const float x = float(std::uint16_t(run.cur.i32()));
  const float y = float(std::uint16_t(run.cur.i32()));
  const float z = float(std::uint16_t(run.cur.i32()));
  const float direction = float(run.cur.u16());
  const float far_distance = float(run.cur.u16());
  if (!run.cur.ok()) return SliceResult::EndSlice;
  del_all_talkmsg();
  del_all_role_path();
  save_all_maps_role();
  set_maps_role_map(gmMapRole[player_role_index].RoleID, map);
  renderer.flush_textures();
  enter_map(map, x, y, z, direction);
  // A far plane at or below the near one would leave nothing to see: the view keeps its own.
  if (far_distance > view_near + 1.0f) view_far = far_distance;
  return SliceResult::GoOn;
}
