#include "script/talk_queue.h"

#include <algorithm>
#include <cstring>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "field/role_path.h"
#include "field/scene_anim.h"
#include "g3d/view_zoom.h"
#include "script/talk_interpreter.h"
#include "script/talk_marks.h"
#include "script/talk_ops.h"
#include "script/text_slots.h"
#include "ui/cursor.h"
#include "ui/screen_button.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

MapRole TalkEventQueue[talk_queue_capacity];
int talk_queue_used = 0;
unsigned talk_queue_generation[talk_queue_capacity] = {};
MapRole gmTmpTalk;
MapRole gmMapRoleBak[map_role_capacity];
int gmMapRoleBakCount = 0;
Camera field_camera_saved;
FieldCameraState field_view_saved;
float saved_view_pair[2] = {};
int talk_skip_save = 0;
std::uint16_t reload_talk_number = 0;
int reload_keep_paths = 0;

namespace {
// Talk 事件 巳超過 %d個
constexpr const char* full_message = "Talk \xA8\xC6\xA5\xF3 \xA4x\xB6W\xB9L %d\xAD\xD3";

void store(int slot, const MapRole& ev) {
  undo_talk_marks(TalkEventQueue[slot]);
  TalkEventQueue[slot] = ev;
  TalkEventQueue[slot].talk_wait_word = 0;
  ++talk_queue_generation[slot];
}

void free_slot(int slot) {
  undo_talk_marks(TalkEventQueue[slot]);
  TalkEventQueue[slot] = MapRole{};
  ++talk_queue_generation[slot];
}
}  // namespace

int talk_queue_slot(const MapRole* ev) {
  if (ev < TalkEventQueue || ev >= TalkEventQueue + talk_queue_capacity) return -1;
  return static_cast<int>(ev - TalkEventQueue);
}

int add_talks_proc(const MapRole* ev) {
  if (ev->TALK == 0) return 0;
  int same = -1, free = -1;
  for (int i = 0; i < talk_queue_capacity; ++i) {
    if (same < 0 && TalkEventQueue[i].RoleID == ev->RoleID) same = i;
    if (free < 0 && TalkEventQueue[i].RoleID == 0) free = i;
  }
  if (same < 0 && free < 0) {
    report_error(full_message, talk_queue_capacity);
    return 0;
  }
  const MapRole copy = *ev;  // ev may be a queue slot or a map role that the backup overwrites
  if (!talk_skip_save) {
    field_camera_saved = field_camera;
    field_view_saved = field_camera_state;
    saved_view_pair[0] = view_scale;
    saved_view_pair[1] = view_far;
  }
  gmMapRoleBakCount = gmMapRoleCount;
  std::copy(gmMapRole, gmMapRole + gmMapRoleCount, gmMapRoleBak);
  // A talk handed over starts without what the last one carried: its view return, its text
  // slots and its next walk's view height.
  talk_skip_save = 0;
  view_return_busy = 0;
  text_slot_count = 0;
  std::memset(text_slots, 0, sizeof text_slots);
  next_path_y_step = 0.0f;
  reload_talk_number = copy.TALK;
  set_flag(flag_wall_test_off);
  cursor_act.qq = cursor_qq_normal;
  del_all_talkmsg();
  if (same >= 0) {
    store(same, copy);
  } else {
    store(free, copy);
    ++talk_queue_used;
  }
  return 1;
}

void del_talk_event(const MapRole* ev) {
  const std::uint16_t id = ev->RoleID;
  if (id == 0) return;
  for (int i = 0; i < talk_queue_capacity; ++i) {
    if (TalkEventQueue[i].RoleID != id) continue;
    free_slot(i);
    talk_queue_used = std::max(0, talk_queue_used - 1);
  }
}

void clear_talks_proc() {
  for (int i = 0; i < talk_queue_capacity; ++i) free_slot(i);
  talk_queue_used = 0;
}

std::uint16_t find_talks_proc(std::uint16_t RoleID) {
  if (RoleID == 0) return 0;
  for (const MapRole& ev : TalkEventQueue)
    if (ev.RoleID == RoleID) return ev.TALK;
  return 0;
}

void restart_talk(std::uint16_t talk) {
  std::uint16_t speaker = 0;
  for (int i = 0; i < talk_queue_capacity; ++i) {
    if (TalkEventQueue[i].RoleID == 0) continue;
    speaker = TalkEventQueue[i].RoleID;
    const MapRole ev = TalkEventQueue[i];
    del_talk_event(&ev);
  }
  if (talk == 0) return;
  del_all_ani();
  del_all_talkmsg();
  del_all_button();
  del_all_tbutton();
  if (!reload_keep_paths) del_all_role_path();
  clear_flag(flag_input_captured);
  end_input_wait();
  gmMapRoleCount = gmMapRoleBakCount;
  std::copy(gmMapRoleBak, gmMapRoleBak + gmMapRoleBakCount, gmMapRole);
  field_camera = field_camera_saved;
  field_camera_state = field_view_saved;
  view_scale = saved_view_pair[0];
  view_far = saved_view_pair[1];
  gmTmpTalk = MapRole{};
  gmTmpTalk.TALK = talk;
  gmTmpTalk.RoleID = speaker ? speaker : talk;
  add_talks_proc(&gmTmpTalk);
}

void run_talk_queue() {
  for (MapRole& ev : TalkEventQueue)
    if (ev.RoleID != 0) run_talk(&ev);
}

void restart_queued_talks() {
  for (int i = 0; i < talk_queue_capacity; ++i) {
    MapRole& ev = TalkEventQueue[i];
    if (ev.RoleID == 0) continue;
    ev.talk_start = ev.talk_offset = 0;
    ev.talk_wait_word = 0;
    ++talk_queue_generation[i];
  }
}
