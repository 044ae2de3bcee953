#pragma once
// The entry points of the menu's equipment, arts and log pages, as the menu frame calls them.
// The items page is ui/menu/menu_items.h, the system page ui/menu/menu_system_page.h.

// Equipment page (menu page 2). enter_equip_page sets menu_page itself; leave_equip_page puts
// back into the bag whatever the page took out of it and is safe to call at any time (the frame
// calls it whenever the menu is left and whenever a page-bar entry is clicked).
void enter_equip_page();
void leave_equip_page();
void input_equip_page();
void draw_equip_page(int x, int y);

// Arts page (menu page 3). leave_arts_page is safe to call at any time (the frame calls it
// whenever a page-bar entry is clicked).
void enter_arts_page();
void leave_arts_page();
void input_arts_page();
void draw_arts_page(int x, int y);

// Log page (menu page 6).
void enter_log_page();
void leave_log_page();
void input_log_page();
void draw_log_page(int x, int y);
