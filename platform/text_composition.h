#pragma once
// The host's text input and input method: on while a text field is open, so that typed and
// composed text arrives as window messages; off otherwise, so that no input method pops up over
// the game while keys only move and act.
namespace platform {

// Turns text input on or off for the program's window; nothing when no window shows.
void set_text_composition(bool on);

}  // namespace platform
