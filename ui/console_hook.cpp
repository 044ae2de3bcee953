// The developer console's frame hook.
#include "ui/console_hook.h"

void (*console_frame_hook)() = nullptr;

void run_console_frame() {
  if (console_frame_hook) console_frame_hook();
}
