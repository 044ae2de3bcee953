#pragma once
// The new-game reset: clears the whole game state (run by the title's entry and by loading).
void reset_game();
