#include "data/magic_study.h"

#include <cstring>
#include <new>

#include "core/mem_mgr.h"

MagicStudy* gmMagicStudy = nullptr;
int gmMagicStudyCount = 0;
MagicStudy current_study = {};

void magic_study_to_image(const MagicStudy& record, std::span<std::uint8_t, magic_study_image_size> out) {
  record_image::write_image(record, out);
}

void magic_study_from_image(std::span<const std::uint8_t, magic_study_image_size> in, MagicStudy& record) {
  record_image::read_image(in, record);
  record.next = nullptr;
}

MagicStudy* find_magic_study(std::uint16_t spell) {
  for (MagicStudy* m = gmMagicStudy; m; m = m->next)
    if (m->spell_id == spell) return m;
  return nullptr;
}

int has_magic_study(std::uint16_t spell) { return find_magic_study(spell) ? 1 : 0; }

MagicStudy* add_magic_study(const MagicStudy* rec) {
  if (!rec || rec->spell_id == 0) return nullptr;
  MagicStudy* m = find_magic_study(rec->spell_id);
  if (!m) {
    void* mem = MemMgr_Alloc(static_cast<int>(sizeof(MagicStudy)));
    if (!mem) return nullptr;
    std::memset(mem, 0, sizeof(MagicStudy));
    m = new (mem) MagicStudy{};
    m->next = gmMagicStudy;
    gmMagicStudy = m;
    ++gmMagicStudyCount;
  }
  m->spell_id = rec->spell_id;
  m->progress = rec->progress;
  m->goal = rec->goal;
  m->learned = rec->learned;
  return m;
}

std::uint16_t get_magic_study_id(int n) {
  MagicStudy* m = gmMagicStudy;
  for (int i = 0; m && i < n; ++i) m = m->next;
  return n >= 0 && m ? m->spell_id : 0;
}

void free_magic_study() {
  while (gmMagicStudy) {
    MagicStudy* next = gmMagicStudy->next;
    MemMgr_Free(gmMagicStudy);
    gmMagicStudy = next;
  }
  gmMagicStudyCount = 0;
}
