#include "platform/backend.h"

#include <cstdlib>
#include <cstring>

namespace platform {

Backend current_backend() {
  const char* name = std::getenv("QORV_BACKEND");
  if (name && std::strcmp(name, "headless") == 0) return Backend::Headless;
  return Backend::Sdl;
}

}  // namespace platform
