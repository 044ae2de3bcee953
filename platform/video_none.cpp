// Builds without FFmpeg: no video opens, so callers go on as for a missing file.
#include "platform/video.h"

namespace platform {

struct Video::Impl {};

void set_video_sound_driver(AudioDriver*) {}

Video::Video(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Video::~Video() = default;
std::unique_ptr<Video> Video::open(const std::string&) { return nullptr; }
int Video::width() const { return 0; }
int Video::height() const { return 0; }
int Video::frame_count() const { return 0; }
int Video::current_frame() const { return 0; }
bool Video::wait() const { return false; }
std::uint32_t Video::ms_until_due() const { return 0; }
void Video::do_frame() {}
void Video::copy_to(std::uint16_t*, int, int, int) const {}
void Video::next_frame() {}

}  // namespace platform
