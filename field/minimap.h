#pragma once
// The minimap: a picture of the map in a box in the top-left corner that scrolls so that the
// tracked marker (the player) stays in the middle, with coloured markers for the player, listed
// roles and marked places. One global object; the field draw moves the player's marker and draws
// it every frame.
#include <cstdint>
#include <map>

#include "g3d/act_animation.h"

struct MinimapMarker {
  int id = 0;
  std::uint8_t kind = 0;  // not 0: always shown, held at the box's edge; 0: shown inside the box only
  int x = 0, y = 0;       // world X and Z times the scale, truncated
  int size = 0;           // pixels
  float angle = 0.0f;     // degrees
  std::uint32_t colour = 0;  // ARGB
  int label = 0;          // 0: none; else label - 1 is written beside the marker
};

// The display settings kept in the saved engine-state words.
constexpr int minimap_opaque = 0, minimap_translucent = 1, minimap_hidden = 2;
// The alpha level of the translucent display.
constexpr int minimap_translucent_level = 5;

class Minimap {
 public:
  void SetScreenSize(int width, int height);
  // Box, size and centre (integer halves).
  void SetRect(int left, int top, int right, int bottom);
  void SetPicture(std::uint16_t act, std::uint16_t qq);
  void SetPictureOffset(int x, int y);
  // Scale = 1 / n; n below 1 counts as 1.
  void SetScale(int n);
  void Clear();  // every marker; no tracked marker
  void SetTracked(int id);
  // The existing marker of that id unchanged, or a new one with x and y scaled.
  MinimapMarker* AddMarker(int id, std::uint32_t colour, float x, float y, float angle, int size, std::uint8_t kind);
  MinimapMarker* FindMarker(int id);  // null for an absent or negative id
  void SetMarkerPos(int id, float x, float y, float angle);
  void RemoveMarker(int id);  // removes that marker when present
  void SetMarkerLabel(int id, int label);
  void set_alpha(int level);
  void set_translucent(std::uint8_t on);
  std::uint8_t IsTranslucent() const { return translucent_; }
  void Draw();

  // The box and what the drawing reads, for the field controller, the compass and tests.
  int left() const { return left_; }
  int top() const { return top_; }
  int right() const { return right_; }
  int bottom() const { return bottom_; }
  int alpha_level() const { return alpha_level_; }
  float scale() const { return scale_; }
  int tracked_id() const { return tracked_id_; }
  int tracked_x() const { return tracked_x_; }
  int tracked_y() const { return tracked_y_; }
  const ActInstance& picture() const { return picture_; }
  const std::map<int, MinimapMarker>& markers() const { return markers_; }

 private:
  void draw_picture();
  void draw_marker(const MinimapMarker& m);
  void draw_arrow(const MinimapMarker& m, int sx, int sy, std::uint32_t colour);
  void draw_label(const MinimapMarker& m, int sx, int sy);

  ActInstance picture_{};
  int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
  int centre_x_ = 0, centre_y_ = 0;
  int offset_x_ = 0, offset_y_ = 0;
  int width_ = 0, height_ = 0;
  int screen_width_ = 640, screen_height_ = 480;
  float scale_ = 1.0f;
  int tracked_x_ = 0, tracked_y_ = 0;
  int tracked_id_ = -1;
  std::map<int, MinimapMarker> markers_;
  int alpha_level_ = 8;
  std::uint8_t translucent_ = 0;
};
extern Minimap minimap;

// The minimap's display setting (opaque, translucent, hidden), one of the saved engine-state words.
std::uint32_t& minimap_mode();
// Applies minimap_mode to the minimap and to the hidden flag.
void apply_minimap_mode();

// How one marker shows this frame, relative to the box centre: a pure rule the drawing follows.
struct MarkerPlacement {
  bool shown = false;
  bool clamped = false;  // an always-shown marker held at the box's edge
  int x = 0, y = 0;      // screen point
};
MarkerPlacement place_marker(const MinimapMarker& m, int tracked_x, int tracked_y, int centre_x, int centre_y,
                             int width, int height);
// The colour and flags of a square marker.
struct MarkerPaint {
  std::uint32_t colour;
  std::uint32_t flags;
};
MarkerPaint marker_paint(std::uint32_t colour, bool translucent, int alpha_level, bool clamped);
