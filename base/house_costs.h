#pragma once
// What houses cost: the build and upgrade payments (all or nothing), the refund of a removed
// house, the resource check the pages colour their numbers by, and the count limits.
#include <cstdint>

struct ItemData;

// Per resource (metal, wood, coal, money): 1 where the party has at least the last checked cost.
extern int cost_enough[4];

// Adds half of each cost of the kind's level-1 record, rounded down, to the party's resources.
void refund_house(int kind);
// Pays the record of the kind at the level: 0 and nothing paid when any resource is short.
int pay_house_cost(int kind, int level);
// Sets cost_enough; 1 when all four suffice.
int check_build_cost(const ItemData& costs);
// 1 when the kind is affordable and below its count limit; with show 1 a refusal opens its
// message (the resource message comes before the limit message).
int check_house_limit(int kind, int show);
