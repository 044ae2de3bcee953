#pragma once
// The map effect list: effects placed on the map, each with its emitter.
void del_all_effect_list();  // deletes every map effect and its emitter
