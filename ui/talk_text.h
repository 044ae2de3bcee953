#pragma once
// The text work of message boxes and scripts: replacing a prefix in place, copying a script
// string, putting object and party names into a box's text.
#include <cstddef>

// When the text at `at` starts with pattern, puts replacement in its place, the rest following;
// 1 when replaced. Refused (0, text unchanged) when the result would not fit in room bytes
// (the terminating zero included).
int replace_str(char* at, const char* pattern, const char* replacement, int room);
// Copies a "%Q"-ended script string into dst (dst_size bytes, always terminated, cut on a Big5
// boundary): the bytes consumed including "%Q". -1, reported, at a 0xFFFF word, at the end of
// the source (src_size bytes) or when no "%Q" comes.
int read_script_str(const char* src, std::size_t src_size, char* dst, std::size_t dst_size);
// Every "%T" number "." in text (a box's 512-byte block) becomes the object's name.
void put_item_names(char* text);
// Every default name of party members 0 and 1 becomes the member's current name.
void put_party_names(char* text);
// The names a new game gives members 0 and 1.
extern char party_default_names[2][16];
// The length of a text up to its "%Q" or its zero byte, at most limit.
std::size_t talk_text_length(const char* text, std::size_t limit);
