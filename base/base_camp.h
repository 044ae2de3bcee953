#pragma once
// The base camp, game mode 10.
void input_base_camp();
void run_base_camp_talks();
void draw_base_camp();
// Sets the base camp up after the menu's entry made mode 10 current. Until the base camp is
// built it hands back at once: GameMode returns to SavedGameMode (the menu).
void enter_base_camp();
