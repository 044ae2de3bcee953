#pragma once
// Video playback. While game flag 8030 is set a video plays and the frame tick runs nothing but
// update_video. This first version opens no video.
void init_video_sound();
// Shows the next frame when it is due; closes the video after its last frame.
void update_video();
// Closes the video and its buffer, clears flag 8030 and sets the present rectangle back to the
// whole screen.
void close_video();
