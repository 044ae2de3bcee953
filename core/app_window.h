#pragma once
// The main window record: the window and the program instance, and the screen position of the
// window's top-left corner, which developer overlays and dialogs read.
namespace platform {
struct Window;
struct Instance;
}  // namespace platform

struct AppWindowRecord {
  platform::Window* main_window = nullptr;
  platform::Instance* instance = nullptr;
  int origin_x = 0;
  int origin_y = 0;
};
extern AppWindowRecord AppWindow;

// The window's left and top edge. Flags bit 0 adds the caption height to y, bit 1 the menu
// height, and either bit adds the dialog frame's width and height to x and y.
void get_window_origin(platform::Window* window, int* x, int* y, int flags);
