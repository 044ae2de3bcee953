// Part textures of one model draw.
#include "g3d/part_textures.h"

#include "g3d/renderer.h"
#include "gfx2d/memoryer.h"

bool show_picture_on_part(G3dPoly* model, unsigned material, const ActInstance& a) {
  if (material >= model->materials.size()) return false;
  TswPic* pic = Memoryer_GetPic(a.resource, a.picture);
  if (!pic || !pic->image) return false;
  const std::uint32_t key = g3d_sprite_texture_key(a.resource, a.picture);
  if (!renderer.get_texture(key, pic->image, pic->size)) return false;
  model->materials[material].tex_no = key;
  return true;
}

void apply_part_textures(G3dPoly* model, const std::uint16_t parts[part_texture_slots],
                         const std::uint16_t acts[part_texture_slots], const std::uint16_t qqs[part_texture_slots],
                         PartTextureSwaps& swaps) {
  for (int i = 0; i < part_texture_slots; ++i) {
    if (acts[i] == 0) continue;
    ActInstance scratch;
    scratch.act = acts[i];
    scratch.qq = qqs[i];
    if (Take_3dActData(&scratch) != 1) continue;
    const unsigned material = parts[i];
    if (material >= model->materials.size()) continue;
    const std::uint32_t kept = model->materials[material].tex_no;
    if (show_picture_on_part(model, material, scratch)) swaps.swaps[swaps.count++] = {material, kept};
  }
}

void restore_part_textures(G3dPoly* model, const PartTextureSwaps& swaps) {
  for (int i = swaps.count - 1; i >= 0; --i) {
    const PartTextureSwaps::Swap& s = swaps.swaps[i];
    if (s.material < model->materials.size()) model->materials[s.material].tex_no = s.key;
  }
}
