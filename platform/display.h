#pragma once
// The 16-bit display: one software driver with display modes, exclusive (full screen) and
// windowed cooperation, lockable primary, back and off-screen surfaces, colour fill, blits with
// a source colour key, and a reported video memory figure. Surfaces live in memory; a blit onto
// the primary surface shows the frame (SDL: a streaming texture scaled into the window with 4:3
// kept; headless: the frame is kept in memory and, with QORV_SHOTS=DIR, written as
// DIR/NNNNNN.png when it differs from the last one shown).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct Window;

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Cooperative-level flags, combined as the game passes them.
constexpr std::uint32_t coop_fullscreen = 0x01;
constexpr std::uint32_t coop_allow_reboot = 0x02;
constexpr std::uint32_t coop_normal = 0x08;
constexpr std::uint32_t coop_exclusive = 0x10;

struct DisplayGuid {
  std::uint8_t bytes[16] = {};
};

// One driver as enumerated. The primary display driver has no GUID.
struct DisplayDriverDesc {
  bool has_guid = false;
  DisplayGuid guid;
  std::string name, description;
};

struct DisplayCaps {
  bool has_3d = false;               // can serve a hardware 3D device
  bool can_render_windowed = false;  // can show its output inside a window
  std::uint32_t vid_mem_total = 0, vid_mem_free = 0;
};

struct DisplayMode {
  int width = 0, height = 0, bits = 0;
};

// The channel masks of a surface's pixels.
struct PixelMasks {
  std::uint32_t red = 0, green = 0, blue = 0;
  int bits = 16;
};
constexpr PixelMasks masks_rgb565{0xF800, 0x07E0, 0x001F, 16};
constexpr PixelMasks masks_rgb555{0x7C00, 0x03E0, 0x001F, 16};

enum class DisplayResult { Ok, Failed, SurfaceLost, StillDrawing };

enum class SurfaceMemory { Video, System };

struct LockedPixels {
  std::uint16_t* pixels = nullptr;
  int pitch = 0;  // bytes from one row to the next
  int width = 0, height = 0;
};

class DisplayDevice;
class Clipper;
struct SurfaceData;

// A surface of 16-bit pixels. Owned by whoever created it; it stays usable (as a lost surface)
// when its device goes first.
class Surface {
 public:
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  int width() const;
  int height() const;
  int pitch() const;  // bytes from one row to the next
  PixelMasks pixel_masks() const;
  bool is_primary() const;
  SurfaceMemory memory() const;

  // Whole-surface lock; fails with SurfaceLost on a lost surface. Every access to a surface's
  // pixels (lock, blit, fill, pixel reads and writes, showing a frame) first waits for the
  // software 3D device's queued draws.
  DisplayResult lock(LockedPixels& out);
  // The lock for the 3D device itself: it queues draws into the pixels without waiting for the
  // ones it queued before.
  DisplayResult lock_for_queued_drawing(LockedPixels& out);
  void unlock();

  // Copies src's rectangle (null: all of src) onto this surface's rectangle (null: all of this);
  // the rectangles must have the same size and lie inside their surfaces. With key_source,
  // source pixels equal to src's colour key are left out. A blit onto the primary surface
  // shows the frame.
  DisplayResult blt(const Rect* dest, Surface* src, const Rect* src_rect, bool key_source = false);
  // Fills the rectangle (null: the whole surface) with a raw pixel value.
  DisplayResult colour_fill(const Rect* dest, std::uint32_t pixel);
  void set_colour_key(std::uint16_t key);
  void set_clipper(Clipper* clipper);
  // Brings a lost surface back (its pixels are undefined afterwards).
  DisplayResult restore();
  bool is_lost() const;

  // The device-context view of the surface: colours as 0x00BBGGRR, converted to and from the
  // surface's pixel layout.
  std::uint32_t dc_get_pixel(int x, int y);
  void dc_set_pixel(int x, int y, std::uint32_t colorref);

  // Full screen: hands out the back surface attached to a flipping primary (null for other
  // surfaces, and on a second call).
  std::unique_ptr<Surface> take_attached_back();

 private:
  friend class DisplayDevice;
  explicit Surface(std::shared_ptr<SurfaceData> data);
  std::shared_ptr<SurfaceData> data_;
  std::unique_ptr<Surface> back_;
};

// A clipper bound to a window.
class Clipper {
 public:
  void set_window(Window* window) { window_ = window; }
  Window* window() const { return window_; }

 private:
  Window* window_ = nullptr;
};

struct DeviceState;

// An opened driver.
class DisplayDevice {
 public:
  // Opens a driver: the primary display driver for a null GUID. Null when there is no such driver.
  static std::unique_ptr<DisplayDevice> create(const DisplayGuid* guid);
  ~DisplayDevice();
  DisplayDevice(const DisplayDevice&) = delete;
  DisplayDevice& operator=(const DisplayDevice&) = delete;

  bool get_caps(DisplayCaps& hardware);
  std::vector<DisplayMode> display_modes();
  DisplayMode current_mode();
  bool set_cooperative_level(Window* window, std::uint32_t flags);
  // Full screen is desktop full screen: the mode is recorded, the desktop is not changed.
  bool set_display_mode(int width, int height, int bits);
  void restore_display_mode();

  // The primary surface, at the display mode's size; with back_buffers 1 a back surface of the
  // same size is attached. Null on failure (video memory exhausted, no cooperative level).
  std::unique_ptr<Surface> create_primary(int back_buffers, SurfaceMemory memory);
  // An off-screen surface; null when video memory is exhausted or the size is not positive.
  std::unique_ptr<Surface> create_offscreen(int width, int height, SurfaceMemory memory);
  std::unique_ptr<Clipper> create_clipper();
  // Video memory for every surface, or for textures only; false on failure.
  bool available_memory(bool textures, std::uint32_t& total, std::uint32_t& free);
  void flip_to_gdi_surface() {}

 private:
  explicit DisplayDevice(std::shared_ptr<DeviceState> state);
  std::shared_ptr<DeviceState> state_;
};

// Appends the drivers of the machine in enumeration order; false when enumeration fails.
bool enumerate_display_drivers(std::vector<DisplayDriverDesc>& out);

// The size of the desktop the window sits on.
void desktop_size(int& width, int& height);

// Confines the mouse cursor to a rectangle of the window, or frees it (null).
void confine_cursor(Window* window, const Rect* rect);

// A copy of what the window shows, 16-bit RGB565, top row first (black 640 x 480 before the
// first frame); none when it cannot be taken.
struct WindowSnapshot {
  int width = 0, height = 0;
  std::vector<std::uint16_t> pixels;
};
std::optional<WindowSnapshot> take_window_snapshot(Window* window);

// The software driver as tests shape it. Changes apply to devices opened afterwards (the pixel
// layout and memory figure) or at once (failures, lost surfaces).
struct DisplayDriverSetup {
  DisplayDriverDesc desc;
  DisplayCaps caps;
};
struct DisplayConfig {
  std::vector<DisplayDriverSetup> drivers;  // default: one primary "software" driver
  std::vector<DisplayMode> modes;           // default: the usual 8, 16 and 32-bit modes
  PixelMasks masks = masks_rgb565;          // layout of every surface
  std::uint32_t video_memory = 32u << 20;   // bytes
  int pitch_padding = 0;                    // extra bytes at the end of every row
  bool fail_enumeration = false;
  bool fail_cooperative_level = false;
  bool fail_display_mode = false;
  bool fail_clipper = false;
  bool fail_offscreen = false;              // off-screen surfaces cannot be made
  int fail_blits = 0;                       // the next n blits fail with Failed
};
DisplayConfig& display_config();
void reset_display_config();
// Marks every existing surface lost, as a switch away from an exclusive display does.
void inject_surface_loss();

// Headless: the frames shown so far, and the last one (RGB565, top row first).
int presented_frame_count();
std::optional<WindowSnapshot> last_presented_frame();
// Headless: the cursor confinement last set (null when free).
std::optional<Rect> cursor_confinement();

}  // namespace platform
