// The mouse cursor.
#include "ui/cursor.h"

ActInstance cursor_act;
