// The view zoom values.
#include "g3d/view_zoom.h"

float view_scale = 10.0f;
float view_far = 10000.0f;
