// Least stand-ins of pending.h, one block per piece of work, each removed when it lands.
#include "app/pending.h"
