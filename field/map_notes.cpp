// The map's trigger boxes.
#include "field/map_notes.h"

#include "core/flags.h"
#include "core/game_flags.h"
#include "data/map_role.h"
#include "field/map_file.h"
#include "g3d/geometry.h"
#include "script/talk_interpreter.h"
#include "script/talk_queue.h"

namespace {

G3dBox world_box(const MapNote& n) {
  G3dBox b = n.box;
  b.min.x += n.x, b.min.y += n.y, b.min.z += n.z;
  b.max.x += n.x, b.max.y += n.y, b.max.z += n.z;
  return b;
}

G3dBox role_box(const MapRole& role) {
  G3dBox b = role.anim.box;
  b.min.x += role.X, b.min.y += role.Y, b.min.z += role.Z;
  b.max.x += role.X, b.max.y += role.Y, b.max.z += role.Z;
  return b;
}

// The narrator's event for a note, placed where the player stands.
void queue_note_talk(const MapRole& role, int event) {
  gmTmpTalk = MapRole{};
  gmTmpTalk.RoleID = narrator_role;
  gmTmpTalk.TALK = static_cast<std::uint16_t>(event);
  gmTmpTalk.X = role.X;
  gmTmpTalk.Y = role.Y;
  gmTmpTalk.Z = role.Z;
  for (int i = 0; i < 3; ++i) gmTmpTalk.cell_centre[i] = role.cell_centre[i];
  add_talks_proc(&gmTmpTalk);
}

}  // namespace

int check_map_notes(MapRole* role) {
  if (test_flag(flag_notes_off)) return 0;
  const G3dBox box = role_box(*role);
  int result = 0;
  for (MapNote* n = map_record.notes; n; n = n->next) {
    result = 0;
    const G3dBox note_box = world_box(*n);
    const bool inside = g3d_box_overlap(box, note_box) != 0;
    if (n->disabled) {
      // A re-armed note keeps its mark: it arms itself again every time it is left.
      if (n->rearm && !inside) n->disabled = 0;
      continue;
    }
    if (!inside) continue;
    result = n->event;
    queue_note_talk(*role, result);
  }
  return result;
}

int enable_map_note(std::uint16_t event, int on) {
  if (on) clear_map_flag(event);
  else set_map_flag(event);
  for (MapNote* n = map_record.notes; n; n = n->next) {
    if (n->event != event) continue;
    n->disabled = on ? 0 : 1;
    if (on) clear_map_flag(event);
    else set_map_flag(event);
  }
  return 1;
}

int rearm_map_note(std::uint16_t event) {
  for (MapNote* n = map_record.notes; n; n = n->next)
    if (n->event == event) n->rearm = 1;
  return 0;
}

int pick_map_note(int x, int y) {
  float best = 1.0f;
  int result = 0;
  G3dMatrix identity;
  renderer.identity_matrix(&identity);
  for (MapNote* n = map_record.notes; n; n = n->next) {
    float depth = best;
    if (!g3d_pick_box(float(x), float(y), &depth, identity, world_box(*n))) continue;
    if (depth <= best) {
      best = depth;
      result = n->event;
    }
  }
  return result;
}
