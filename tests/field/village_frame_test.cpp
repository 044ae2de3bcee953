// The village frame with ten walking roles: every role in range is drawn and marked drawn, the
// translucent ones among them too, and each visible role with a shadow bit gets its shadow.
#include <gtest/gtest.h>

#include "core/user_cfg.h"
#include "field/field_draw.h"
#include "tests/field/village_scene.h"
#include "tests/platform/raster/reference_image.h"

namespace {

using test_support::back_frame;

TEST(VillageFrame, TenRolesAreDrawnOpaqueAndTranslucentAroundTheLeader) {
  test_support::VillageScene scene;
  ASSERT_TRUE(scene.ok());
  // A role far off is culled and keeps its fade-in where it was.
  MapRole& far_role = gmMapRole[gmMapRoleCount - 1];
  far_role.X = 9000;
  far_role.draw_alpha = 40;
  // Opaque roles are drawn before the world sets this frame's cull box, so they are culled
  // against the box of the frame before: the first frame has none.
  draw_field();
  draw_field();
  for (int i = 4; i < gmMapRoleCount - 1; ++i) {
    EXPECT_NE(gmMapRole[i].STATE & state_drawn, 0u) << i;
    EXPECT_NE(gmMapRole[i].drawn_model, nullptr) << i;
  }
  EXPECT_EQ(far_role.STATE & state_drawn, 0u);
  EXPECT_EQ(far_role.draw_alpha, 40);
  const std::string failure = test_support::compare_with_reference("field_village_roles", back_frame());
  EXPECT_TRUE(failure.empty()) << failure;
}

// Pixels that differ between two frames in the band where the roles stand (away from the
// compass, whose needle turns every frame).
int differing_role_pixels(const test_support::Frame565& a, const test_support::Frame565& b) {
  int n = 0;
  for (int y = 180; y < 270; ++y)
    for (int x = 120; x < 560; ++x) n += a.pixels[std::size_t(y) * 640 + x] != b.pixels[std::size_t(y) * 640 + x];
  return n;
}

TEST(VillageFrame, ShadowsAreOpaqueTranslucentOrOff) {
  test_support::VillageScene scene;
  ASSERT_TRUE(scene.ok());
  auto frame = [](int option, bool off) {
    user_options[option_shadows] = option;
    if (off) set_flag(flag_shadows_off); else clear_flag(flag_shadows_off);
    draw_field();
    return back_frame();
  };
  frame(0, false);  // the cull box of the frame before
  const test_support::Frame565 opaque = frame(0, false), translucent = frame(1, false), none = frame(2, true);
  EXPECT_GT(differing_role_pixels(opaque, none), 300);
  EXPECT_GT(differing_role_pixels(translucent, none), 300);
  EXPECT_GT(differing_role_pixels(opaque, translucent), 300);
  EXPECT_EQ(differing_role_pixels(none, frame(2, true)), 0);
  clear_flag(flag_shadows_off);
  user_options[option_shadows] = 0;
}

}  // namespace
