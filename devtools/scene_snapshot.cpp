// The edit mode's backup and the mark point.
#include "devtools/scene_snapshot.h"

#include <algorithm>
#include <cstring>

#include "core/flags.h"
#include "field/map_file.h"
#include "g3d/view_zoom.h"

EditModeBackup edit_mode_backup;
MarkPoint mark_point;

void take_scene(SceneSnapshot& s) {
  s.map = map_record.map_number;
  s.role_count = std::clamp(gmMapRoleCount, 0, map_role_capacity);
  std::copy(gmMapRole, gmMapRole + s.role_count, s.roles.begin());
  s.camera = field_camera;
  s.view = field_camera_state;
  s.view_scale = view_scale;
  s.view_far = view_far;
}

bool restore_scene(const SceneSnapshot& s) {
  if (s.map != map_record.map_number) return false;
  gmMapRoleCount = s.role_count;
  std::copy(s.roles.begin(), s.roles.begin() + s.role_count, gmMapRole);
  field_camera = s.camera;
  field_camera_state = s.view;
  view_scale = s.view_scale;
  view_far = s.view_far;
  return true;
}

void take_mark_point() {
  take_scene(mark_point.scene);
  std::copy(TalkEventQueue, TalkEventQueue + talk_queue_capacity, mark_point.talks.begin());
  std::memcpy(mark_point.global_flags.data(), global_flags, mark_point.global_flags.size());
  std::memcpy(mark_point.map_flags.data(), map_flags, mark_point.map_flags.size());
}

bool restore_mark_point() {
  if (!restore_scene(mark_point.scene)) return false;
  talk_queue_used = 0;
  for (int i = 0; i < talk_queue_capacity; ++i) {
    TalkEventQueue[i] = mark_point.talks[std::size_t(i)];
    ++talk_queue_generation[i];
    if (TalkEventQueue[i].RoleID != 0) ++talk_queue_used;
  }
  std::memcpy(global_flags, mark_point.global_flags.data(), mark_point.global_flags.size());
  std::memcpy(map_flags, mark_point.map_flags.data(), mark_point.map_flags.size());
  return true;
}

void restart_marked_talks() {
  for (MapRole& ev : mark_point.talks) {
    ev.talk_start = ev.talk_offset = 0;
    ev.talk_wait_word = 0;
  }
}
