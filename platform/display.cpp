// The software display driver: surfaces in memory, shown through the backend's output.
#include "platform/display.h"

#include "platform/aligned_storage.h"
#include "platform/backend.h"
#include "platform/display_output.h"
#include "platform/raster/raster.h"
#include "platform/window.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <set>

namespace platform {

struct DeviceState {
  DisplayCaps caps;
  PixelMasks masks;
  std::uint32_t video_used = 0;
  std::uint32_t coop_flags = 0;
  bool has_coop = false;
  Window* window = nullptr;
  DisplayMode mode{640, 480, 16};
};

struct SurfaceData {
  SurfaceData();
  ~SurfaceData();
  std::shared_ptr<DeviceState> device;
  int width = 0, height = 0, pitch = 0;
  CacheLineVector<std::uint16_t> pixels;
  PixelMasks masks;
  SurfaceMemory memory = SurfaceMemory::System;
  bool primary = false;
  bool lost = false;
  bool locked = false;
  std::uint16_t colour_key = 0;
  Clipper* clipper = nullptr;
  std::uint32_t video_bytes = 0;

  std::uint16_t* row(int y) { return pixels.data() + std::size_t(y) * (pitch / 2); }
};

namespace {

// Never destroyed: surfaces held by global objects go after every function-local static.
std::set<SurfaceData*>& live_surfaces() {
  static auto* surfaces = new std::set<SurfaceData*>;
  return *surfaces;
}

DisplayConfig default_config() {
  DisplayConfig c;
  DisplayDriverSetup software;
  software.desc.has_guid = false;
  software.desc.name = "software";
  software.desc.description = "software";
  software.caps.has_3d = true;
  software.caps.can_render_windowed = true;
  c.drivers.push_back(software);
  for (int bits : {8, 16, 32})
    for (auto [w, h] : {std::pair{320, 240}, {640, 480}, {800, 600}, {1024, 768}})
      c.modes.push_back({w, h, bits});
  return c;
}

DisplayConfig& config_storage() {
  static DisplayConfig config = default_config();
  return config;
}

// The primary surface that showed the last frame, for snapshots of the window.
std::weak_ptr<SurfaceData>& last_shown() {
  static std::weak_ptr<SurfaceData> surface;
  return surface;
}

bool same_guid(const DisplayGuid& a, const DisplayGuid& b) {
  return std::memcmp(a.bytes, b.bytes, sizeof a.bytes) == 0;
}

// The rectangle, or the whole surface for null; false when it does not lie inside.
bool resolve_rect(const SurfaceData& s, const Rect* r, Rect& out) {
  out = r ? *r : Rect{0, 0, s.width, s.height};
  return out.left >= 0 && out.top >= 0 && out.left <= out.right && out.top <= out.bottom &&
         out.right <= s.width && out.bottom <= s.height;
}

std::uint32_t channel_from_byte(std::uint32_t value, std::uint32_t mask) {
  if (mask == 0) return 0;
  int width = std::popcount(mask), shift = std::countr_zero(mask);
  if (width >= 8) return (value << (width - 8)) << shift;
  return (value >> (8 - width)) << shift;
}

std::uint32_t channel_to_byte(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  int width = std::popcount(mask), shift = std::countr_zero(mask);
  std::uint32_t v = (pixel & mask) >> shift;
  if (width >= 8) return v >> (width - 8);
  return ((v << (8 - width)) | (v >> std::max(0, 2 * width - 8))) & 0xFF;
}

std::unique_ptr<Surface> no_surface() { return nullptr; }

}  // namespace

SurfaceData::SurfaceData() { live_surfaces().insert(this); }

SurfaceData::~SurfaceData() {
  // Queued draws may still write these pixels.
  raster::finish_all_devices();
  live_surfaces().erase(this);
  if (device) device->video_used -= std::min(device->video_used, video_bytes);
}

// ---- configuration ----

DisplayConfig& display_config() { return config_storage(); }

void reset_display_config() { config_storage() = default_config(); }

void inject_surface_loss() {
  for (SurfaceData* s : live_surfaces()) s->lost = true;
}

DisplayOutput& display_output() {
  return current_backend() == Backend::Headless ? headless_display_output() : sdl_display_output();
}

// ---- enumeration ----

bool enumerate_display_drivers(std::vector<DisplayDriverDesc>& out) {
  const DisplayConfig& c = config_storage();
  if (c.fail_enumeration) return false;
  for (const DisplayDriverSetup& d : c.drivers) out.push_back(d.desc);
  return true;
}

void desktop_size(int& width, int& height) { display_output().desktop_size(width, height); }

void confine_cursor(Window* window, const Rect* rect) { display_output().confine_cursor(window, rect); }

std::optional<WindowSnapshot> take_window_snapshot(Window*) {
  raster::finish_all_devices();
  std::shared_ptr<SurfaceData> s = last_shown().lock();
  if (!s) return WindowSnapshot{640, 480, std::vector<std::uint16_t>(640 * 480, 0)};
  WindowSnapshot shot;
  shot.width = s->width;
  shot.height = s->height;
  shot.pixels.resize(std::size_t(s->width) * s->height);
  frame_to_rgb565(s->pixels.data(), s->pitch, s->width, s->height, s->masks, shot.pixels.data());
  return shot;
}

void frame_to_rgb565(const std::uint16_t* pixels, int pitch, int width, int height,
                     const PixelMasks& masks, std::uint16_t* out) {
  const auto* row = reinterpret_cast<const std::uint8_t*>(pixels);
  bool is565 = masks.red == masks_rgb565.red && masks.green == masks_rgb565.green &&
               masks.blue == masks_rgb565.blue;
  bool is555 = masks.red == masks_rgb555.red && masks.green == masks_rgb555.green &&
               masks.blue == masks_rgb555.blue;
  for (int y = 0; y < height; ++y, row += pitch, out += width) {
    const auto* src = reinterpret_cast<const std::uint16_t*>(row);
    if (is565) {
      std::memcpy(out, src, std::size_t(width) * 2);
    } else if (is555) {
      for (int x = 0; x < width; ++x) {
        std::uint16_t p = src[x];
        out[x] = std::uint16_t(((p & 0x7FE0) << 1) | ((p >> 4) & 0x20) | (p & 0x1F));
      }
    } else {
      for (int x = 0; x < width; ++x) {
        std::uint32_t p = src[x];
        out[x] = std::uint16_t((channel_to_byte(p, masks.red) >> 3) << 11 |
                               (channel_to_byte(p, masks.green) >> 2) << 5 |
                               (channel_to_byte(p, masks.blue) >> 3));
      }
    }
  }
}

// ---- the device ----

DisplayDevice::DisplayDevice(std::shared_ptr<DeviceState> state) : state_(std::move(state)) {}

DisplayDevice::~DisplayDevice() = default;

std::unique_ptr<DisplayDevice> DisplayDevice::create(const DisplayGuid* guid) {
  const DisplayConfig& c = config_storage();
  for (const DisplayDriverSetup& d : c.drivers) {
    bool match = guid ? d.desc.has_guid && same_guid(d.desc.guid, *guid) : !d.desc.has_guid;
    if (!match) continue;
    auto state = std::make_shared<DeviceState>();
    state->caps = d.caps;
    state->caps.vid_mem_total = c.video_memory;
    state->masks = c.masks;
    return std::unique_ptr<DisplayDevice>(new DisplayDevice(std::move(state)));
  }
  return nullptr;
}

bool DisplayDevice::get_caps(DisplayCaps& hardware) {
  hardware = state_->caps;
  hardware.vid_mem_free = hardware.vid_mem_total - std::min(hardware.vid_mem_total, state_->video_used);
  return true;
}

std::vector<DisplayMode> DisplayDevice::display_modes() { return config_storage().modes; }

DisplayMode DisplayDevice::current_mode() { return state_->mode; }

bool DisplayDevice::set_cooperative_level(Window* window, std::uint32_t flags) {
  if (config_storage().fail_cooperative_level) return false;
  state_->coop_flags = flags;
  state_->has_coop = true;
  state_->window = window;
  // Exclusive cooperation is desktop full screen; normal cooperation keeps a window.
  if (window) set_fullscreen(window, (flags & coop_exclusive) != 0);
  return true;
}

bool DisplayDevice::set_display_mode(int width, int height, int bits) {
  if (config_storage().fail_display_mode || !(state_->coop_flags & coop_exclusive)) return false;
  for (const DisplayMode& m : config_storage().modes) {
    if (m.width == width && m.height == height && m.bits == bits) {
      state_->mode = m;
      return true;
    }
  }
  return false;
}

void DisplayDevice::restore_display_mode() {
  state_->mode = DisplayMode{640, 480, 16};
  if (state_->window && (state_->coop_flags & coop_exclusive)) set_fullscreen(state_->window, false);
}

namespace {
std::shared_ptr<SurfaceData> make_surface(const std::shared_ptr<DeviceState>& device, int width,
                                          int height, SurfaceMemory memory) {
  if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return nullptr;
  int pitch = width * 2 + config_storage().pitch_padding;
  pitch = (pitch + 1) & ~1;
  std::uint32_t bytes = std::uint32_t(pitch) * std::uint32_t(height);
  if (memory == SurfaceMemory::Video) {
    if (device->video_used > device->caps.vid_mem_total ||
        bytes > device->caps.vid_mem_total - device->video_used)
      return nullptr;
  }
  auto s = std::make_shared<SurfaceData>();
  s->device = device;
  s->width = width;
  s->height = height;
  s->pitch = pitch;
  s->pixels.assign(std::size_t(pitch / 2) * height, 0);
  s->masks = device->masks;
  s->memory = memory;
  if (memory == SurfaceMemory::Video) {
    s->video_bytes = bytes;
    device->video_used += bytes;
  }
  return s;
}
}  // namespace

std::unique_ptr<Surface> DisplayDevice::create_primary(int back_buffers, SurfaceMemory memory) {
  if (!state_->has_coop) return no_surface();
  auto data = make_surface(state_, state_->mode.width, state_->mode.height, memory);
  if (!data) return no_surface();
  data->primary = true;
  std::unique_ptr<Surface> primary(new Surface(data));
  if (back_buffers > 0) {
    auto back = make_surface(state_, state_->mode.width, state_->mode.height, memory);
    if (!back) return no_surface();
    primary->back_.reset(new Surface(back));
  }
  return primary;
}

std::unique_ptr<Surface> DisplayDevice::create_offscreen(int width, int height, SurfaceMemory memory) {
  if (config_storage().fail_offscreen) return no_surface();
  auto data = make_surface(state_, width, height, memory);
  if (!data) return no_surface();
  return std::unique_ptr<Surface>(new Surface(data));
}

std::unique_ptr<Clipper> DisplayDevice::create_clipper() {
  if (config_storage().fail_clipper) return nullptr;
  return std::make_unique<Clipper>();
}

bool DisplayDevice::available_memory(bool, std::uint32_t& total, std::uint32_t& free) {
  total = state_->caps.vid_mem_total;
  free = total - std::min(total, state_->video_used);
  return true;
}

// ---- surfaces ----

Surface::Surface(std::shared_ptr<SurfaceData> data) : data_(std::move(data)) {}

Surface::~Surface() = default;

int Surface::width() const { return data_->width; }
int Surface::height() const { return data_->height; }
int Surface::pitch() const { return data_->pitch; }
PixelMasks Surface::pixel_masks() const { return data_->masks; }
bool Surface::is_primary() const { return data_->primary; }
SurfaceMemory Surface::memory() const { return data_->memory; }
bool Surface::is_lost() const { return data_->lost; }
void Surface::set_colour_key(std::uint16_t key) { data_->colour_key = key; }
void Surface::set_clipper(Clipper* clipper) { data_->clipper = clipper; }
std::unique_ptr<Surface> Surface::take_attached_back() { return std::move(back_); }

DisplayResult Surface::lock(LockedPixels& out) {
  raster::finish_all_devices();
  return lock_for_queued_drawing(out);
}

DisplayResult Surface::lock_for_queued_drawing(LockedPixels& out) {
  if (data_->lost) return DisplayResult::SurfaceLost;
  data_->locked = true;
  out.pixels = data_->pixels.data();
  out.pitch = data_->pitch;
  out.width = data_->width;
  out.height = data_->height;
  return DisplayResult::Ok;
}

void Surface::unlock() { data_->locked = false; }

DisplayResult Surface::restore() {
  data_->lost = false;
  if (back_) back_->restore();
  return DisplayResult::Ok;
}

DisplayResult Surface::blt(const Rect* dest, Surface* src, const Rect* src_rect, bool key_source) {
  DisplayConfig& c = config_storage();
  if (c.fail_blits > 0) {
    --c.fail_blits;
    return DisplayResult::Failed;
  }
  if (!src) return DisplayResult::Failed;
  raster::finish_all_devices();
  SurfaceData& d = *data_;
  SurfaceData& s = *src->data_;
  if (d.lost || s.lost) return DisplayResult::SurfaceLost;
  Rect dr, sr;
  if (!resolve_rect(d, dest, dr) || !resolve_rect(s, src_rect, sr)) return DisplayResult::Failed;
  int w = dr.right - dr.left, h = dr.bottom - dr.top;
  if (w != sr.right - sr.left || h != sr.bottom - sr.top) return DisplayResult::Failed;
  for (int y = 0; y < h; ++y) {
    std::uint16_t* to = d.row(dr.top + y) + dr.left;
    const std::uint16_t* from = s.row(sr.top + y) + sr.left;
    if (!key_source) {
      std::memmove(to, from, std::size_t(w) * 2);
      continue;
    }
    for (int x = 0; x < w; ++x)
      if (from[x] != s.colour_key) to[x] = from[x];
  }
  if (d.primary) {
    last_shown() = data_;
    Window* window = d.device ? d.device->window : nullptr;
    display_output().show(window, d.pixels.data(), d.pitch, d.width, d.height, d.masks);
  }
  return DisplayResult::Ok;
}

DisplayResult Surface::colour_fill(const Rect* dest, std::uint32_t pixel) {
  raster::finish_all_devices();
  SurfaceData& d = *data_;
  if (d.lost) return DisplayResult::SurfaceLost;
  Rect r;
  if (!resolve_rect(d, dest, r)) return DisplayResult::Failed;
  for (int y = r.top; y < r.bottom; ++y) std::fill(d.row(y) + r.left, d.row(y) + r.right, std::uint16_t(pixel));
  return DisplayResult::Ok;
}

std::uint32_t Surface::dc_get_pixel(int x, int y) {
  raster::finish_all_devices();
  SurfaceData& d = *data_;
  if (x < 0 || y < 0 || x >= d.width || y >= d.height) return 0xFFFFFFFF;
  std::uint32_t p = d.row(y)[x];
  return channel_to_byte(p, d.masks.red) | channel_to_byte(p, d.masks.green) << 8 |
         channel_to_byte(p, d.masks.blue) << 16;
}

void Surface::dc_set_pixel(int x, int y, std::uint32_t colorref) {
  raster::finish_all_devices();
  SurfaceData& d = *data_;
  if (x < 0 || y < 0 || x >= d.width || y >= d.height) return;
  d.row(y)[x] = std::uint16_t(channel_from_byte(colorref & 0xFF, d.masks.red) |
                              channel_from_byte((colorref >> 8) & 0xFF, d.masks.green) |
                              channel_from_byte((colorref >> 16) & 0xFF, d.masks.blue));
}

}  // namespace platform
