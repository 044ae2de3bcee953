// The field settings a talk's end restores, in their least form.
#include "field/talk_view.h"

FixedEye fixed_eye;
RunMode run_mode;
