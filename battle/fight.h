#pragma once
// The battle controller, game mode 20: entering a battle from a battlefield record, the frame
// (input, update, draw), the result check and the way back to the field.
#include <cstdint>

#include "battle/battlefield.h"
#include "g3d/act_animation.h"
#include "g3d/camera.h"

class FightMan;

void fight_input();
void fight_update();
void fight_draw();
// Leaves the battle (shut-down calls it while mode 20 is current).
void fight_end();
// Starts battle n (battlefield record n - 1 and fight-talk script n): 1 set up, 0 refused (n
// outside 1..1000, a battle already running, or a record without a world).
int SFLB_Call_Fight(std::uint16_t n);
// A fight-talk script's next battle: the enemies of record n-1 in place of the present ones on
// its battlefield, the allies kept, and fight-talk script n; 0 (reported) for n outside
// 1..1000 or outside a battle.
int fight_next_battle(std::uint16_t n);
// Closes the running turn: no acting unit nor main target, one turn fewer to wait for.
void fight_close_turn();
// The battlefield world of an animation: ticked once, its model taken from the cache.
void load_field_world(std::uint16_t act, std::uint16_t qq);
// 1 when a talk started the battle (read by the battle units' state handling).
extern int fight_from_talk;

// The counts and rewards of a unit that has just gone out.
void fight_unit_fell(FightMan* u);
void fight_check_result();
// The current turn is closed: no actor, no target, one turn fewer, the turn-ended bit set.
void fight_close_turn();
void fight_animate_field();
// The party's and the enemies' per-frame scans: animation, state, statuses and gauges.
void fight_ally_turns();
void fight_enemy_turns();
// The per-frame state handler of one unit.
void fight_man_state(std::int16_t unit);

// The battlefield scene.
extern BattlefieldRecord fight_field_record;
extern std::uint16_t fight_field_index, fight_field_act, fight_field_qq;
extern ActInstance fight_field_anim;
extern ActInstance fight_field_deco;  // the record's decoration model
extern G3dWld* fight_field_world;
extern Camera fight_camera;
// The camera's goal, set by scripts and given to the camera each frame.
struct FightCamSetup {
  int instant = 0;
  float point[3] = {};
  float angles[3] = {};
  float distance[2] = {};  // eye distance, look distance
  // Where the camera is this frame (the goals above are where it goes).
  float current_point[3] = {};
  float current_angles[3] = {};
  float current_distance[2] = {};
};
extern FightCamSetup fight_cam_setup;
// Frames of the victory wait.
constexpr std::int16_t fight_victory_frames = 60;

// The end cameras: the snap when victory (framing unit, by fight_end_view) or defeat is decided,
// and the move of the view on each frame after it, both held by the battle-camera flag.
void fight_snap_victory_camera(int unit);
void fight_snap_defeat_camera(int unit);
void fight_end_camera_step();
