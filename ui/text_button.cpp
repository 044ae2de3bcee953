// Text buttons.
#include "ui/text_button.h"

int tbutton_count = 0;
int tbutton_choice = 0;
int tbutton_confirmed = 0;

void del_all_tbutton() {
  tbutton_count = 0;
  tbutton_choice = 0;
  tbutton_confirmed = 0;
}
