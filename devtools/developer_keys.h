#pragma once
// The developer keys: one step of every due frame while the developer keys are on (game.ini
// [debug] hot_key=1), between the pause test and the event scene.

// Runs the keys; 1 when the frame's pass ended here (the flag editor ran, or a dialog opened),
// after the frame timer was ticked.
int developer_keys_step();
