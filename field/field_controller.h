#pragma once
// The field's per-frame input and role update (game mode 0, and every mode value not listed).
void run_field();
// Runs the talk interpreter on each occupied talk queue slot, then the talk timer.
void update_field_roles();
