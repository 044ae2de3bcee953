#pragma once
// The talk event queue: a talk runs as a queued copy of a role record that names the speaker
// (RoleID) and the script (TALK) and carries the script's running state. The first queued
// event of a scene saves the field camera, the view and every map role, so that the developer's
// restart can put the scene back.
#include <cstdint>

#include "data/map_role.h"
#include "field/field_camera_state.h"

constexpr int talk_queue_capacity = 2;
// Queued talk events; a slot whose RoleID is 0 is free.
extern MapRole TalkEventQueue[talk_queue_capacity];
extern int talk_queue_used;
// Each slot's generation: it changes whenever the slot is stored into or freed, so that a
// running talk notices that its event was replaced or dropped under it.
extern unsigned talk_queue_generation[talk_queue_capacity];

extern MapRole gmTmpTalk;  // callers zero it, fill RoleID and TALK, and queue it
extern MapRole gmMapRoleBak[map_role_capacity];
extern int gmMapRoleBakCount;
extern Camera field_camera_saved;
extern FieldCameraState field_view_saved;
extern float saved_view_pair[2];  // the view's scale and far distance
extern int talk_skip_save;        // the next queued talk keeps the saved scene
extern std::uint16_t reload_talk_number;  // the TALK of the last queued event
extern int reload_keep_paths;             // 1: the developer's restart keeps the role paths

// Queues an event (a copy): 1 stored, 0 refused (TALK 0, or a full queue without a slot of
// the same speaker). An event of a speaker that already has one replaces it.
int add_talks_proc(const MapRole* ev);
// Frees every slot whose RoleID equals ev's.
void del_talk_event(const MapRole* ev);
void clear_talks_proc();
// The TALK of the first slot with that RoleID; 0 for RoleID 0 or none.
std::uint16_t find_talks_proc(std::uint16_t RoleID);
// The developer's scene restart: drops the queued events, puts the saved scene back and
// queues the talk again (talk 0 only drops them). The role paths go too, unless
// reload_keep_paths asks to keep them.
void restart_talk(std::uint16_t talk);
// The queue slot of an event record, or -1 when it is not one.
int talk_queue_slot(const MapRole* ev);
// Runs the talk interpreter on every occupied slot, in slot order.
void run_talk_queue();
// Starts every queued event again from its script's beginning (the script files were reloaded).
void restart_queued_talks();
