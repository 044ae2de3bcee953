// The training hall's rules.
#include "base/training_hall.h"

#include <algorithm>
#include <cstdio>

#include "base/base_camp.h"
#include "base/base_top_menu.h"
#include "base/house_kinds.h"
#include "base/houses.h"
#include "base/residents.h"
#include "data/item_data.h"
#include "data/magic_study.h"
#include "data/object_db.h"
#include "data/party.h"

MasterEntry master_list[master_entries] = {};
int master_count = 0;
int master_slot = 0;

namespace {

int slots_of(const HouseRecord* h) { return std::min(h->capacity, house_slot_count); }

HouseRecord* the_hall() {
  HouseRecord* h = find_house(picked_house_id);
  return h && h->kind == house_training ? h : nullptr;
}

std::uint16_t spell_of(std::uint16_t monster) {
  ItemData d{};
  return read_Item(monster, &d) == 1 ? d.teach_spell : 0;
}

void append(int kind, int id, std::uint16_t monster) {
  if (master_count < master_entries) master_list[master_count++] = {kind, id, monster};
}

// The study of the spell: its stored progress, or a fresh one.
void start_study(std::uint16_t spell) {
  if (const MagicStudy* node = find_magic_study(spell)) {
    current_study = *node;
    current_study.next = nullptr;
    return;
  }
  ItemData s{};
  read_Item(spell, &s);
  current_study = MagicStudy{};
  current_study.spell_id = spell;
  current_study.goal = item_study_goal(s);
}

}  // namespace

void list_masters() {
  std::fill(std::begin(master_list), std::end(master_list), MasterEntry{});
  master_count = 0;
  int level = 1;
  if (const HouseRecord* hall = the_hall()) {
    level = hall->level;
    for (int i = 0; i < slots_of(hall); ++i) {
      ItemData d{};
      const std::uint16_t m = hall->residents[i].monster;
      if (m && read_monster(m, &d) && d.teach_spell) append(house_training, hall->id, m);
    }
  }
  for (const auto& h : house_list) {
    if (!is_dwelling_kind(h->kind)) continue;
    for (int i = 0; i < slots_of(h.get()); ++i) {
      const ResidentSlot& s = h->residents[i];
      const std::uint16_t spell = s.monster && !s.link ? spell_of(s.monster) : 0;
      if (!spell) continue;
      const MagicStudy* node = find_magic_study(spell);
      ItemData sd{};
      read_Item(spell, &sd);
      if ((node && node->learned) || !is_master_unlisted(s.monster) || sd.level > level) continue;
      append(h->kind, h->id, s.monster);
    }
  }
}

int is_master_unlisted(std::uint16_t monster) {
  return std::none_of(std::begin(master_list), std::end(master_list),
                      [&](const MasterEntry& e) { return e.monster == monster; });
}

HouseRecord* find_master_house(int n) {
  if (n < 1 || n > master_count) return nullptr;
  const MasterEntry& e = master_list[n - 1];
  HouseRecord* h = find_house(e.house_id);
  for (int i = 0; h && i < slots_of(h); ++i)
    if (h->residents[i].monster == e.monster) {
      master_slot = i;
      return h;
    }
  return nullptr;
}

int choose_master(int n) {
  HouseRecord* home = find_master_house(n);
  HouseRecord* hall = the_hall();
  if (!home || !hall) return -1;
  if (hall->resident_count >= hall->capacity) return 0;
  const std::uint16_t spell = spell_of(home->residents[master_slot].monster);
  assign_worker(hall, home, master_slot);
  const bool stored = find_magic_study(spell) != nullptr;
  start_study(spell);
  if (!stored) add_magic_study(&current_study);
  return 1;
}

int replace_master(int n) {
  HouseRecord* home = find_master_house(n);
  const int slot = master_slot;
  HouseRecord* hall = the_hall();
  if (!home || !hall) return -1;
  if (!release_worker(hall, 1)) {
    // The old master stays, and so does its study.
    std::snprintf(base_tooltip, sizeof base_tooltip, "%s",
                  "\xA5\xE6\xB4\xAB\xA9\xC7\xAA\xAB\xB5\x6F\xA5\xCD\xBF\xF9\xBB\x7E");  // 交換怪物發生錯誤
    return 0;
  }
  const std::uint16_t spell = spell_of(home->residents[slot].monster);
  assign_worker(hall, home, slot);
  add_magic_study(&current_study);
  start_study(spell);
  return 1;
}

int withdraw_master() {
  HouseRecord* hall = the_hall();
  if (!hall || hall->resident_count < hall->capacity) return 0;
  if (release_worker(hall, 1)) compact_slots(hall);
  add_magic_study(&current_study);
  current_study = MagicStudy{};
  return 1;
}

int dismiss_idle_master() {
  HouseRecord* hall = the_hall();
  if (current_study.spell_id || !hall || hall->resident_count < hall->capacity) return 0;
  if (release_worker(hall, 1)) compact_slots(hall);
  return 1;
}

int complete_current_study() {
  if (!current_study.spell_id || !has_magic_study(current_study.spell_id)) return 0;
  current_study.progress = current_study.goal;
  current_study.learned = 1;
  add_magic_study(&current_study);
  current_study = MagicStudy{};
  return 1;
}

int learn_spell(std::uint16_t spell) {
  MagicStudy* node = find_magic_study(spell);
  if (node && node->learned) return 0;
  if (node) {
    node->progress = node->goal;
    node->learned = 1;
  } else {
    ItemData s{};
    read_Item(spell, &s);
    MagicStudy fresh{};
    fresh.spell_id = spell;
    fresh.goal = fresh.progress = item_study_goal(s);
    fresh.learned = 1;
    add_magic_study(&fresh);
  }
  if (current_study.spell_id == spell) current_study = MagicStudy{};
  return 1;
}

int equipped_spell_count() {
  int n = 0;
  while (n < party_magic_slots && party_magic[n].object) ++n;
  return n;
}

int equip_party_magic(std::uint16_t spell) {
  for (int i = 0; i < party_magic_slots; ++i)
    if (party_magic[i].object == spell) return 0;
  for (int i = 0; i < party_magic_slots; ++i)
    if (!party_magic[i].object) {
      party_magic[i].object = spell;
      return 1;
    }
  return 1;
}

int unequip_party_magic(std::uint16_t spell) {
  int at = 0;
  while (at < party_magic_slots && party_magic[at].object != spell) ++at;
  if (!spell || at == party_magic_slots) return 0;
  for (int i = at; i + 1 < party_magic_slots; ++i) party_magic[i] = party_magic[i + 1];
  party_magic[party_magic_slots - 1] = ItemNode{};
  return 1;
}
