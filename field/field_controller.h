#pragma once
// The field's per-frame input and role update (game mode 0, and every mode value not listed).
void run_field();
// Runs the talk interpreter on each occupied talk queue slot, then the talk timer.
void update_field_roles();

// Walking frames since the last battle; battles, maps without encounters and the map change
// reset it.
extern int encounter_step_count;
