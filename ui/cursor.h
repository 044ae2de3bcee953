#pragma once
// The mouse cursor and the field's menu icon.
#include <cstdint>

#include "g3d/act_animation.h"
#include "ui/ui_numbers.h"

// The cursor's animation: ACT 9001, QQ 0 at start-up; screens may set another QQ.
extern ActInstance cursor_act;
// Slid between 0 and 60 by the field controller.
extern std::int16_t menu_icon_offset;

// The cursor at the mouse; nothing during an event scene, with the cursor hidden, or while the
// field hides the idle mouse.
void draw_mouse_cursor();
void draw_menu_icon();
// The icon's animation starts again at its next advance (the field does this every walking frame).
void restart_menu_icon();
ActInstance& menu_icon_instance();
