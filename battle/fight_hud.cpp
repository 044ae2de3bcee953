// The battle HUD in its least form: the words the engine sets, nothing drawn.
#include "battle/fight_hud.h"

int hud_visible = 1;
int hud_refresh = 0;

void set_hud_visible(int on) { hud_visible = on; }
void fight_hud_draw(int, int) {}

#include "battle/fight_action.h"

void talisman_gain(std::uint16_t side_bits, std::uint8_t element, std::uint8_t count) {
  if (!(side_bits & 1)) return;
  if (talisman_gauge_element != element) talisman_gauge_element = element, talisman_gauge_count = 0;
  talisman_gauge_count = std::uint8_t(talisman_gauge_count + count);
}
