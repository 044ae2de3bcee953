// Residents, jobs and the slot rules.
#include "base/residents.h"

#include <algorithm>
#include <utility>

#include "base/base_numbers.h"
#include "base/escort.h"
#include "base/house_kinds.h"
#include "base/houses.h"
#include "data/item_data.h"
#include "data/object_db.h"
#include "sound/sfx_bank.h"
#include "ui/talk_msg.h"

int selected_slot = 0;

namespace {

constexpr int sfx_refused = 39;
constexpr int message_x = 224, message_y = 176, message_h = 64, message_user = 2;

int slots_of(const HouseRecord* h) { return std::clamp(int(h->capacity), 0, house_slot_count); }
bool occupied(const HouseRecord* h, int i) { return h->residents[i].monster != 0; }
bool is_story_character(std::uint16_t monster) {
  ItemData d{};
  return read_Item(monster, &d) == 1 && d.story_flag == 1;
}
void refuse(const char* text, int width) {
  add_txt_msg(message_x, message_y, width, message_h, 0, 0, text, message_user);
  play_sfx(sfx_refused, 1);
}
void empty_slot(HouseRecord* h, int i) {
  h->residents[i].monster = 0;
  h->residents[i].link = 0;
  if (h->kind == house_formation) set_formation_position(h, i, 0);
}
// The slot below the house's capacity that holds the monster and links to the house `id`.
int partner_slot(const HouseRecord* h, std::uint16_t monster, int id) {
  for (int i = 0; i < slots_of(h); ++i)
    if (h->residents[i].monster == monster && h->residents[i].link == std::int8_t(id)) return i;
  return -1;
}
// The dwellings that take new residents.
bool takes_residents(const HouseRecord* h) { return is_dwelling_kind(h->kind) && h->active == 1 && h->placed == 1; }
HouseRecord* first_empty_dwelling_slot(int* slot) {
  for (const auto& h : house_list) {
    if (!takes_residents(h.get())) continue;
    for (int i = 0; i < slots_of(h.get()); ++i)
      if (!occupied(h.get(), i)) {
        *slot = i;
        return h.get();
      }
  }
  return nullptr;
}

// Ends the job of the resident in the dwelling's slot: its workplace slot empties (a formation
// refills its main guard), and the escort records follow.
void release_job(HouseRecord* dwelling, int s) {
  ResidentSlot& slot = dwelling->residents[s];
  if (!slot.link) return;
  if (HouseRecord* work = find_house(slot.link)) {
    const int j = partner_slot(work, slot.monster, dwelling->id);
    if (j >= 0) {
      empty_slot(work, j);
      --work->resident_count;
      if (work->kind == house_formation && (work->resident_count == 1 || !occupied(work, 0))) promote_reserve(work);
    }
    compact_slots(work);
    build_escort_data();
  }
  slot.link = 0;
}

}  // namespace

int formation_position(const HouseRecord* f, int member) {
  return member >= 0 && member + 5 < house_slot_count ? f->residents[member + 5].link : 0;
}

void set_formation_position(HouseRecord* f, int member, int position) {
  if (member >= 0 && member + 5 < house_slot_count) f->residents[member + 5].link = std::int8_t(position);
}

int has_free_resident_slot() {
  int slot = 0;
  return first_empty_dwelling_slot(&slot) ? 1 : 0;
}

int add_resident(std::uint16_t monster) {
  int slot = 0;
  HouseRecord* h = monster ? first_empty_dwelling_slot(&slot) : nullptr;
  if (!h) return 0;
  h->residents[slot].monster = monster;
  ++h->resident_count;
  return 1;
}

int is_resident(std::uint16_t monster) {
  if (!monster) return 0;
  for (const auto& h : house_list) {
    if (!is_dwelling_kind(h->kind)) continue;
    for (int i = 0; i < std::min(int(h->resident_count), slots_of(h.get())); ++i)
      if (h->residents[i].monster == monster) return 1;
  }
  return 0;
}

int del_resident(std::uint16_t monster) {
  if (!monster) return 0;
  for (const auto& h : house_list) {
    if (!is_dwelling_kind(h->kind)) continue;
    for (int i = 0; i < std::min(int(h->resident_count), slots_of(h.get())); ++i) {
      if (h->residents[i].monster != monster) continue;
      release_job(h.get(), i);
      empty_slot(h.get(), i);
      --h->resident_count;
      compact_slots(h.get());
      return 1;
    }
  }
  return 0;
}

int del_guard_resident(int n) {
  HouseRecord* f = nullptr;
  for (int seen = 0; const auto& h : house_list)
    if (h->kind == house_formation && seen++ == n) {
      f = h.get();
      break;
    }
  if (!f || n < 0 || f->capacity < 1 || !f->residents[0].link) return 0;
  const ResidentSlot guard = f->residents[0];
  if (HouseRecord* home = find_house(guard.link)) {
    const int j = partner_slot(home, guard.monster, f->id);
    if (j >= 0) {
      empty_slot(home, j);
      --home->resident_count;
      compact_slots(home);
    }
  }
  empty_slot(f, 0);
  --f->resident_count;
  if (f->resident_count > 0) promote_reserve(f);
  build_escort_data();
  return 1;
}

int expel_resident(HouseRecord* d, int s) {
  if (!d || s < 0 || s >= slots_of(d) || !occupied(d, s)) return 0;
  if (is_story_character(d->residents[s].monster)) {
    refuse("\xBC\x40\xB1\xA1\xA8\xA4\xA6\xE2\xB5\x4C\xAA\x6B\xA7\x52\xB0\xA3!%Q", 270);  // 劇情角色無法刪除!%Q
    return 0;
  }
  release_job(d, s);
  empty_slot(d, s);
  --d->resident_count;
  return 1;
}

int swap_residents(HouseRecord* a, int sa, HouseRecord* b, int sb) {
  if (!a || !b || sa < 0 || sb < 0 || sa >= slots_of(a) || sb >= slots_of(b)) return 0;
  if (!occupied(a, sa) || !occupied(b, sb)) return 0;
  ResidentSlot& ra = a->residents[sa];
  ResidentSlot& rb = b->residents[sb];
  for (const auto& h : house_list) {
    if (ra.link && ra.link == std::int8_t(h->id)) {
      const int j = partner_slot(h.get(), ra.monster, a->id);
      if (j >= 0) h->residents[j].link = std::int8_t(b->id);
    }
    if (rb.link && rb.link == std::int8_t(h->id)) {
      const int j = partner_slot(h.get(), rb.monster, b->id);
      if (j >= 0) h->residents[j].link = std::int8_t(a->id);
    }
  }
  std::swap(ra.monster, rb.monster);
  std::swap(ra.link, rb.link);
  return 1;
}

int swap_with_exile(HouseRecord* d, int s, std::uint16_t* exile) {
  if (!d || s < 0 || s >= slots_of(d) || !occupied(d, s)) return 0;
  if (is_story_character(d->residents[s].monster)) {
    refuse("\xBC\x40\xB1\xA1\xA8\xA4\xA6\xE2\xB5\x4C\xAA\x6B\xAC\x79\xA9\xF1!%Q", 230);  // 劇情角色無法流放!%Q
    return 0;
  }
  if (!exile || !*exile) return 0;
  release_job(d, s);
  const std::uint16_t old = d->residents[s].monster;
  d->residents[s].monster = *exile;
  d->residents[s].link = 0;
  *exile = old;
  return 1;
}

void assign_worker(HouseRecord* work, HouseRecord* d, int s) {
  if (!work || !d || s < 0 || s >= slots_of(d)) return;
  for (int i = 0; i < slots_of(work); ++i) {
    if (occupied(work, i)) continue;
    d->residents[s].link = std::int8_t(work->id);
    work->residents[i].monster = d->residents[s].monster;
    work->residents[i].link = std::int8_t(d->id);
    ++work->resident_count;
    return;
  }
}

int release_worker(HouseRecord* work, int n) {
  if (!work || n < 1 || n > slots_of(work) || !occupied(work, n - 1)) {
    play_sfx(sfx_no_worker, 1);
    return 0;
  }
  const ResidentSlot worker = work->residents[n - 1];
  empty_slot(work, n - 1);
  --work->resident_count;
  if (!worker.link) {
    play_sfx(sfx_no_worker, 1);
    return 0;
  }
  HouseRecord* home = find_house(worker.link);
  const int j = home ? partner_slot(home, worker.monster, work->id) : -1;
  if (j < 0) return 0;
  home->residents[j].link = 0;
  return 1;
}

void compact_slots(HouseRecord* h) {
  const int n = slots_of(h);
  for (int i = 0; i < n; ++i) {
    if (occupied(h, i)) continue;
    if (i + 1 == n || !occupied(h, i + 1)) return;
    h->residents[i].monster = h->residents[i + 1].monster;
    h->residents[i].link = h->residents[i + 1].link;
    if (h->kind == house_formation) set_formation_position(h, i, formation_position(h, i + 1));
    empty_slot(h, i + 1);
  }
}

int promote_reserve(HouseRecord* f) {
  const int n = slots_of(f);
  if (n < 1 || occupied(f, 0)) return 0;
  for (int i = 1; i < n; ++i) {
    if (!occupied(f, i) || (i + 1 < n && occupied(f, i + 1))) continue;
    f->residents[0].monster = f->residents[i].monster;
    f->residents[0].link = f->residents[i].link;
    set_formation_position(f, 0, 1);
    empty_slot(f, i);
    return 1;
  }
  return 0;
}

HouseRecord* nth_idle_resident(int n) {
  for (const auto& h : house_list) {
    if (!is_dwelling_kind(h->kind)) continue;
    for (int i = 0; i < slots_of(h.get()); ++i)
      if (occupied(h.get(), i) && !h->residents[i].link && --n == 0) {
        selected_slot = i;
        return h.get();
      }
  }
  return nullptr;
}

void population_count(int* capacity, int* residents, int* idle) {
  for (const auto& h : house_list) {
    if (!is_dwelling_kind(h->kind)) continue;
    *capacity += h->capacity;
    for (int i = 0; i < slots_of(h.get()); ++i) {
      if (!occupied(h.get(), i)) continue;
      ++*residents;
      if (!h->residents[i].link) ++*idle;
    }
  }
}
