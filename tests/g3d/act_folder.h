#pragma once
// An ACT folder for the animation tests: six kit archives in a fresh current directory, opened
// by the animation cache, and closed again at the end.
#include <map>
#include <string>
#include <vector>

#include "g3d/act_animation.h"
#include "platform/message_box.h"
#include "tests/fixtures/act_kit.h"
#include "tests/fixtures/temp_folder.h"

namespace test_support {

class ActFolder {
 public:
  ActFolder() : dir_(true) {
    Set_3dActPath((dir_.path() / "ACT").string().c_str());
    Act_Memoryer_SetSize(act_default_budget);
    Set_3dActRenderer(nullptr);
    platform::clear_recorded_boxes();
  }
  ~ActFolder() { Close_3dAct(); }

  // Writes the six archives with blocks by ActId and opens them; false when Init_3dAct fails.
  bool open(const std::map<int, std::vector<std::uint8_t>>& blocks) {
    kit::write_act_archives((dir_.path() / "ACT").string(), blocks);
    return Init_3dAct() == 1;
  }
  // One animation of one script (QQ 0) as ActId id.
  bool open_script(int id, const std::string& text) { return open({{id, kit::act_block({kit::act_script(text)})}}); }

  const fixtures::TempFolder& dir() const { return dir_; }
  std::string debug_log() const { return dir_.read("debug.txt"); }

 private:
  fixtures::TempFolder dir_;
};

}  // namespace test_support
