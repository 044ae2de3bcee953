#pragma once
// The later pages of the base camp. The residents page goes back to the overview, the
// workers page to its house's commands, and production, formation and training to the houses
// page on the house they opened.

// Residents page (top-menu page 2).
extern int residents_state;
void reset_residents_screen();
void input_residents_screen();
void draw_residents_screen();
// Workers page (the houses page's workers state).
void reset_idle_list();
void input_workers_screen();
void draw_workers_screen();
// Production (sub-modes 2-5; base/production_screen.h); the recipe key is the workshop's
// place in its family, 1-3.
extern int production_recipe_key;
void input_production_screen();
void draw_production_screen();
// Formation (sub-mode 6).
extern int formation_row, formation_card_toggle;
void reset_formation_selection();
void input_formation_screen();
void draw_formation_screen();
// Magic training (sub-mode 7; base/training_screen.h); TrainingPage 3 is the magic page.
extern int training_page;
