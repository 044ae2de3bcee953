#pragma once
// The error log and the trace: debug.txt in the game directory, deleted at every start.
namespace platform { struct Window; }

// The caption of the system's error boxes, "錯誤".
constexpr const char* error_caption = "\xBF\xF9\xBB\x7E";

extern int error_log_switch;  // 1: report_error appends to debug.txt; 0: message box

void reset_debug_log(platform::Window* owner);
void set_error_log_switch(int on);
// Formats into at most 255 bytes (cut on a Big5 character boundary) and appends "%s \n".
void report_error(const char* format, ...) __attribute__((format(printf, 1, 2)));
void log_trace(const char* format, ...) __attribute__((format(printf, 1, 2)));
