#pragma once
// The developer console: a one-line command field over the top of the screen, opened and
// closed with Ctrl + F9 while the developer keys are on. The field and battle draw functions
// run it once a frame (update_console); the window procedure feeds its field while it is open.
#include <cstdint>
#include <string>

class TextInputField;

extern TextInputField* console_field;  // null while closed
extern std::string console_last_line;  // recalled by the Up key

void open_console();
void close_console();
// The console's keys, then its drawing; nothing while it is closed.
void update_console();
void console_input();
void draw_console(const TextInputField* field);

// The first character of text that is neither a space nor a tab.
const char* skip_blanks(const char* text);
// Reads an optionally negative decimal number after blanks (no digits: 0); the value saturates
// at the int range. Returns the position after the number.
const char* read_int_arg(const char* text, int* out);

// Runs one command line (at most 63 bytes are looked at). "fight" and "atk" close the console
// and wait in the queue below, so that no battle starts inside a screen's draw.
void run_console_line(const char* line);
// The battle or ATK command of the last line, run by the frame tick after the frame's draw;
// nothing when none waits.
void run_queued_console_command();
bool console_command_queued();

// The caret's blink: state 0 hidden, 1 shown, and its frame counter.
struct ConsoleCaret {
  int shown = 0;
  int frames = 0;
};
extern ConsoleCaret console_caret;
// Forgets the last line, the caret and any queued command, and closes the console.
void reset_console();
