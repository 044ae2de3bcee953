// build.DAT.
#include "base/build_data.h"

void open_build_data() {}
void close_build_data() {}
