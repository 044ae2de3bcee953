#pragma once
// Drawing what an animation instance shows: as a 2D sprite blitted into the back buffer, as a
// textured quad placed in 3D, as a model frame, or on four given points. Every drawer plays the
// instance's pending frame sound once (the sound player is registered at start-up, because the
// sound system sits beside the engine, not under it).
#include <cstdint>

#include "g3d/act_animation.h"
#include "g3d/g3d_vertex.h"
#include "g3d/renderer.h"
#include "gfx2d/sprite_blitter.h"

class EffectManager;

using ActSoundPlayer = void (*)(int sfx);
// The player of frame sounds; null plays nothing.
void set_act_sound_player(ActSoundPlayer player);
// Plays and clears the instance's pending frame sound.
void play_act_sound(ActInstance* a);

// The first picture of animation act/qq with its hot spot at (x, y).
void draw_act(std::uint16_t act, std::uint16_t qq, int x, int y, BlitFlags flags);
// As draw_act, only the top-left w x h pixels (w 0 draws one column, h 0 the picture height;
// both are kept within the picture).
void draw_act_part(std::uint16_t act, std::uint16_t qq, int x, int y, int w, int h, BlitFlags flags);
// The instance's current picture with its hot spot at (x, y); the instance is not advanced.
void draw_act_instance(ActInstance* a, int x, int y, BlitFlags flags);
// The current picture blitted alone at trunc(x - hot spot x), trunc(y - hot spot y): no frame sound.
void blit_act_picture(const ActInstance* a, float x, float y, BlitFlags flags);
// The current sheet cell as a textured quad; the caller's scale is added to the instance's,
// ry is not applied.
void draw_act_3d(ActInstance* a, float x, float y, float z, float rx, float ry, float rz, float sx, float sy,
                 float sz, std::uint32_t colour, std::uint32_t flags);
// The current model frame.
void draw_act_model(ActInstance* a, float x, float y, float z, float rx, float ry, float rz, float sx, float sy,
                    float sz, std::uint32_t colour, std::uint32_t flags);
// The matrix draw_act_model draws with (the field's model drawer adds the attached effects).
void act_model_matrix(const ActInstance* a, G3dMatrix* out, float x, float y, float z, float rx, float ry, float rz,
                      float sx, float sy, float sz);
// The picture on four given points with their own texture coordinates (shadows).
void draw_act_quad(const G3dVertex quad[4], ActInstance* a, std::uint32_t colour, std::uint32_t flags);
// Frame 0 of act as the background, then act/qq cut to width pixels over it.
void draw_gauge(std::uint16_t act, std::uint16_t qq, int x, int y, int width);
// The rectangle of sheet cell `index`, right and bottom inclusive; all zero when the sheet has
// no whole cell in a row.
void get_act_frame_rect(int index, const ActInstance* a, G3dRect* out);
// The icon frame of a monster kind.
int get_kind_icon(std::uint16_t kind);
