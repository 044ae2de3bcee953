// The window presenter.
#include "gfx2d/window_presenter.h"

// The presenter owns only its clipper and snapshot, which free themselves; the cursor
// confinement ends with the process, so nothing needs the platform at exit.
WindowPresenter window_presenter;

int WindowPresenter::init(platform::Window* main_window, platform::DisplayDevice* ddraw,
                          platform::Surface* primary, platform::Surface* back) {
  if (!main_window) return 0;
  main_window_ = main_window;
  platform::DisplayCaps caps;
  capable_ = ddraw && ddraw->get_caps(caps) && caps.can_render_windowed ? 1 : 0;
  ddraw_ = ddraw;
  primary_ = primary;
  back_ = back;
  width_ = back ? back->width() : 0;
  height_ = back ? back->height() : 0;
  return 1;
}

platform::Window* WindowPresenter::attach_window(platform::Window* window, int capture) {
  if (!window) window = attached_;
  if (!window) return nullptr;
  if (capable_) {
    // The clipper follows the main window whichever window is attached.
    clipper_ = ddraw_ ? ddraw_->create_clipper() : nullptr;
    if (clipper_) clipper_->set_window(main_window_);
    if (ddraw_) ddraw_->flip_to_gdi_surface();
  } else {
    platform::Rect frame{0, 0, width_, height_};
    platform::confine_cursor(main_window_, &frame);
    snapshot_.reset();
    if (capture) snapshot_ = take_snapshot(window);
  }
  attached_ = window;
  return window;
}

std::optional<platform::WindowSnapshot> WindowPresenter::take_snapshot(platform::Window* window) {
  return platform::take_window_snapshot(window);
}

void WindowPresenter::release() {
  attached_ = nullptr;
  snapshot_.reset();
  if (!capable_ && main_window_) platform::confine_cursor(main_window_, nullptr);
  clipper_.reset();
}
