#pragma once
// Talks that the demo scenes (QORV_SCENE) queue for the narrator: a game folder made for the
// scenes, such as the data kit's sample game, writes its merchant's and its summoner's talks
// under these numbers.
#include <cstdint>

constexpr std::uint16_t demo_shop_talk = 12;    // opens the shop
constexpr std::uint16_t demo_summon_talk = 13;  // opens the summoning list
