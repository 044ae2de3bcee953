// The map effect list.
#include "g3d/effects/effect_list.h"

#include "g3d/effects/effect_dat.h"

namespace {
std::list<EffectListNode> nodes;
}

EffectDatEmitter* add_effect_list(const EffectListNode* source) {
  EffectListNode& node = nodes.emplace_back();
  node.x = source->x;
  node.y = source->y;
  node.z = source->z;
  node.type = source->type;
  node.spare = source->spare;
  node.emitter.reset(create_effect(node.type, node.x, node.y, node.z));
  return node.emitter.get();
}

void play_effect_list(unsigned ms) {
  for (EffectListNode& node : nodes) {
    if (!node.emitter) continue;
    node.emitter->update(ms);
    node.emitter->draw();
    if (node.emitter->is_finished()) node.emitter.reset();
  }
}

void del_all_effect_list() { nodes.clear(); }

const std::list<EffectListNode>& effect_list() { return nodes; }
