// The equipment, arts and log pages show nothing yet: a cancel key goes back to the page bar.
#include "ui/menu_input.h"
#include "ui/menu_pages.h"
#include "ui/menu_system.h"

namespace {
void back_on_cancel() {
  if (cancel_key()) menu_page = menu_page_bar;
}
}  // namespace

void enter_equip_page() { menu_page = menu_page_equip; }
void leave_equip_page() {}
void input_equip_page() { back_on_cancel(); }
void draw_equip_page(int, int) {}

void enter_arts_page() {}
void leave_arts_page() {}
void input_arts_page() { back_on_cancel(); }
void draw_arts_page(int, int) {}

void enter_log_page() {}
void leave_log_page() {}
void input_log_page() { back_on_cancel(); }
void draw_log_page(int, int) {}
