#pragma once
// The base-building commands of talk scripts (opcodes 350-353): open a top-menu page, glide the
// mouse pointer to a spot, reset the pages, open the build page in a state.
#include <cstdint>

class ScriptCursor;

// BaseTalkResult: the bytes the script advances (4 or 6), 0 while the command must run again
// next frame, 0xFFFF for an opcode that is no base command.
std::uint16_t run_base_talk_cmd(std::uint16_t opcode, ScriptCursor& at);

extern int guide_gliding;
extern std::uint16_t guide_target[2];
void start_guide_glide(int x, int y);
void step_guide_glide();
void reset_base_screens();
