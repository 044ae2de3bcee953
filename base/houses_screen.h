#pragma once
// The houses page (top-menu page 3): every house sorted by kind and label, the highlighted
// house's details and its commands (production, workers, formation, training, magic, upgrade,
// demolish). The sub-screens come back here through open_houses_on.
#include <cstdint>

struct HouseRecord;

enum HousesState : int { houses_list = 0, houses_commands = 1, houses_workers = 2, houses_demolish = 3, houses_upgrade = 4 };
extern int houses_state;
extern int selected_house_id;
extern int house_command;
extern int house_command_count;
struct HouseCommand {
  std::uint16_t icon, name;
};
extern HouseCommand house_commands[6];
extern int upgrade_running;
extern const char* const house_command_names[7];

void input_houses_screen();
void draw_houses_panel();
void open_houses_on(int id);
void houses_tooltip();
void clear_house_commands();
// The commands of a kind into house_commands and house_command_count.
void fill_house_commands(int kind);
// The rules of demolishing and upgrading the highlighted house (the page's boxes call them).
void demolish_selected_house();
void upgrade_selected_house();
