#pragma once
// The developer's own copies of the field scene: the edit mode's backup (F2) and the mark point
// (F4). Each has its own storage, apart from the talk-start backup that every queued talk
// overwrites, and remembers its map: a copy is never put back on another map.
#include <array>
#include <cstdint>

#include "data/map_role.h"
#include "field/field_camera_state.h"
#include "g3d/camera.h"
#include "script/talk_queue.h"

// The map roles, the field camera, its view record and the view's scale and far plane.
struct SceneSnapshot {
  std::uint16_t map = 0;
  std::array<MapRole, map_role_capacity> roles{};
  int role_count = 0;
  Camera camera;
  FieldCameraState view{};
  float view_scale = 0, view_far = 0;
};

struct EditModeBackup {
  SceneSnapshot scene;
  float edit_point[3] = {};
  int edited_role = 0;
};

struct MarkPoint {
  SceneSnapshot scene;
  std::array<MapRole, talk_queue_capacity> talks{};
  std::array<std::uint8_t, 1024> global_flags{}, map_flags{};
};

extern EditModeBackup edit_mode_backup;
extern MarkPoint mark_point;

void take_scene(SceneSnapshot& s);
// False (nothing restored) when the copy was taken on another map.
bool restore_scene(const SceneSnapshot& s);
void take_mark_point();
// The talk slots, the scene and both flag arrays; false when the mark is on another map.
bool restore_mark_point();
// After the talk files were reloaded the marked talks' positions mean nothing: they start again
// from their beginning, as the queued talks do.
void restart_marked_talks();
