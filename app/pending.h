#pragma once
// Least stand-ins for operations of subsystems 1 to 3 whose own work has not landed yet, with
// their final names and signatures, so that start-up, the frame tick and shut-down already call
// them. Each block belongs to one piece of work; it deletes its block here (and in pending.cpp)
// when it lands, and its callers include its own header instead.
#include <cstdint>

#include "gfx2d/cddraw.h"
#include "platform/events.h"

namespace platform {
struct Instance;
}  // namespace platform
