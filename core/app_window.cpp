// The main window record.
#include "core/app_window.h"

#include "platform/window.h"

AppWindowRecord AppWindow;

void get_window_origin(platform::Window* window, int* x, int* y, int flags) {
  platform::WindowRect rect = platform::get_window_rect(window);
  int ox = rect.left;
  int oy = rect.top;
  if (flags & 3) {
    platform::WindowMetrics m = platform::get_window_metrics(window);
    if (flags & 1) oy += m.caption_height;
    if (flags & 2) oy += m.menu_height;
    ox += m.frame_width;
    oy += m.frame_height;
  }
  if (x) *x = ox;
  if (y) *y = oy;
}
