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

// ==== Developer keys and console ============================================================

class TextInputField;  // core/text_input_field.h
extern TextInputField* console_field;
// The developer-key step of a due frame; 1 when it ended the frame's pass (flag editor).
int developer_keys_step();
