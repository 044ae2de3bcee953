#pragma once
// The developer keys: one step of every due frame while the developer keys are on (game.ini
// [debug] hot_key=1), between the pause test and the event scene: dumps, the console, the
// speed-up, the debug overlay, quitting, saving and loading anywhere, the role editor, base
// building, debug views, the flag editor, reloading talks, the field edit mode with its backup,
// collision switches, a mark point to return to, and the minimap zoom.

// The minimap's scale index the zoom keys step (15 at load, never below 1).
extern int minimap_zoom;

// Runs the keys; 1 when the frame's pass ended here (the flag editor ran, or a dialog opened),
// after the frame timer was ticked.
int developer_keys_step();
// Start-up values of the keys' state (the zoom, the flag editor's cursor).
void reset_developer_keys();
