#pragma once
// The training hall's rules: the masters who may teach (the hall's own master first, then the
// idle residents whose spell is not yet learned and fits the hall's level), the changes of
// master with the spell under study, and the party's eight magic slots.
#include <cstdint>

struct HouseRecord;

struct MasterEntry {
  std::int32_t house_kind;  // 17 the hall's own master, else the dwelling's kind
  std::int32_t house_id;
  std::uint16_t monster;    // 0 ends the list
};
constexpr int master_entries = 50;
extern MasterEntry master_list[master_entries];
extern int master_count;
extern int master_slot;

// Rebuilds master_list for the hall picked_house_id names.
void list_masters();
int is_master_unlisted(std::uint16_t monster);
// The house holding entry n's monster (n from 1) with its slot in master_slot, or null.
HouseRecord* find_master_house(int n);
// Entry n becomes the master of the empty hall (1), or the hall has one already (0: the
// caller asks to replace it). A stale entry changes nothing (-1).
int choose_master(int n);
// Entry n replaces the master: 1; when the old master cannot leave, 0 and the hall keeps its
// master and its study. A stale entry: -1, nothing changed.
int replace_master(int n);
// The master goes home and the study is stored: 1 when the hall had one.
int withdraw_master();
// A hall without a study sends its master home: 1 when it did.
int dismiss_idle_master();

// Developer keys. The spell under study is learned at once and the study is emptied (the next
// draw sends the master home): 1, or 0 when the study has no stored node.
int complete_current_study();
// The spell is learned: an unlearned node reaches its goal, a missing one is stored learned.
// 1, or 0 when it was learned already.
int learn_spell(std::uint16_t spell);

// The party's magic slots, packed from slot 0.
int equipped_spell_count();
// 0 when a slot holds the spell; else 1 (stored in the first empty slot, or not at all when
// all eight are full).
int equip_party_magic(std::uint16_t spell);
// 1 after taking the spell out and packing the slots again, 0 when no slot holds it.
int unequip_party_magic(std::uint16_t spell);
