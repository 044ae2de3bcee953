// The trail manager.
#include "g3d/effects/trail_manager.h"

TrailManager trail_manager;

TrailManager::~TrailManager() { free_all(); }

RibbonTrail* TrailManager::take_trail() {
  if (free_.empty()) return new RibbonTrail;
  // A recycled trail keeps the points and colour of its last use.
  RibbonTrail* t = free_.front();
  free_.pop_front();
  return t;
}

TrailEntry* TrailManager::get_trails(int id, std::uint8_t mode) {
  if (!enabled) return nullptr;
  auto it = entries_.find(id);
  if (it != entries_.end()) return &it->second;
  TrailEntry& e = entries_[id];
  e.mode = mode;
  e.first = take_trail();
  e.second = take_trail();
  return &e;
}

void TrailManager::draw_all() {
  for (auto& [id, e] : entries_) {
    if (!e.first->is_empty()) e.first->draw(e.mode);
    if (!e.second->is_empty()) e.second->draw(e.mode);
  }
}

void TrailManager::release_all() {
  for (auto& [id, e] : entries_) {
    for (RibbonTrail* t : {e.first, e.second}) {
      t->clear();
      free_.push_back(t);
    }
  }
  entries_.clear();
}

void TrailManager::free_all() {
  release_all();
  for (RibbonTrail* t : free_) delete t;
  free_.clear();
}
