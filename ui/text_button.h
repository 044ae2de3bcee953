#pragma once
// Text buttons made from a message box's markup.
void del_all_tbutton();
