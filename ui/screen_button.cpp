// Screen buttons.
#include "ui/screen_button.h"

void init_button() {}
void show_button() {}
void del_all_button() {}
