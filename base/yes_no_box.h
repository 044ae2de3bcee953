#pragma once
// The base's small question box with a yes and a no button (the treasures' order, the training
// hall's replace and withdraw questions): its input and its drawing over a dimmed screen.

enum YesNoAnswer : int { answer_none = 0, answer_yes = 1, answer_no = 2, answer_cancel = 3 };

// One frame of the box at (x, y): the pointer over a button or Left/Right (wrapping, keyboard
// lock) highlight it (choice: 0 yes, 1 no) with the cursor sound; a click answers only on the
// highlighted button (a click on the other ends the frame's input without an answer); Enter or
// Space answers the highlighted one; the cancel keys cancel. The caller plays the answer's sound.
YesNoAnswer input_yes_no_box(int x, int y, int* choice);
// The dimmed screen, the box, the question from (x + text_dx, y + 22) in the 18-pixel font at
// the given advance and the two buttons with the choice highlighted.
void draw_yes_no_box(int x, int y, int text_dx, int advance, const char* question, int choice);
