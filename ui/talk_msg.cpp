// Message boxes.
#include "ui/talk_msg.h"

void input_talkmsg() {}
void show_talkmsg() {}
void del_all_talkmsg() {}
