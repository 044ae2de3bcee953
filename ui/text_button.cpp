// Text buttons.
#include "ui/text_button.h"

void del_all_tbutton() {}
