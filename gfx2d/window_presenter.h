#pragma once
// WindowPresenter prepares the game window for showing the display's output beside the
// desktop: a driver that can render into a window gets a clipper bound to the main window; one
// that cannot has the cursor confined to the frame and keeps a snapshot of what lies under the
// window. One global instance, window_presenter.
#include "platform/display.h"

#include <memory>
#include <optional>

class WindowPresenter {
 public:
  // 1, or 0 when the window is null.
  int init(platform::Window* main_window, platform::DisplayDevice* ddraw, platform::Surface* primary,
           platform::Surface* back);
  // Attaches window (null: the one attached); the window attached, or null when there is none.
  platform::Window* attach_window(platform::Window* window, int capture);
  void release();
  int has_window() const { return attached_ ? 1 : 0; }
  int has_snapshot() const { return snapshot_ ? 1 : 0; }

  int capable() const { return capable_; }
  const std::optional<platform::WindowSnapshot>& snapshot() const { return snapshot_; }
  platform::Clipper* clipper() const { return clipper_.get(); }

 private:
  std::optional<platform::WindowSnapshot> take_snapshot(platform::Window* window);

  platform::Window* main_window_ = nullptr;
  int capable_ = 0;
  platform::Window* attached_ = nullptr;
  std::optional<platform::WindowSnapshot> snapshot_;
  platform::DisplayDevice* ddraw_ = nullptr;
  platform::Surface* primary_ = nullptr;
  platform::Surface* back_ = nullptr;
  std::unique_ptr<platform::Clipper> clipper_;
  int width_ = 0, height_ = 0;
};

extern WindowPresenter window_presenter;
