// Seeds for the script targets: assembled talk bodies, the sample game's talk files and AI.gll.
#include "fuzz/seeds.h"
#include "tests/fixtures/sample_scripts.h"
#include "tests/fixtures/script_assembler.h"

namespace {
using namespace fixtures;
using Seeds = std::vector<std::pair<std::string, fuzz_seeds::Bytes>>;

// A talk seed: three control bytes (confirmation rhythm, button, clock step), then the body.
Bytes talk_seed(std::uint8_t confirm, std::uint8_t choice, const Bytes& body) {
  Bytes out{confirm, choice, 5};
  append(out, body);
  return out;
}

void talk_seeds(Seeds& seeds) {
  seeds.emplace_back("story.bin", talk_seed(3, 1, assemble_talk(sample_story_source)));
  seeds.emplace_back("flow.bin", talk_seed(0, 0, assemble_talk(R"(
    set_flag 600; 4 {600 601} @a; 5 {600} @a; a: timed_wait 20; set_timer 5 7
    89 [@b @c]; b: clear_flags 1 700; c: jump_if_set 600 @d; d: 59 1; 58 1; end)")));
  seeds.emplace_back("boxes.bin", talk_seed(1, 2, assemble_talk(R"(
    box_colour 255 1 2 3; box_frame 1 2; char_spacing 2; line_spacing 3; text_colour 5
    message_box 1001 10 1 2 3 4 5 6 7 1 "\xA4\x40%B1.%B2."; choice [@x @y]; x: close_box 1001
    y: wait_box 1001; 350 1; 351 1 2; 103 "name"; 202 {1 2 3}; end)")));
}

void ai_seeds(Seeds& seeds) {
  for (const auto& [name, bytes] : sample_script_files())
    if (name == "AI.gll") seeds.emplace_back("sample_ai.gll", bytes);
  seeds.emplace_back("battle_ai.gll", ai_gll_image({
      {1, assemble_ai("side 1; criterion 5; act 1; restart")},
      {2, assemble_ai("500 [30L @a 70L @b]; a: 501 50 @b; b: 410 50; 403 3; 502 1 @c; c: 413 9; end")},
      {3, assemble_ai("nothing; timed_wait 3; set_speed 9; walk_frames 90 3 2L; wait_path; park")},
      {4, assemble_ai("17 1001 5 1 2 3 4 5 6 7 1 \"hi\"; 18 255 1 2 3; 19 9 9; wait_box; 414 1 2; 415; 416 1 2; 417; 418 0; act 8")},
  }));
}

void file_seeds(Seeds& seeds) {
  for (const auto& [name, bytes] : sample_script_files()) seeds.emplace_back(name, bytes);
}

QORV_FUZZ_SEEDS("talk_script", talk_seeds);
QORV_FUZZ_SEEDS("ai_script", ai_seeds);
QORV_FUZZ_SEEDS("script_files", file_seeds);

}  // namespace
