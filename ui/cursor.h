#pragma once
// The mouse cursor's animation (ACT 9001, QQ 0) and its colour.
#include "g3d/act_animation.h"

constexpr std::uint16_t cursor_act_number = 9001;
extern ActInstance cursor_act;
