// The field camera.
#include "field/field_view.h"

FieldView field_view;
Camera field_camera;
