// The display device.
#include "gfx2d/cddraw.h"

#include "core/log.h"
#include "platform/message_box.h"

#include <algorithm>
#include <cstring>
#include <vector>

cDDRAW display_device;

namespace {

using platform::DisplayResult;
using platform::SurfaceMemory;

// "錯誤"
// "cDDRAW::enum_Ddraw_driver(...)失敗"
const char* const enum_failed = "cDDRAW::enum_Ddraw_driver(...)\xa5\xa2\xb1\xd1";
// "所選擇之顯示模式不支援"
const char* const mode_unsupported =
    "\xa9\xd2\xbf\xef\xbe\xdc\xa4\xa7\xc5\xe3\xa5\xdc\xbc\xd2\xa6\xa1\xa4\xa3\xa4\xe4\xb4\xa9";
// "cDDRAW::Init(...) DDSetCooper(..).. 失敗"
const char* const cooper_failed = "cDDRAW::Init(...) DDSetCooper(..).. \xa5\xa2\xb1\xd1";
// "cDDRAW::Init(...) DDSetMode(..).. 失敗"
const char* const set_mode_failed = "cDDRAW::Init(...) DDSetMode(..).. \xa5\xa2\xb1\xd1";
// "cDDRAW::Init(...) create_main_draw_surface(..).. 失敗"
const char* const surface_failed = "cDDRAW::Init(...) create_main_draw_surface(..).. \xa5\xa2\xb1\xd1";

constexpr std::uint32_t full_screen_level =
    platform::coop_fullscreen | platform::coop_allow_reboot | platform::coop_exclusive;  // 0x13
constexpr int present_attempts = 4;

int fail_with(const char* text) {
  platform::message_box(nullptr, text, error_caption, platform::BoxButtons::Ok, platform::BoxIcon::Error);
  return 0;
}

void copy_text(char (&to)[64], const std::string& from) {
  std::size_t n = std::min<std::size_t>(from.size(), 63);
  std::memcpy(to, from.data(), n);
  to[n] = 0;
}

std::uint8_t classify(const platform::PixelMasks& m) {
  if (m.red == 0xF800 && m.green == 0x07C0 && m.blue == 0x003F) return 1;
  if (m.red == 0xF800 && m.green == 0x07E0 && m.blue == 0x001F) return 2;
  if (m.red == 0xFC00 && m.green == 0x03E0 && m.blue == 0x001F) return 3;
  return 0;
}

// The part of r that lies inside a width x height surface.
platform::Rect clamp_rect(platform::Rect r, int width, int height) {
  r.left = std::clamp(r.left, 0, width);
  r.right = std::clamp(r.right, r.left, width);
  r.top = std::clamp(r.top, 0, height);
  r.bottom = std::clamp(r.bottom, r.top, height);
  return r;
}

}  // namespace

// ---- drivers ----

void cDDRAW::add_driver(const platform::DisplayDriverDesc& desc, const platform::DisplayCaps& caps) {
  int row = driver_count_;
  DriverEntry& d = drivers_[row];
  d.can_render_windowed = caps.can_render_windowed ? 1 : 0;
  d.has_3d = 0;
  if (driver_count_ == 0) last_3d_driver_ = 0;
  if (caps.has_3d) {
    last_3d_driver_ = row;
    d.has_3d = 1;
  }
  if (!desc.has_guid) {
    primary_driver_ = row;
    selected_driver_ = row;
  } else {
    d.guid = desc.guid;
  }
  copy_text(d.name, desc.name);
  copy_text(d.description, desc.description);
  ++driver_count_;
}

int cDDRAW::enum_Ddraw_driver() {
  std::vector<platform::DisplayDriverDesc> found;
  if (!platform::enumerate_display_drivers(found)) return fail_with(enum_failed);
  // The table keeps the first four drivers; a full table takes no more.
  for (const platform::DisplayDriverDesc& desc : found) {
    if (driver_count_ >= ddraw_max_drivers) break;
    auto device = platform::DisplayDevice::create(desc.has_guid ? &desc.guid : nullptr);
    if (!device) continue;
    platform::DisplayCaps caps;
    if (!device->get_caps(caps)) continue;
    add_driver(desc, caps);
  }
  return 1;
}

// ---- Init ----

int cDDRAW::Init(platform::Window* window, int driver, int mode, int device_type, int width, int height,
                 int bpp) {
  window_ = window;
  requested_width_ = width;
  requested_height_ = height;
  requested_bpp_ = bpp;
  bool known = driver >= 0 && driver < driver_count_;
  if (known && mode == DDRAW_WINDOWED && !drivers_[driver].can_render_windowed) mode = DDRAW_FULL_SCREEN;
  if (known && device_type == DDRAW_DEVICE_HARDWARE_3D && !drivers_[driver].has_3d)
    device_type = DDRAW_DEVICE_OTHER;
  // Releasing also forgets the driver table, so Init on a device still set up fails below.
  if (initialised_) release();
  initialised_ = 1;
  if (driver < 0 || driver >= driver_count_) return 0;

  ddraw_ = platform::DisplayDevice::create(driver == primary_driver_ ? nullptr : &drivers_[driver].guid);
  if (!ddraw_) return 0;
  if (!check_display_mode()) return fail_with(mode_unsupported);
  selected_driver_ = driver;

  if (mode == DDRAW_FULL_SCREEN) {
    if (!DDSetCooper(window, full_screen_level)) return fail_with(cooper_failed);
    if (!DDSetMode(width, height, bpp)) return fail_with(set_mode_failed);
    full_screen_ = 1;
  } else {
    if (!DDSetCooper(window, platform::coop_normal)) return fail_with(cooper_failed);
    full_screen_ = 0;
  }
  int type = drivers_[driver].has_3d && device_type == DDRAW_DEVICE_HARDWARE_3D ? 2 : 1;
  if (!create_main_draw_surface(type, width, height)) return fail_with(surface_failed);
  get_pixel_format();
  return 1;
}

int cDDRAW::check_display_mode() {
  mode_found_ = 0;
  for (const platform::DisplayMode& m : ddraw_->display_modes())
    if (m.width == requested_width_ && m.height == requested_height_ && m.bits == requested_bpp_) mode_found_ = 1;
  return mode_found_;
}

int cDDRAW::DDSetCooper(platform::Window* window, std::uint32_t flags) {
  cooperative_level_ = flags;
  if (ddraw_ && ddraw_->set_cooperative_level(window, flags)) return 1;
  ddraw_.reset();
  return 0;
}

int cDDRAW::DDSetMode(int width, int height, int bpp) {
  if (ddraw_ && ddraw_->set_display_mode(width, height, bpp)) return 1;
  ddraw_.reset();
  return 0;
}

void cDDRAW::release_primary_and_ddraw() {
  if (primary_) primary_->set_clipper(nullptr);
  clipper_.reset();
  primary_.reset();
  ddraw_.reset();
}

int cDDRAW::create_full_screen_surfaces(int type) {
  primary_ = ddraw_->create_primary(1, type == 2 ? SurfaceMemory::Video : SurfaceMemory::System);
  if (primary_) back_ = primary_->take_attached_back();
  if (!primary_ || !back_) {
    release_primary_and_ddraw();
    return 0;
  }
  hardware_3d_ = type == 2 ? 1 : 0;
  return 1;
}

int cDDRAW::create_windowed_surfaces(int type, int width, int height) {
  primary_ = ddraw_->create_primary(0, SurfaceMemory::System);
  if (!primary_ || !attach_clipper(window_)) {
    release_primary_and_ddraw();
    return 0;
  }
  platform::desktop_size(screen_width_, screen_height_);
  hardware_3d_ = 0;
  if (type == 2) {
    back_ = create_video_surface(width, height);
    if (back_) hardware_3d_ = 1;
  }
  if (!back_) back_ = create_system_surface(width, height);
  // Nothing can be drawn without a back surface.
  if (!back_) {
    release_primary_and_ddraw();
    return 0;
  }
  return 1;
}

int cDDRAW::attach_clipper(platform::Window* window) {
  clipper_ = ddraw_->create_clipper();
  if (!clipper_) return 0;
  clipper_->set_window(window);
  primary_->set_clipper(clipper_.get());
  return 1;
}

int cDDRAW::create_main_draw_surface(int type, int width, int height) {
  query_video_memory();
  int ok = full_screen_ ? create_full_screen_surfaces(type) : create_windowed_surfaces(type, width, height);
  if (!ok) return 0;
  primary_pitch_ = primary_->pitch();
  primary_height_ = primary_->height();
  back_pitch_ = back_->pitch();
  back_height_ = back_->height();
  display_width_ = requested_width_;
  display_height_ = requested_height_;
  set_present_rect(0, 0, platform::Rect{0, 0, width, height});
  return 1;
}

std::unique_ptr<platform::Surface> cDDRAW::create_system_surface(int w, int h) {
  return ddraw_ ? ddraw_->create_offscreen(w, h, SurfaceMemory::System) : nullptr;
}

std::unique_ptr<platform::Surface> cDDRAW::create_video_surface(int w, int h) {
  return ddraw_ ? ddraw_->create_offscreen(w, h, SurfaceMemory::Video) : nullptr;
}

// ---- queries ----

void cDDRAW::get_info(DdrawInfo* out) {
  if (!out) return;
  out->window = window_;
  out->full_screen = full_screen_;
  out->hardware_3d = hardware_3d_;
  out->width = requested_width_;
  out->height = requested_height_;
  out->bits_per_pixel = requested_bpp_;
  out->driver_count = driver_count_;
  out->last_3d_driver = last_3d_driver_;
  out->selected_driver = selected_driver_;
  platform::DisplayCaps caps;
  if (ddraw_ && ddraw_->get_caps(caps)) {
    out->vid_mem_total = caps.vid_mem_total;
    out->vid_mem_free = caps.vid_mem_free;
  }
  for (int i = 0; i < driver_count_; ++i) {
    out->has_3d[i] = drivers_[i].has_3d;
    out->can_render_windowed[i] = drivers_[i].can_render_windowed;
    out->guid[i] = drivers_[i].guid;
    std::memcpy(out->name[i], drivers_[i].name, 64);
    std::memcpy(out->description[i], drivers_[i].description, 64);
  }
  out->present_dest = present_dest_;
  out->present_source = present_source_;
}

platform::Surface* cDDRAW::get_surface(int id) {
  switch (id) {
    case DDRAW_PRIMARY_SURFACE: return primary_.get();
    case DDRAW_BACK_SURFACE: return back_.get();
    case DDRAW_THIRD_SURFACE: return third_.get();
    default: return nullptr;
  }
}

std::uint8_t cDDRAW::get_pixel_format() {
  pixel_format_ = primary_ ? classify(primary_->pixel_masks()) : 0;
  return pixel_format_;
}

void cDDRAW::get_primary_size(int* pitch, int* height) {
  if (pitch) *pitch = primary_pitch_;
  if (height) *height = primary_height_;
}

void cDDRAW::get_back_size(int* pitch, int* height) {
  if (pitch) *pitch = back_pitch_;
  if (height) *height = back_height_;
}

int cDDRAW::get_display_bpp() { return ddraw_ ? ddraw_->current_mode().bits : 0; }

int cDDRAW::query_video_memory() {
  if (!ddraw_) return 0;
  if (!ddraw_->available_memory(false, total_vmem_, free_vmem_)) return 0;
  if (!ddraw_->available_memory(true, total_tmem_, free_tmem_)) return 0;
  return 1;
}

std::uint32_t cDDRAW::get_free_vmem() {
  if (ddraw_) ddraw_->available_memory(false, total_vmem_, free_vmem_);
  return free_vmem_;
}

std::uint32_t cDDRAW::get_free_tmem() {
  if (ddraw_) ddraw_->available_memory(true, total_tmem_, free_tmem_);
  return free_tmem_;
}

// ---- present and fills ----

void cDDRAW::set_present_rect(int dest_x, int dest_y, platform::Rect source) {
  if (source.right >= display_width_ || source.bottom >= display_height_) {
    source.right = display_width_;
    source.bottom = display_height_;
  }
  present_source_ = source;
  present_dest_ = platform::Rect{dest_x, dest_y, dest_x + source.right, dest_y + source.bottom};
}

// One blit of the present rectangles, cut to what both surfaces hold.
bool cDDRAW::blit_frame() {
  platform::Rect src = clamp_rect(present_source_, back_->width(), back_->height());
  platform::Rect dest = clamp_rect(present_dest_, primary_->width(), primary_->height());
  int w = std::min(src.right - src.left, dest.right - dest.left);
  int h = std::min(src.bottom - src.top, dest.bottom - dest.top);
  src.right = src.left + w;
  src.bottom = src.top + h;
  dest.right = dest.left + w;
  dest.bottom = dest.top + h;
  for (int attempt = 0; attempt < present_attempts; ++attempt) {
    DisplayResult r = primary_->blt(&dest, back_.get(), &src);
    if (r == DisplayResult::Ok) return true;
    if (r == DisplayResult::SurfaceLost) {
      primary_->restore();
      back_->restore();
    } else if (r != DisplayResult::StillDrawing) {
      return false;
    }
  }
  return false;
}

int cDDRAW::present() {
  if (!primary_ || !back_) return 0;
  if (blit_frame()) {
    present_failing_ = false;
    return 1;
  }
  // Reported once until a frame gets through again, so a lasting failure does not flood the log.
  if (!present_failing_) report_error("cDDRAW::present(..) the frame could not be shown");
  present_failing_ = true;
  return 0;
}

DisplayResult cDDRAW::fill_rect(int x, int y, int w, int h, std::uint32_t colour) {
  if (!back_) return DisplayResult::Failed;
  platform::Rect r{x, y, x + w, y + h};
  return back_->colour_fill(&r, colour);
}

std::uint32_t cDDRAW::match_colour(platform::Surface* surface, std::uint32_t colorref) {
  if (!surface) return 0xFFFFFFFF;
  std::uint32_t result = 0xFFFFFFFF;
  bool set = colorref != 0xFFFFFFFF;
  std::uint32_t saved = 0;
  if (set) {
    saved = surface->dc_get_pixel(0, 0);
    surface->dc_set_pixel(0, 0, colorref);
  }
  platform::LockedPixels locked;
  if (surface->lock(locked) == DisplayResult::Ok) {
    result = locked.pixels[0];
    surface->unlock();
  }
  if (set) surface->dc_set_pixel(0, 0, saved);
  return result;
}

void cDDRAW::fill_surface(platform::Surface* surface, std::uint32_t colorref) {
  if (surface) surface->colour_fill(nullptr, match_colour(surface, colorref));
}

// ---- release ----

int cDDRAW::release_surfaces() {
  if (!ddraw_) return 0;
  third_.reset();
  back_.reset();
  if (primary_) primary_->set_clipper(nullptr);
  clipper_.reset();
  primary_.reset();
  if (is_exclusive()) ddraw_->restore_display_mode();
  return 1;
}

void cDDRAW::release_ddraw() { ddraw_.reset(); }

void cDDRAW::release() {
  release_surfaces();
  release_ddraw();
  initialised_ = 0;
  driver_count_ = 0;
  primary_driver_ = 0;
  last_3d_driver_ = 0;
  selected_driver_ = 0;
  present_failing_ = false;
}
