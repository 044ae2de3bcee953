#pragma once
// The developer console's step of a frame, which the field and battle draw functions run over
// their picture before the cursor. The developer tools register it at start-up; while none is
// registered nothing runs.
extern void (*console_frame_hook)();
void run_console_frame();
