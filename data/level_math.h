#pragma once
// The level rules shared by party characters and monsters.

// The level multiplier: 1.2 for every fifth level from 6 to 60, 1.1 for each from 61 to 96.
inline float level_multiplier(int level) {
  float m = 1.0f;
  for (int t = 6; t < 100 && t <= level; t += 5) m = m * (t > 60 ? 1.1f : 1.2f);
  return m;
}

// 1.02 to the power level + 1, multiplied out in single precision as the game does.
inline float level_hp_factor(int level) {
  float p = 1.02f;
  for (int i = 0; i < level; ++i) p = p * 1.02f;
  return p;
}
