#pragma once
// Text buttons: the choices inside a message box. The box registers one rectangle per "%B"
// label while it draws it; the player picks one with the mouse, the arrow keys or the joystick;
// screens poll get_tbutton, the talk interpreter reads tbutton_confirmed and tbutton_choice.
#include <cstdint>

struct TextButton {
  std::uint32_t zero = 0;
  int left = 0, top = 0, right = 0, bottom = 0;  // screen pixels, right and bottom exclusive
  TextButton* next = nullptr;
};

extern TextButton lpButton;   // list head; its next is the first button
extern int tbutton_count;
extern int tbutton_choice;     // the highlighted button, 0-based in list order
extern int tbutton_confirmed;  // 1 once a choice was made (also by a cancel)
extern int tbutton_cancelled;  // 1 when the choice was a cancel
extern int tbutton_cancel_allowed;

void add_tbutton(const TextButton* b);
// One frame of button input (the message boxes' input runs it while buttons exist).
void input_tbutton();
// 1 once a choice was made: *out = the button, or -1 after a cancel; the buttons are gone.
// Otherwise 0 with *out = the highlighted button.
int get_tbutton(int* out);
void del_all_tbutton();
void set_tbutton_cancel(int allowed);
