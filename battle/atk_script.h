#pragma once
// ATK action scripts (ATK.gll).
void open_fight_atk_data();
void free_fight_atk_data();
