// The developer console, in its least form: never open.
#include "core/dev_console.h"

void update_console() {}
