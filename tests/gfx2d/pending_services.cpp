// Stand-ins for engine services that have not landed yet; removed when they do.
#include "app/log.h"
#include "app/mem_mgr.h"
#include "platform/backend.h"
#include "platform/message_box.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

std::vector<std::string> pending_reports;

void report_error(const char* format, ...) {
  char buf[256];
  va_list ap;
  va_start(ap, format);
  std::vsnprintf(buf, sizeof buf, format, ap);
  va_end(ap);
  pending_reports.push_back(buf);
}
void log_trace(const char*, ...) {}
void* MemMgr_Alloc(int size) { return size < 0 ? nullptr : std::malloc(std::size_t(size) + 1); }
void MemMgr_Free(void* p) { std::free(p); }
namespace platform {
Backend current_backend() {
  const char* b = std::getenv("QORV_BACKEND");
  return b && std::strcmp(b, "headless") == 0 ? Backend::Headless : Backend::Sdl;
}
static std::vector<RecordedBox> boxes;
BoxAnswer message_box(Window*, const std::string& t, const std::string& c, BoxButtons b, BoxIcon) {
  boxes.push_back({t, c, b});
  return BoxAnswer::Ok;
}
const std::vector<RecordedBox>& recorded_boxes() { return boxes; }
void clear_recorded_boxes() { boxes.clear(); }
}  // namespace platform
#include "platform/sdl/sdl_window.h"
namespace platform {
SDL_Window* sdl_window(Window*) { return nullptr; }
}  // namespace platform
