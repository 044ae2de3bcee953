#pragma once
// Message boxes: the input of every mode, their drawing, and closing them all.
void input_talkmsg();
void show_talkmsg();
void del_all_talkmsg();
