// The items page's actions: using an item, the field items, discarding, tidying, the save item
// and the placement list.
#include <cmath>

#include "battle/fame.h"
#include "battle/fight.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "data/encounters.h"
#include "data/item_list.h"
#include "data/map_role.h"
#include "data/maps_lookups.h"
#include "data/party.h"
#include "data/role_rows.h"
#include "field/field_controller.h"
#include "field/map_file.h"
#include "field/minimap.h"
#include "field/role_move.h"
#include "field/world_map.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/particle_emitter.h"
#include "script/talk_queue.h"
#include "sound/sfx_bank.h"
#include "ui/menu/item_recovery.h"
#include "ui/menu/menu_items_parts.h"
#include "ui/menu/menu_numbers.h"
#include "ui/menu/menu_system.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"
#include "ui/ui_numbers.h"

namespace {

// "現在無法使用!!%Q"
constexpr const char* not_now_text = "\xb2{\xa6""b\xb5L\xaak\xa8\xcf\xa5\xce!!%Q";
// "目前不需要恢復!!%Q"
constexpr const char* nobody_needs_text = "\xa5\xd8\xab""e\xa4\xa3\xbb\xdd\xadn\xab\xec\xb4_!!%Q";
// "等級已到上限!!%Q"
constexpr const char* top_level_text = "\xb5\xa5\xaf\xc5\xa4w\xa8\xec\xa4W\xad\xad!!%Q";
// "此角色並不需要恢復!!%Q"
constexpr const char* member_fine_text = "\xa6\xb9\xa8\xa4\xa6\xe2\xa8\xc3\xa4\xa3\xbb\xdd\xadn\xab\xec\xb4_!!%Q";
// "此物品無法丟棄!!%Q"
constexpr const char* undiscardable = "\xa6\xb9\xaa\xab\xab~\xb5L\xaak\xa5\xe1\xb1\xf3!!%Q";
// "閒置中 要使用嗎? %B確定./%B放棄.%Q"
constexpr const char* idle_question =
    "\xb6\xa2\xb8m\xa4\xa4 \xadn\xa8\xcf\xa5\xce\xb6\xdc? %B\xbdT\xa9w./%B\xa9\xf1\xb1\xf3.%Q";
// "使用中 要回收嗎? %B確定./%B放棄.%Q"
constexpr const char* recall_question =
    "\xa8\xcf\xa5\xce\xa4\xa4 \xadn\xa6^\xa6\xac\xb6\xdc? %B\xbdT\xa9w./%B\xa9\xf1\xb1\xf3.%Q";

constexpr std::uint32_t placement_marker_colour = 0xFFFF0000;

MapRole* leader() {
  if (player_role_index < 0 || player_role_index >= gmMapRoleCount) return nullptr;
  return &gmMapRole[player_role_index];
}

// Every success but the travel item's takes the piece.
int consume(std::uint16_t object) {
  play_sfx(sfx_use_effect, 1);
  if (item_tab == 0) set_item_new_first(1);
  del_item(&party_bag, object, 1);
  refresh_item_list();
  item_list.top_item = item_list.cursor_row = 0;
  item_use_lock = 1;
  return 1;
}

int use_story_item() {
  std::uint16_t talk = 0;
  if (!read_maps_group_talk(map_record.map_number, &talk) || test_flag(flag_story_item_off)) {
    refuse_item(not_now_text, 200);
    return 0;
  }
  queue_story_talk(talk);
  play_sfx(sfx_leave_for_story, 1);
  return consume(object_story_item);
}

int use_travel_item() {
  // The cheap tests first, so that a refused use leaves the world map's item mode alone.
  if (test_flag(flag_travel_item_off) || !(map_record.map_flags & map_outdoor) || !set_game_map_item_mode(1)) {
    refuse_item(not_now_text, 200);
    return 0;
  }
  leave_for_world_map();
  play_sfx(sfx_leave_for_story, 1);
  return 1;  // the world map takes the piece on arrival
}

int use_battle_item() {
  MapRole* role = leader();
  const std::uint16_t battle = role ? roll_encounter(role, encounter_step_count, 1) : 0;
  if (battle == 0) {
    refuse_item(not_now_text, 200);
    return 0;
  }
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  SFLB_Call_Fight(battle);
  return consume(object_battle_item);
}

int use_on_members(const ItemNode& node) {
  if (menu_party_count == 0) return 0;
  if (item_targets_all(node.item)) {
    int changed = 0;
    for (int i = 0; i < menu_party_count; ++i) changed |= apply_item_to_member(menu_party[i], &node.item);
    if (!changed) {
      refuse_item(nobody_needs_text, 240);
      return 0;
    }
    for (int i = 0; i < menu_party_count; ++i) show_use_effect(i);
  } else {
    if (menu_party_target < 0 || menu_party_target >= menu_party_count) menu_party_target = 0;
    if (!apply_item_to_member(menu_party[menu_party_target], &node.item)) {
      refuse_item(node.object == object_level_up_item ? top_level_text : member_fine_text, 240);
      return 0;
    }
    show_use_effect(menu_party_target);
  }
  return consume(node.object);
}

void recall_placed_role(std::uint16_t id) {
  set_maps_role_state(id, 1, 1);
  const std::uint16_t index = find_role(id);
  if (index != 0xFFFF) gmMapRole[index].STATE |= 1;
  minimap.RemoveMarker(id);
}

void place_role(int n, std::uint16_t id) {
  const MapRole* l = leader();
  if (!l) return;
  const float dir = std::fmod(l->DIR, 360.0f);
  set_maps_role_map(id, map_record.map_number);
  set_maps_role_xyz(id, l->X, l->Y + 5, l->Z);
  set_maps_role_state(id, 1, 0);
  set_maps_role_dir(id, dir);
  minimap.AddMarker(id, placement_marker_colour, l->X, l->Z, dir, 5, 0);
  minimap.SetMarkerLabel(id, n + 1);
  const std::uint16_t index = find_role(id);
  if (index == 0xFFFF) {
    add_maps_role(map_record.map_number, id);
  } else {
    MapRole& r = gmMapRole[index];
    r.X = l->X;
    r.Y = l->Y + 5;
    r.Z = l->Z;
    r.DIR = dir;
    r.STATE &= ~1u;
  }
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
}

}  // namespace

void refuse_item(const char* text, int y) {
  del_all_talkmsg();
  add_time_msg(320, y, 0, 100, text, 0);
  play_sfx(sfx_refuse, 1);
}

const char* undiscardable_text() { return undiscardable; }

void show_use_effect(int index) {
  if (index < 0 || index >= 3) return;
  const int x = menu_card_tweens[index].get_x(), y = menu_card_tweens[index].get_y();
  int id = 0;
  if (ParticleEmitter* e = menu_effects().add(use_effect_type, float(x + 100), float(y + 70), 0, &id)) e->start();
  play_sfx(sfx_use_effect, 1);
}

int use_item() {
  switch (item_used_object) {
    case object_story_item:
      return use_story_item();
    case object_travel_item:
      return use_travel_item();
    case object_battle_item:
      return use_battle_item();
    default:
      break;
  }
  const ItemNode* node = find_item(&party_bag, item_used_object);
  return node && node->object != 0 ? use_on_members(*node) : 0;
}

void discard_item() {
  const ItemNode* node = selected_item_node();
  if (!node) return;
  if (node->item.kind == object_type_story) {
    refuse_item(undiscardable, 240);
    return;
  }
  const std::uint16_t object = node->object;
  if (item_tab == 0) set_item_new_first(1);
  treasure_event(8, std::uint16_t(node->item.price), 0);
  set_item_move_front(0);
  del_item(&party_bag, object, 1);
  set_item_move_front(1);
  keep_cursor_in_list();
}

void tidy_items() {
  sort_item_list(&party_bag);
  merge_new_items(&party_bag);
}

void consume_save_item() {
  if (!item_save_mark) return;
  del_item(&party_bag, object_save_item, 1);
  item_save_mark = 0;
  keep_cursor_in_list();
}

void leave_for_world_map() {
  // The world-map place of each town map.
  struct TravelPlace {
    std::uint16_t map, place;
  };
  static constexpr TravelPlace travel_places[] = {{12001, 3818}, {12002, 3819}, {12003, 3820}, {12005, 3821},
                                                  {12006, 3822}, {12007, 3823}, {12004, 3824}};
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  for (const TravelPlace& p : travel_places)
    if (p.map == map_record.map_number) enter_game_map(p.place);
}

void queue_story_talk(std::uint16_t talk) {
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  gmTmpTalk = MapRole{};
  if (const MapRole* l = leader()) {
    gmTmpTalk.RoleID = l->RoleID;
    gmTmpTalk.X = l->X;
    gmTmpTalk.Y = l->Y;
    gmTmpTalk.Z = l->Z;
  } else {
    gmTmpTalk.RoleID = party_role_first;
  }
  gmTmpTalk.TALK = talk;
  add_talks_proc(&gmTmpTalk);
}

void answer_placement(int n, int answer, int recall) {
  if (answer != 0 || n < 0) return;
  const std::uint16_t id = std::uint16_t(placement_role_first + n);
  if (recall)
    recall_placed_role(id);
  else
    place_role(n, id);
}

void placement_step() {
  if (placement_answered) {
    placement_answered = 0;
    answer_placement(placement_cursor, placement_answer, placement_recall);
    placement_recall = 0;
    return;
  }
  if (tbutton_count > 0 || placement_rows <= 0) return;
  const std::uint16_t id = std::uint16_t(placement_role_first + placement_cursor);
  const bool idle = (get_maps_role_state(id) & 1) != 0;
  placement_recall = idle ? 0 : 1;
  del_all_talkmsg();
  set_tbutton_cancel(1);
  add_txt_msg(250, 100, 340, 64, 0, 0, idle ? idle_question : recall_question, 2);
  grp_input.set_mouse_pos(488, 134);
}
