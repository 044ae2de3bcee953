#pragma once
// Video files: open, pace, decode a frame, copy it into a 16-bit screen, go on. The decoders
// are FFmpeg's (which read the game's video format); the sound goes to the sound library's
// driver as a stream. Frames are numbered from 1; the last one's number is frame_count().
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

struct AudioDriver;

class Video {
 public:
  ~Video();
  Video(const Video&) = delete;
  Video& operator=(const Video&) = delete;

  // Opens a video by game path; null when it cannot be opened or has no pictures.
  static std::unique_ptr<Video> open(const std::string& game_path);

  int width() const;
  int height() const;
  int frame_count() const;
  int current_frame() const;  // the frame do_frame() decodes next or has decoded

  // True while it is not yet time to show the current frame (paced by the video's own rate
  // from the moment it opened, on the platform clock).
  bool wait() const;
  // Milliseconds until the current frame is due (0 when it is).
  std::uint32_t ms_until_due() const;
  // Decodes the current frame (and the sound up to it). A file that ends early ends the
  // video: frame_count() then becomes the current frame.
  void do_frame();
  // Copies the decoded frame as RGB565 into a screen of width x height pixels whose rows are
  // pitch_bytes apart, centred, and clipped to the screen on every side.
  void copy_to(std::uint16_t* pixels, int pitch_bytes, int width, int height) const;
  void next_frame();

 private:
  struct Impl;
  explicit Video(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// The driver whose voices play the videos' sound (null: videos play silent).
void set_video_sound_driver(AudioDriver* driver);

// Copies a w x h RGB565 picture (rows src_pitch pixels apart) centred into a screen,
// clipping it on every side.
void copy_centred_rgb565(const std::uint16_t* src, int src_pitch, int w, int h, std::uint16_t* dst,
                         int dst_pitch_bytes, int dst_w, int dst_h);

}  // namespace platform
