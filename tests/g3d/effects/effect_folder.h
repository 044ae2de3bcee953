#pragma once
// A game folder for the effect tests: the ACT folder of act_folder.h, which also holds the
// Effect.dat the kit writes, with the effects' random numbers seeded 1.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "g3d/effects/effect_dat.h"
#include "g3d/effects/effect_random.h"
#include "g3d/effects/particle_emitter.h"
#include "g3d/ply_model.h"
#include "tests/fixtures/byte_writer.h"
#include "tests/fixtures/effect_dat_writer.h"
#include "tests/fixtures/ply_model_kit.h"
#include "tests/g3d/act_folder.h"

namespace test_support {

class EffectFolder : public ActFolder {
 public:
  EffectFolder() {
    effect_srand(1);
    set_effect_path((dir().path() / "ACT").string().c_str());
    set_effect_area(0, 0, 0);
  }
  void write_defs(const std::map<int, EffectDef>& defs, std::size_t cut_to = 0) const {
    const std::vector<std::uint8_t> bytes = kit::effect_dat_file(defs, cut_to);
    dir().write("ACT/Effect.dat", std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }
};

// Particles alive (a life span that is not 0, not dead).
inline int alive(ParticleEmitter& e) {
  int n = 0;
  for (int i = 0; i < e.count; ++i) n += e.particles()[i].life != 0 && !e.particles()[i].dead;
  return n;
}

// A plain definition: count particles of one second, white, streaks.
inline EffectDef plain_def(std::uint16_t count, int continuous) {
  EffectDef d{};
  for (int i = 0; i < 4; ++i) d.start_colour[i] = d.end_colour[i] = 255;
  d.count = count;
  d.life_min = 1.0f;
  d.alpha_start_min = 255;
  d.spread = 180;
  d.rate = 10;
  d.continuous = continuous;
  return d;
}

// A model of points only: one part per tag, its vertex at (10 * tag, 0, 0), moved up by 100 a
// frame in each of frames frames.
inline G3dPoly point_model(const std::vector<int>& tags, int frames) {
  kit::PlyModelSpec m;
  for (int tag : tags) {
    const std::uint32_t first = std::uint32_t(m.vertices.size());
    m.vertices.push_back(kit::make_vertex(10.0f * float(tag), 0, 0));
    m.parts.push_back({std::uint32_t(tag + 1) << 24, first, first + 1});
  }
  for (int f = 0; f < frames; ++f)
    m.frames.push_back(std::vector<G3dMatrix>(tags.size(), kit::translation_matrix(0, 100.0f * float(f), 0)));
  m.box = {{-1000, -1000, -1000, 0}, {1000, 1000, 1000, 0}};
  m.sphere_size = 2000;
  G3dPoly p;
  const std::vector<std::uint8_t> block = kit::ply_block(m);
  g3d_chang_LinerBuf_DrawModel(block.data(), block.size(), &p);
  return p;
}

}  // namespace test_support
