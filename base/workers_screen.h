#pragma once
// The workshop workers page (the houses page's workers state): the idle residents of the
// dwellings, the workshop's workers as cards, its four skill totals and a preview of the
// totals after the pending assignment, removal or exchange. The workshop is the house
// selected_house_id names.
struct HouseRecord;

enum WorkerSubstate : int { workers_choose = 0, workers_remove = 1, workers_exchange = 2 };
extern int worker_substate;
extern int idle_count;
extern int residents_top;  // first visible idle resident (the residents list's word)
extern int residents_row;  // 0 the "退出配置" row, 1-12 the visible idle residents
extern int worker_slot;    // 1-based highlighted worker card
extern int skill_preview[4];

// The workshop's skill totals rebuilt as the sums of its readable workers' skills.
void sum_workshop_skills(HouseRecord* workshop);
// idle_count recounted.
int count_idle_residents();
// skill_preview for the pending change: the totals, plus the highlighted idle resident's
// skills while choosing or exchanging, minus the highlighted worker's while removing or
// exchanging.
void update_skill_preview(const HouseRecord* workshop);
// The page's three actions on the highlighted idle resident and worker card. A row that names
// no idle resident any more is refused with sound 39 and changes nothing.
void take_idle_resident(HouseRecord* workshop);
void remove_highlighted_worker(HouseRecord* workshop);
void exchange_highlighted_worker(HouseRecord* workshop);
