#pragma once
// An effect manager: running emitters by id.
class EffectManager {
 public:
  // Deletes every emitter and resets the id counter.
  void clear();
};
