#pragma once
// The field controller's rules, apart from the input devices: which way the held keys walk,
// which cursor the mouse direction shows, how a step is made and who is too far to talk to.
struct MapRole;

// The walking keys held this frame (arrows and the joystick's directions).
struct WalkKeys {
  bool up = false, down = false, left = false, right = false;
  bool joy_up = false, joy_down = false, joy_left = false, joy_right = false;
};

// The walking angle relative to the heading; false when no walking key is held. The rules are
// tested in a fixed order and the last match wins.
bool walk_key_angle(const WalkKeys& keys, float* angle);
// The cursor QQ (0-7) of a mouse direction in degrees around the screen centre.
int cursor_sector_qq(float angle);
// The ground step of one walking frame along a direction.
void walk_step(float dir, float speed_x, float speed_z, float* dx, float* dz);
// A clicked role beyond this ground distance is not talked to.
constexpr float click_talk_reach = 350.0f;
// True when t lies beyond click_talk_reach of p, the coordinates cut to integers first.
bool role_too_far(const MapRole& p, const MapRole& t);
// The direction in which p faces t; false when they stand on one point.
bool facing_dir(const MapRole& p, const MapRole& t, float* dir);
