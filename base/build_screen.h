#pragma once
// The build page (top-menu page 1): the list of kinds that may be built with their costs, the
// placing of a new house over the build grid with a live fit test, and the confirmation that
// pays, marks the cells and starts the construction.
#include "g3d/effects/particle_emitter.h"

struct HouseRecord;

enum BuildState : int { build_list = 0, build_placing = 1, build_confirm = 2 };
extern int build_state;
extern int build_list_count;
extern int build_list_top;
extern int selected_kind;
extern int confirm_choice;
extern int placement_ok;
extern int build_minimap_on;
extern float build_site[4];
extern ParticleEmitter* build_dust;

void input_build_screen();
void draw_build_list_panel();
void draw_build_list_rows();
void draw_build_confirm();
void draw_free_cells();
void draw_build_minimap();
// The fit test of the house being placed, with its footprint drawn blue (fits) or red.
void check_house_placement(HouseRecord* house);
void begin_house_placing();
void pick_build_cell(HouseRecord* house, int mouse_x, int mouse_y);
void draw_house_footprint(const HouseRecord* house, int r, int g, int b);
void draw_cell_quad(int row, int col, int alpha, int r, int g, int b);
void build_placing_tooltip();
void open_build_page(int state, int row);
// 1 when every footprint cell of the house lies on a free grid cell.
int house_fits(const HouseRecord* house);
// The list's scroll steps, shared with the houses page (count rows, top and list_row).
void scroll_list_up(int* top);
void scroll_list_down(int* top, int count);
void page_list_up(int* top);
void page_list_down(int* top, int count);
// The scroll bar's click: 1 when it acted (sound 32 played).
int click_scroll_bar(int x, int y, int* top, int count);
