#pragma once
// A model held at a point of another: a weapon at the body model's part tagged 0.
#include "g3d/act_animation.h"
#include "g3d/ply_model.h"

// One step of the held instance, then its model drawn at the body's point tagged 0 in the body
// instance's current frame and scale, placed with the held instance's own steps at (x, y, z) and
// the yaw. Nothing is drawn when the body has no such point; false only when the held animation
// cannot be played (the caller reports it).
bool draw_held_model(const G3dPoly* body, const ActInstance& body_anim, ActInstance* held, float x, float y, float z,
                     float yaw);
