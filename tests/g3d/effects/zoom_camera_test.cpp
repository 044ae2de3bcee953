// The view zoom requests and the animated camera.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "field/act_camera.h"
#include "field/field_camera_state.h"
#include "g3d/g3d_view.h"
#include "g3d/model_cache.h"
#include "g3d/view_zoom.h"
#include "tests/fixtures/sample_effects.h"
#include "tests/g3d/act_folder.h"
#include "tests/g3d/model_folder.h"

namespace {

float applied_scale() { return g3d_view_get_current()->scale; }
float applied_near() { return g3d_view_get_current()->centre.near_dist; }

class ViewZoom : public ::testing::Test {
 protected:
  void SetUp() override {
    g3d_view_set_current(&view_);
    view_scale = 10.0f;
    view_near = 50.0f;
    view_zoom = ViewZoomRequest{};
  }
  void TearDown() override { g3d_view_set_current(nullptr); }
  static void frames(int n) {
    for (int i = 0; i < n; ++i) update_view_zoom();
  }
  G3dView view_{};
};

TEST_F(ViewZoom, AStepRequestMovesLinearlyFromTheStartingScale) {
  set_view_zoom(zoom_over_frames, 20, 30.0f);
  update_view_zoom();
  EXPECT_FLOAT_EQ(applied_scale(), 11.0f);
  EXPECT_EQ(applied_near(), 200.0f);
  frames(9);
  EXPECT_FLOAT_EQ(applied_scale(), 20.0f);
  EXPECT_EQ(view_scale, 10.0f) << "kept until the last frame";
  frames(10);
  EXPECT_FLOAT_EQ(applied_scale(), 30.0f);
  EXPECT_EQ(view_scale, 30.0f);
  EXPECT_EQ(view_zoom.mode, zoom_none);
  update_view_zoom();
  EXPECT_EQ(applied_near(), 50.0f) << "back to the view's own near distance";
}

TEST_F(ViewZoom, ASecondRequestKeepsTheFramesRun) {
  set_view_zoom(zoom_over_frames, 40, 50.0f);
  frames(5);
  set_view_zoom(zoom_over_frames, 20, 30.0f);
  update_view_zoom();
  EXPECT_FLOAT_EQ(applied_scale(), 10.0f + 20.0f * 6.0f / 20.0f);
}

TEST_F(ViewZoom, AShorterRequestAfterALongerOneEndsAtItsTarget) {
  set_view_zoom(zoom_over_frames, 40, 50.0f);
  frames(10);
  set_view_zoom(zoom_over_frames, 5, 20.0f);
  update_view_zoom();
  EXPECT_EQ(view_scale, 20.0f);
  EXPECT_EQ(view_zoom.mode, zoom_none);
  frames(3);
  EXPECT_EQ(applied_scale(), 20.0f) << "the scale does not run away";
}

TEST_F(ViewZoom, AtOnceAndStepRequestsOfNoFrames) {
  for (std::int16_t mode : {zoom_at_once, zoom_over_frames}) {
    view_scale = 10.0f;
    set_view_zoom(mode, 0, 5.0f);
    update_view_zoom();
    EXPECT_EQ(view_scale, 5.0f) << mode;
    EXPECT_EQ(applied_scale(), 5.0f) << mode;
    EXPECT_EQ(applied_near(), 200.0f) << mode;
    EXPECT_EQ(view_zoom.mode, zoom_none) << mode;
  }
  set_view_zoom(7, 3, 90.0f);
  update_view_zoom();
  EXPECT_EQ(view_scale, 5.0f) << "other modes do nothing";
}

class ActCamera : public ::testing::Test {
 protected:
  void SetUp() override {
    models_.write_indexes();
    models_.write_model(kit::sample_rig_model, kit::ply_file(kit::camera_rig_model(10001)));
    ASSERT_EQ(SFLB_InitPolyMemory(), 1);
    act_camera = ActInstance{};
    act_camera_running = 1;
    field_camera = Camera{};
    for (float& v : field_camera_state.target_point) v = -1;
  }
  void play(std::uint16_t act) {
    act_camera_act = act;
    act_camera_qq = 0;
  }
  test_support::ModelFolder models_;
  test_support::ActFolder acts_;
};

TEST_F(ActCamera, AMissingAnimationLeavesTheCameraAndKeepsRunning) {
  ASSERT_TRUE(acts_.open_script(kit::sample_rig_act, "RF 3005; TP 0; PA 0; ED; O2"));
  play(4444);
  for (int f = 0; f < 3; ++f) EXPECT_EQ(update_act_camera(), 0);
  EXPECT_EQ(act_camera_running, 1);
  EXPECT_EQ(field_camera.get_mode(), camera_mode_orbit);
  EXPECT_EQ(field_camera_state.target_point[0], -1.0f);
}

TEST_F(ActCamera, TakesEyeAndTargetFromTheTaggedPartsAndEndsOnce) {
  ASSERT_TRUE(acts_.open({{kit::sample_rig_act, kit::sample_effect_act_blocks().at(kit::sample_rig_act)}}));
  play(kit::sample_rig_act);
  int ended = 0, frames = 0;
  for (; frames < 40 && act_camera_running; ++frames) {
    ended += update_act_camera();
    field_camera.update();
    G3dVector eye;
    field_camera.get_eye(&eye);
    const float a = (-40.0f + 80.0f * float(std::min(frames, kit::sample_rig_frames - 1)) /
                                  float(kit::sample_rig_frames - 1)) * 0.01745f;
    EXPECT_NEAR(eye.x, kit::rig_target[0] + kit::rig_eye_distance * std::sin(a), 0.05f) << frames;
    EXPECT_NEAR(eye.y, kit::rig_eye_height, 0.05f);
    EXPECT_EQ(field_camera.get_mode(), camera_mode_outside_eye);
    EXPECT_FLOAT_EQ(field_camera_state.target_point[0], kit::rig_target[0]);
    EXPECT_FLOAT_EQ(field_camera_state.target_point[2], kit::rig_target[2]);
  }
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(frames, kit::sample_rig_frames + 1);
  EXPECT_EQ(act_camera_running, 0);
}

TEST_F(ActCamera, AModelWithoutTheTaggedPartsMovesNoCameraButStillEnds) {
  models_.write_model(3001, kit::ply_file(kit::box_model(10, 10, 10, 1)));
  ASSERT_TRUE(acts_.open_script(kit::sample_rig_act, "RF 3001; TP 0; PA 0; ED; O2"));
  play(kit::sample_rig_act);
  EXPECT_EQ(update_act_camera(), 0);
  EXPECT_EQ(update_act_camera(), 1);
  EXPECT_EQ(field_camera.get_mode(), camera_mode_orbit);
  EXPECT_EQ(field_camera_state.target_point[1], -1.0f);
}

}  // namespace
