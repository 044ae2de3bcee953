// The equipment, arts and log pages do nothing yet: the frame opens them and their cancel keys
// are the frame's own.
#include "ui/menu_pages.h"

void enter_equip_page() {}
void leave_equip_page() {}
void input_equip_page() {}
void draw_equip_page(int, int) {}

void enter_arts_page() {}
void leave_arts_page() {}
void input_arts_page() {}
void draw_arts_page(int, int) {}

void enter_log_page() {}
void leave_log_page() {}
void input_log_page() {}
void draw_log_page(int, int) {}
