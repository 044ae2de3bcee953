#pragma once
// The developer views over the 3D scene, shown while the developer keys set their system
// flags: the text panel (8010), role boxes (8104), map note boxes (8105), the edit mode's boxes
// (8053 with 8103 and 8055), collision triangles (8106), wall boxes (8107) and the cell-count
// grid (8101); and the flag editor's full-screen page.

// Every view whose flag is set; every screen draws it last, before the cursor and present.
void draw_debug_info();

// The flag editor's page and cursor: the selected flag is base + 10 x row + column. Its keys
// belong to the developer tools; they keep their values between uses.
extern int flag_editor_base;    // 0-8000, in steps of 100
extern int flag_editor_row;     // 0-9
extern int flag_editor_column;  // 0-9
constexpr int flag_editor_page = 100, flag_editor_last_base = 8000, flag_editor_last_row = 9;
inline int flag_editor_selected() { return flag_editor_base + 10 * flag_editor_row + flag_editor_column; }
// The page of 100 flags with the cursor, then present.
void draw_debug_flags();
