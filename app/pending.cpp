// Least stand-ins of pending.h, one block per piece of work, each removed when it lands.
#include "app/pending.h"

// ==== Developer keys and console ============================================================

TextInputField* console_field = nullptr;

int developer_keys_step() { return 0; }
