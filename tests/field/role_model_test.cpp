// A role's model draw: the QQ it asked for once its animation finishes, the weapon at the model
// point tagged 0 and what a failed weapon animation stops, and face overrides that name a
// material the model lacks.
#include <gtest/gtest.h>

#include <string>

#include "core/log.h"
#include "data/map_role.h"
#include "field/map_file.h"
#include "field/role_draw.h"
#include "tests/fixtures/sample_effects.h"
#include "tests/g3d/act_folder.h"
#include "tests/g3d/draw_fixture.h"
#include "tests/g3d/model_folder.h"

namespace {

constexpr std::uint16_t missing_act = 4444;
// The weapon report, "[角色7][武器ACT:4444 QQ:0]...", for RoleID 7 and ACT 4444.
const std::string weapon_report = "[\xA8\xA4\xA6\xE2" "7][\xAAZ\xBE\xB9" "ACT:4444 QQ:0]";

class RoleModel : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    set_error_log_switch(1);
    map_record = MapRecord{};
    models_.write_indexes();
    models_.write_model(kit::sample_rig_model, kit::ply_file(kit::camera_rig_model(10001)));
    ASSERT_EQ(SFLB_InitPolyMemory(), 1);
    // One frame, then the animation has finished.
    ASSERT_TRUE(acts_.open_script(kit::sample_rig_act, "RF 3005; TP 0; PA 0; ED; O2"));
    role_ = MapRole{};
    role_.RoleID = 7;
    role_.anim.act = kit::sample_rig_act;
    for (int t = 0; t < 4 && !(role_.anim.state & act_state_finished); ++t) Take_3dActData(&role_.anim);
    ASSERT_NE(role_.anim.state & act_state_finished, 0);
    ASSERT_NE(role_.anim.resource, 0);
  }
  void draw() { draw_role_model(&role_, 3000, 0, 2400, 0, 0, 0, 0, 0, 0, 0xFFFFFFFF, 0); }
  std::uint16_t& var(int v) { return *role_var(role_, v); }

  test_support::ModelFolder models_;
  test_support::ActFolder acts_;
  MapRole role_;
};

TEST_F(RoleModel, AFinishedAnimationTakesThePendingQq) {
  var(role_var_qq_when_finished) = role_var_pending | 3;
  draw();
  EXPECT_EQ(role_.anim.qq, 3);
  EXPECT_EQ(var(role_var_qq_when_finished), 0);
  EXPECT_NE(role_.drawn_model, nullptr);
  var(role_var_qq_when_finished) = 5;  // without the top bit nothing is pending
  draw();
  EXPECT_EQ(role_.anim.qq, 3);
}

TEST_F(RoleModel, AFailedWeaponIsReportedAndStopsTheDraw) {
  var(role_var_show_weapon) = 1;
  role_.weapon_anim.act = missing_act;
  var(role_var_qq_when_finished) = role_var_pending | 3;
  draw();
  EXPECT_NE(acts_.debug_log().find(weapon_report), std::string::npos) << acts_.debug_log();
  EXPECT_EQ(role_.anim.qq, 0) << "the pending QQ waits while the weapon fails";
  var(role_var_show_weapon) = 0;
  draw();
  EXPECT_EQ(role_.anim.qq, 3);
}

TEST_F(RoleModel, FaceOverridesOfMissingMaterialsAreSkippedAndKeysStay) {
  G3dPoly* model = GetPoly(role_.anim.resource);
  ASSERT_NE(model, nullptr);
  std::vector<std::uint32_t> keys;
  for (const PlyMaterial& m : model->materials) keys.push_back(m.tex_no);
  role_.face_override = 1;
  role_.face_part[0] = 40;
  role_.face_act[0] = kit::sample_rig_act;
  role_.expression_anim.act = kit::sample_rig_act;  // material 5: the rig has fewer
  draw();
  for (std::size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(model->materials[i].tex_no, keys[i]) << i;
  EXPECT_EQ(role_.expression_saved_key, 0u);
}

}  // namespace
