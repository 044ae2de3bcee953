// The headless display output: the frame stays in memory; QORV_SHOTS=DIR writes each shown
// frame that differs from the one before as DIR/NNNNNN.png, NNNNNN the number of the frame.
#include "platform/automation.h"
#include "platform/display_output.h"
#include "platform/png_writer.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace platform {
namespace {

class HeadlessOutput final : public DisplayOutput {
 public:
  void show(Window*, const std::uint16_t* pixels, int pitch, int width, int height,
            const PixelMasks& masks) override {
    ++shown_;
    // Named by the frame tick's number, so that shots line up with QORV_INPUT's frames; a frame
    // shown twice keeps its last picture.
    int index = current_frame() < 0 ? 0 : current_frame();
    std::size_t count = std::size_t(width) * height;
    const char* dir = shots_dir();
    if (dir == nullptr) {
      frame_.resize(count);
      frame_to_rgb565(pixels, pitch, width, height, masks, frame_.data());
      width_ = width;
      height_ = height;
      return;
    }
    scratch_.resize(count);
    frame_to_rgb565(pixels, pitch, width, height, masks, scratch_.data());
    bool same = width == width_ && height == height_ && scratch_ == frame_;
    frame_.swap(scratch_);
    width_ = width;
    height_ = height;
    if (!same) write_shot(dir, index);
  }

  void confine_cursor(Window*, const Rect* rect) override {
    confinement_ = rect ? std::optional<Rect>(*rect) : std::nullopt;
  }

  void desktop_size(int& width, int& height) override {
    width = 640;
    height = 480;
  }

  int shown() const { return shown_; }
  std::optional<WindowSnapshot> last() const {
    if (frame_.empty()) return std::nullopt;
    return WindowSnapshot{width_, height_, frame_};
  }
  std::optional<Rect> confinement() const { return confinement_; }

 private:
  static const char* shots_dir() {
    const std::string& dir = platform::shots_dir();
    return dir.empty() ? nullptr : dir.c_str();
  }

  void write_shot(const char* dir, int index) {
    if (!dir_made_) {  // the folder is made on the first shot, as a user naming it expects
      std::error_code ignored;
      std::filesystem::create_directories(dir, ignored);
      dir_made_ = true;
    }
    char name[32];
    std::snprintf(name, sizeof name, "/%06d.png", index);
    std::string path = std::string(dir) + name;
    if (!write_png_rgb565(path, frame_.data(), width_, height_, width_))
      std::fprintf(stderr, "QORV_SHOTS: cannot write %s\n", path.c_str());
  }

  int shown_ = 0;
  bool dir_made_ = false;
  int width_ = 0, height_ = 0;
  std::vector<std::uint16_t> frame_, scratch_;
  std::optional<Rect> confinement_;
};

HeadlessOutput& output() {
  static HeadlessOutput out;
  return out;
}

}  // namespace

DisplayOutput& headless_display_output() { return output(); }

int presented_frame_count() { return output().shown(); }
std::optional<WindowSnapshot> last_presented_frame() { return output().last(); }
std::optional<Rect> cursor_confinement() { return output().confinement(); }

}  // namespace platform
