// The shop's equipment comparison.
#include "ui/shop/shop_compare.h"

#include <cstdio>

#include "core/text_colours.h"
#include "data/object_db.h"
#include "data/role_data.h"
#include "gfx2d/game_fonts.h"
#include "ui/text_draw.h"

namespace {

constexpr std::uint16_t first_piece_kind = 202;
constexpr int piece_kinds = 3;
constexpr int gain_colour = 10, loss_colour = 2, same_colour = 5, worn_colour = 2;

// 攻擊, 防禦, 速度, 仙攻, 仙防
constexpr const char* words[shop_compare_lines] = {"\xA7\xF0\xC0\xBB", "\xA8\xBE\xBFm", "\xB3t\xAB\xD7",
                                                   "\xA5P\xA7\xF0", "\xA5P\xA8\xBE"};
constexpr const char* worn_text = "\xB8\xCB\xB3\xC6\xA4\xA4";  // 裝備中

// The five bonuses of a piece, in the comparison's order.
void bonuses(const ItemData& item, int out[shop_compare_lines]) {
  out[0] = item.attack;
  out[1] = item.defence;
  out[2] = item.speed;
  out[3] = item.magic_attack;
  out[4] = item.magic_defence;
}

}  // namespace

int shop_equip_slot(std::uint16_t kind) {
  return kind >= first_piece_kind && kind < first_piece_kind + piece_kinds ? kind - first_piece_kind : -1;
}

bool shop_compare_equipment(const RoleData& member, const ItemData& piece, int out[shop_compare_lines]) {
  const int slot = shop_equip_slot(piece.kind);
  if (slot < 0 || member.equip[slot] == piece.object_id) return false;
  const RoleStat stats[shop_compare_lines] = {stat_attack, stat_defence, stat_speed, stat_magic_attack,
                                              stat_magic_defence};
  int worn[shop_compare_lines] = {}, wanted[shop_compare_lines];
  ItemData present{};
  if (member.equip[slot] && read_Item(member.equip[slot], &present)) bonuses(present, worn);
  bonuses(piece, wanted);
  for (int k = 0; k < shop_compare_lines; ++k) {
    // The values are 16-bit words, so the new value wraps as the member's record would.
    const std::uint16_t now = member.stats[stats[k]];
    const std::uint16_t then = std::uint16_t(now - worn[k] + wanted[k]);
    out[k] = int(then) - int(now);
  }
  return true;
}

void draw_shop_compare(const RoleData& member, int x, int y, const ItemData& piece) {
  int change[shop_compare_lines];
  if (!shop_compare_equipment(member, piece, change)) {
    if (shop_equip_slot(piece.kind) >= 0)
      draw_text_at(font_16, x + 1, y + 31, worn_text, text_colours[worn_colour], GLYPH_PLAIN);
    return;
  }
  for (int k = 0; k < shop_compare_lines; ++k) {
    char line[32];
    int colour = same_colour;
    if (change[k] > 0) {
      std::snprintf(line, sizeof line, "%s+%3d", words[k], change[k]);
      colour = gain_colour;
    } else if (change[k] < 0) {
      std::snprintf(line, sizeof line, "%s-%3d", words[k], -change[k]);
      colour = loss_colour;
    } else {
      std::snprintf(line, sizeof line, "%s", words[k]);
    }
    draw_text_at(font_12, x, y + 16 * k, line, text_colours[colour], GLYPH_SHADOW);
  }
}
