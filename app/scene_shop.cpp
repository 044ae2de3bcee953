// The demo scenes "shop" and "summon": the new game's party on an empty field, and the sample
// game's merchant talk (the shop) or its summoning talk (the summoning list) queued for the
// narrator, as a role's talk would queue it. At shut-down each writes what the visit left behind
// into debug.txt: the money, the bag and the leader's equipment; the eggs, the first summon
// entry and the residents.
#include "app/demo_scene.h"
#include "base/residents.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/log.h"
#include "data/item_list.h"
#include "data/map_role.h"
#include "data/maps_init.h"
#include "data/party.h"
#include "script/demo_talks.h"
#include "script/talk_queue.h"
#include "ui/summon/summon.h"

namespace {

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

void start_shop_scene() { queue(demo_shop_talk); }
void start_summon_scene() { queue(demo_summon_talk); }

void finish_shop_scene() {
  log_trace("shop scene: money %d", int(party_money));
  for (const ItemNode* n = party_bag.next; n; n = n->next)
    log_trace("shop scene: bag %u x %d", unsigned(n->object), n->count + n->new_count);
  const RoleData& leader = gmRoleData[0];
  log_trace("shop scene: member 0 wears %u %u %u", unsigned(leader.equip[0]), unsigned(leader.equip[1]),
            unsigned(leader.equip[2]));
}

void finish_summon_scene() {
  log_trace("summon scene: eggs %d", get_item_num(&party_bag, summon_egg_object));
  SummonEntry e;
  if (summon_entry(0, &e))
    log_trace("summon scene: entry 0 flag %u monster %u cost %u", unsigned(e.flag), unsigned(e.monster),
              unsigned(e.cost));
  int capacity = 0, residents = 0, idle = 0;
  population_count(&capacity, &residents, &idle);
  log_trace("summon scene: residents %d", residents);
}
