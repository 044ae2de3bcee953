// Scripted role paths.
#include "field/role_path.h"

void run_role_paths() {}
void del_all_role_path() {}
