#pragma once
// Field settings that the end of a talk puts back: the fixed eye, the run mode and the minimap's
// display.

// The map's fixed eye: bit 0 of `on`. Its one point is the map record's fixed_eye, which the map
// change, walking and the talk's eye opcode raise on maps of flag 0x100.
struct FixedEye {
  int on = 0;
};
extern FixedEye fixed_eye;

// The run mode: its two run flags (set and cleared together; the second keeps it over a standing
// frame) and the leader's walking speeds along x and z.
struct RunMode {
  int flags[2] = {};
  float speeds[2] = {14.0f, 5.0f};
  bool on() const { return flags[0] != 0; }
  // The leader's movement speeds all become v (the vertical one is never used).
  void set_speeds(float v) { speeds[0] = speeds[1] = v; }
};
// The leader's walking speed, to which a talk and the end of the speed-up return.
constexpr float leader_walk_speed = 5.0f;
extern RunMode run_mode;

// Applies the saved minimap display setting again.
void apply_minimap_mode();
