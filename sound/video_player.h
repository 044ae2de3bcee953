#pragma once
// Story videos: played at the top of the frame tick while flag_video is set, each frame
// copied into the renderer's back buffer and presented, skipped with Escape (close_video).
// Gives the videos the effect bank's driver for their sound (start-up).
void init_video_sound();
// Opens Video\<file_name> of the game folder, else of the disc; sets flag_video when it
// opened and clears it when not.
void play_video(const char* file_name);
// One pass of the frame tick while the video plays: waits for the frame's time, shows it,
// and closes the video after its last frame.
void update_video();
void close_video();
// With the low 16 bits of n: 0 when no video is open; n != 0: 1 once the current frame is n
// or later; n == 0: 1 while the last frame is current.
int check_video_frame(int n);
