#pragma once
// The battle camera's two presets that the command menu calls: the actor view when a menu opens
// or a target selection is cancelled, the overview whenever the menu leaves the wheel for an
// action or a target.
void fight_camera_actor();
void fight_camera_overview();
