// The battle's developer overlay: the frame rate, the camera, the renderer's memory and the
// state of the turn and script machinery, and a box around the camera's point.
#include <cstdint>
#include <cstdio>

#include "battle/atk_script.h"
#include "battle/fight_debug.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_menu.h"
#include "battle/fight_target.h"
#include "core/app_window.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "g3d/grp3d_device.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "data/party.h"
#include "g3d/view_zoom.h"
#include "gfx2d/game_fonts.h"
#include "script/fight_ai.h"
#include "ui/text_draw.h"

namespace {
constexpr std::uint16_t white = 65000, yellow = 65001, grey = 55000;
constexpr std::uint32_t box_colour = 0x96C8C800;

struct CameraNow {
  float point[3], angles[3], distance;
};

CameraNow camera_now() {
  CameraNow c{};
  fight_camera.get_point(nullptr, nullptr, nullptr, &c.point[0], &c.point[1], &c.point[2]);
  fight_camera.get_angles(nullptr, nullptr, nullptr, &c.angles[0], &c.angles[1], &c.angles[2]);
  c.distance = fight_cam_setup.distance[0];
  return c;
}

template <class... A>
void line(int n, std::uint16_t colour, const char* format, A... args) {
  char text[160];
  std::snprintf(text, sizeof text, format, args...);
  draw_text_at(font_20, AppWindow.origin_x + 5, AppWindow.origin_y + 5 + 20 * n, text, colour, GLYPH_OUTLINE);
}

void edit_lines(const CameraNow& c) {
  const float* p = fight_cam_setup.point;
  line(0, white, "FPS %7.02f", double(current_fps));
  line(1, text_colours[8], "\xC3\xE8\xC0Y\xA6\xEC\xB8m %5.2f,%5.2f,%5.2f", double(p[0]), double(p[1]), double(p[2]));
  line(2, text_colours[8], "Cam \xA8\xA4\xAB\xD7RX[%3.2f],RY[%3.2f] DIST[%5.2f] SC[%2.1f] NEAR[%5.2f]", double(c.angles[0]),
       double(c.angles[1]), double(c.distance), double(view_scale), double(view_near));
  G3dVector eye{};
  Camera goal = fight_camera;
  goal.apply_goal_view(&eye);
  fight_camera.apply_view();  // the goal view was only asked for its eye
  line(3, text_colours[8], "\xA8\xD3\xB7\xBD\xA6\xEC\xB8m:%5.2f,%5.2f,%5.2f", double(eye.x), double(eye.y), double(eye.z));
}

void battle_lines(const CameraNow& c) {
  line(0, white, "FPS %7.02f FTalk:%d (x%d,y%d) seltype:%d", double(current_fps), int(fight_talk_number), mouse_x, mouse_y,
       list_tab);
  line(1, white, "Camera \xA8\xA4\xAB\xD7X[%3.2f],Y[%3.2f]  DIST[%5.2f] NEAR[%5.2f]", double(c.angles[0]),
       double(c.angles[1]), double(c.distance), double(view_near));
  line(2, yellow, "Camera\xA6\xEC\xB8m %5.2f,%5.2f,%5.2f", double(c.point[0]), double(c.point[1]), double(c.point[2]));
  line(3, grey, "\xA5\xD8\xAB""e\xBC\xD2\xAB\xAC\xBC\xC6 %d \xAD\xD3, \xA5\xD8\xAB""e\xAD\xB1\xBC\xC6 %d \xAD\xD3 ",
       renderer.get_model_count(), int(g3d_faces_drawn));
  line(4, grey, "\xA5\xD8\xAB""e Video RAM\xB6K\xB9\xCF\xBC\xC6 %d \xAD\xD3", renderer.get_texture_count());
  line(5, grey, "\xA5\xD8\xAB""e Video RAM \xA8\xCF\xA5\xCEsize %d k", int(renderer.get_texture_bytes() >> 10));
  line(6, grey, "\xA5\xD8\xAB""e PolyMemory \xA8\xCF\xA5\xCEsize %d k", int(GetPolyMemoryUsed() >> 10));
  line(7, white, "SelMan:%d ActMan:%d ATK:%d Cam:%d", SelMan, ActMan, int(atk_last_started), 0);
  line(8, white, "AT:%d AS:%d AC:%d AtkOP:%d", int(ai_side), int(ai_criterion), int(ai_act), int(AtkOP));
  if (ActMan >= 0 && ActMan < fight_unit_slots && gmFightMan[ActMan].IsAlly() && ActMan < 4) {
    const int c2 = fight_party_slot[ActMan];
    if (c2 >= 0 && c2 < 4) line(9, white, "Ave:%d", int(std::int16_t(gmRoleData[c2].stats[stat_hit])));
  }
}
}  // namespace

void fight_debug_overlay() {
  if (!test_flag(flag_debug_overlay)) return;
  const CameraNow c = camera_now();
  G3dMatrix m;
  g3d_mat_identity(&m);
  g3d_mat_set_translation(c.point[0], c.point[1], c.point[2], &m);
  const G3dBox box{{-10, -10, -10, 0}, {10, 10, 10, 0}};
  renderer.draw_solid_box(&m, &box, box_colour, 2);
  if (test_flag(flag_edit_mode)) edit_lines(c);
  else battle_lines(c);
}
