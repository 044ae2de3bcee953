#pragma once
// The flag editor: a full-screen page on which any game flag from 0 to 8099 is toggled, open
// while system flag 8011 is set (F11). Its page and cursor keep their values between uses;
// the page itself is drawn by the field's debug drawing (draw_debug_flags).

// The editor's keys, once a frame while it is open.
void run_flag_editor();
// Page and cursor back to flag 0.
void reset_flag_editor();
