// The demo scenes "shop" and "summon": the new game's party on an empty field, and the sample
// game's merchant talk (the shop) or its summoning talk (the summoning list) queued for the
// narrator, as a role's talk would queue it.
#include "app/demo_scene.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "data/map_role.h"
#include "data/maps_init.h"
#include "script/talk_queue.h"

namespace {

// The sample game's talks (tests/fixtures/sample_maps.h).
constexpr std::uint16_t merchant_talk = 12;
constexpr std::uint16_t summoning_talk = 13;

// The narrator speaks the boxes; the leader is the controlled role the field asks for.
void place_party() {
  read_maps_init();
  set_flag(flag_member_0);
  gmMapRoleCount = 2;
  gmMapRole[0] = MapRole{};
  gmMapRole[0].RoleID = party_role_first;
  gmMapRole[1] = MapRole{};
  gmMapRole[1].RoleID = 1;
  player_role_index = 1;
}

void queue(std::uint16_t talk) {
  place_party();
  gmTmpTalk = MapRole{};
  gmTmpTalk.RoleID = party_role_first;
  gmTmpTalk.TALK = talk;
  add_talks_proc(&gmTmpTalk);
  GameMode = SavedGameMode = mode_field;
}

}  // namespace

void start_shop_scene() { queue(merchant_talk); }
void start_summon_scene() { queue(summoning_talk); }
