#include "fuzz/seeds.h"
#include "tests/fixtures/act_kit.h"
#include "tests/fixtures/sample_models.h"

namespace {
void write(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  for (const auto& [id, block] : kit::sample_act_blocks()) seeds.emplace_back("sample_" + std::to_string(id), block);
  seeds.emplace_back(
      "every_opcode",
      kit::act_block({kit::act_script("BX 1 2 3 4 5 6 7 8; CA 1 2 3; CD 4 5 6; CO 1 2 3 4; CP 1 2 3; DP 4 5 6; "
                                      "FX 2; TP 1; SI 0 0 256 256 64 64; SP 5; VX; RE 2 0 1 9 12 3 4; RF 5; RT 1 2 3; "
                                      "SC 1 2 3; SD 2; TA 9; TX 1 2 3 4; WV 9; 100; 101; 102; 103; 104; PA 1; ED; "
                                      "LP 0 3 2; PA 2; ED; PA 3; ED; O2"),
                      kit::act_script("LP 2 4 0xFFFF; PA 1; ED; PA 2; ED; PA 3; ED; PA 4; ED; OV")}));
}
QORV_FUZZ_SEEDS("act_entry", write);
}  // namespace
