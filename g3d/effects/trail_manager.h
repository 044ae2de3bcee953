#pragma once
// The trail manager: two ribbon trails per battle unit id, handed out on first use and recycled
// through a queue of free trails.
#include <deque>
#include <map>
#include <memory>

#include "g3d/effects/ribbon_trail.h"

struct TrailEntry {
  std::uint8_t mode = 0;
  RibbonTrail* first = nullptr;
  RibbonTrail* second = nullptr;  // never fed
};

class TrailManager {
 public:
  ~TrailManager();
  // The entry of an id (its first mode kept), made on first use; null while disabled.
  TrailEntry* get_trails(int id, std::uint8_t mode);
  void draw_all();
  // Every entry's trails cleared and returned to the free queue.
  void release_all();
  // release_all, then the free trails deleted (battle end, next battle of a chain).
  void free_all();
  int free_count() const { return int(free_.size()); }

  int enabled = 1;

 private:
  RibbonTrail* take_trail();

  std::map<int, TrailEntry> entries_;
  std::deque<RibbonTrail*> free_;
};

extern TrailManager trail_manager;
