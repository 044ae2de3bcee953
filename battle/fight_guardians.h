#pragma once
// Called guardians: the formation's escorts that a party character calls into the battle
// (command 8). They stand on the party's side as guests, act through their AI, and go back to
// their formation at the battle's end; one that falls leaves the base for good.
class FightMan;

// The call state of the caller (state 8), once a frame: on the cast's event the guardian joins
// in the next party slot (or the slot of a fallen guardian), and once its fade-in is over the
// caller's turn ends.
void fight_call_guardian(FightMan& caller);
// A called guardian went out: its resident leaves the base, its formation slot is given back,
// and when every guest is a fallen guardian their slots are given up.
void fight_guardian_fell(FightMan& u);
// The pet went out: it stops counting as a guest; called guardians go on counting.
void fight_pet_fell();
// The called guardians leave the battle (ATK scripts); the standing ones go back to their slot.
void fight_dismiss_guardians();
// The battle ends: every standing called guardian goes back to its formation slot with full HP.
void fight_guardians_write_back();
// The number of called guardians (guests that are not the pet) among the party's slots.
int fight_guardians_in_slots();
