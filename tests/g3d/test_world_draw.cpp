// World drawing through the rasterizer: the sample world from a few camera positions, the
// paths, grid mode with its bins, its query cache and its see-through occluders.
#include <gtest/gtest.h>

#include <cmath>

#include "g3d/act_animation.h"
#include "g3d/wld_face_bins.h"
#include "g3d/wld_grid.h"
#include "tests/fixtures/act_kit.h"
#include "tests/fixtures/byte_writer.h"
#include "tests/fixtures/sample_models.h"
#include "tests/g3d/draw_fixture.h"

namespace {

struct View {
  const char* reference;
  G3dVector pivot, angles;
  float distance;
};

const View kViews[] = {
    {"world_field_camera", {3000, 0, 2200, 0}, {30, 0, 0, 0}, 3000},
    {"world_corner_high", {3000, 0, 3000, 0}, {50, 135, 0, 0}, 6000},
    {"world_low_across", {3000, 100, 3600, 0}, {5, 270, 0, 0}, 2200},
};

TEST_F(DrawTest, SampleWorldReferences) {
  use_test_textures();
  G3dWld w;
  world(kit::sample_world(20001, 20002, 30001), &w);
  G3dMatrix identity = at(0, 0, 0);
  for (const View& v : kViews) {
    SCOPED_TRACE(v.reference);
    clear_frame();
    look_at(v.pivot, v.angles, v.distance);
    renderer.draw_world(&identity, 0, &w, 0xFFFFFFFF, 0);
    EXPECT_GT(renderer.get_model_count(), 0);
    expect_reference(v.reference);
    renderer.present();
  }
}

}  // namespace

namespace {

// A red floor (never an occluder) and a blue wall across the middle of it.
kit::WldSpec floor_and_wall(std::uint32_t wall_flags = 0) {
  kit::WldSpec s;
  s.box = {{0, 0, 0, 0}, {6000, 600, 6000, 0}};
  const G3dVertex floor[4] = {kit::make_vertex(0, 0, 0, 0, 0, 0xFFFF0000), kit::make_vertex(0, 0, 6000, 0, 0, 0xFFFF0000),
                              kit::make_vertex(6000, 0, 6000, 0, 0, 0xFFFF0000),
                              kit::make_vertex(6000, 0, 0, 0, 0, 0xFFFF0000)};
  s.objects.push_back(kit::quad_object(floor, 7, 0x200000));
  s.objects.push_back(kit::box_object(2500, 1900, 3500, 2000, 600, 7, 0xFF0000FF, wall_flags));
  s.has_coll_tris = s.has_grid = s.has_wall_boxes = false;
  return s;
}

// The field's frame: the camera, the cull box, the focus on the camera's pivot.
void field_view(const G3dVector& pivot, const G3dVector& angles, float distance) {
  Camera c;
  c.set_point(pivot.x, pivot.y, pivot.z);
  c.set_angles(angles.x, angles.y, angles.z);
  c.set_distance(distance);
  c.set_look_distance(distance);
  c.update();
  c.apply_view();
  renderer.set_cull_box(&angles, &pivot);
  float x, y, z;
  c.get_point(nullptr, nullptr, nullptr, &x, &y, &z);
  const G3dVector focus{x, y, z, 0};
  renderer.set_focus_point(&focus);
}

const G3dVector kPivot{3000, 100, 3000, 0}, kAhead{0, 0, 0, 0};

TEST_F(DrawTest, AWorldWhoseFirstObjectHasNoFramesDrawsNothing) {
  kit::WldSpec s = floor_and_wall();
  s.objects[0].frames.clear();
  G3dWld w;
  world(s, &w);
  field_view(kPivot, kAhead, 2000);
  G3dMatrix id = at(0, 0, 0);
  clear_frame();
  for (std::uint32_t colour : {0xFFFFFFFFu, 0xFF00FF00u}) renderer.draw_world(&id, 0, &w, colour, 0);
  renderer.draw_world(&id, 0, &w, 0xFFFFFFFF, 0x10000);
  EXPECT_EQ(drawn_pixels(), 0);
  EXPECT_EQ(renderer.get_model_count(), 0);
}

TEST_F(DrawTest, ThePlainPathCountsObjectsAndTheColourPathPaintsThem) {
  G3dWld w;
  world(floor_and_wall(), &w);
  field_view(kPivot, kAhead, 2000);
  G3dMatrix id = at(0, 0, 0);
  clear_frame();
  renderer.draw_world(&id, 0, &w, 0xFFFFFFFF, 0);
  EXPECT_EQ(renderer.get_model_count(), 2);
  EXPECT_GT(blue_of(pixel(320, 240)), 20u) << "the wall in front";
  clear_frame();
  renderer.draw_world(&id, 0, &w, 0xFF00FF00, 0);
  EXPECT_EQ(renderer.get_model_count(), 2) << "not counted";
  EXPECT_EQ(green_of(pixel(320, 240)), 63u);
  EXPECT_EQ(blue_of(pixel(320, 240)), 0u);
}

TEST_F(DrawTest, VisibleBinsFollowTheViewDirection) {
  struct Case {
    G3dVector eye, focus;
    std::uint32_t bins;
  } cases[] = {
      {{0, 0, 0, 0}, {0, 0, 100, 0}, 0x7D},    // along +z: all but -Z
      {{0, 0, 0, 0}, {0, -100, 0, 0}, 0x5F},   // straight down: all but +Y
      {{0, 0, 0, 0}, {-100, 0, 0, 0}, 0x77},   // along -x: all but +X
      {{5, 5, 5, 0}, {5, 5, 5, 0}, 0x7F},      // no direction: every bin
      {{0, 0, 0, 0}, {NAN, 0, 0, 0}, 0x7F},
  };
  for (const Case& c : cases) EXPECT_EQ(wld_visible_bins(c.eye, c.focus), c.bins) << c.focus.x << " " << c.focus.y;
}

TEST_F(DrawTest, OccludersFadeFromTheEyeToTheFocusDistance) {
  EXPECT_EQ(wld_occluder_alpha(1000, 0, 100), 0u);
  EXPECT_EQ(wld_occluder_alpha(1000, 500, 100), 50u);
  EXPECT_EQ(wld_occluder_alpha(1000, 1000, 100), 100u);
  EXPECT_EQ(wld_occluder_alpha(1000, 2500, 100), 100u);
  EXPECT_EQ(wld_occluder_alpha(0, 0, 100), 0u) << "the focus on the eye";
}

TEST_F(DrawTest, InGridModeAnOpaqueObjectBeforeTheFocusIsDrawnLastAndSeeThrough) {
  G3dMatrix id = at(0, 0, 0);
  struct Case {
    std::uint32_t wall_flags;
    int occluder_test;
    bool see_through;
  } cases[] = {{0, 1, true}, {0, 0, false}, {0x200000, 1, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.wall_flags);
    G3dWld w;
    world(floor_and_wall(c.wall_flags), &w);
    g3d_wld_build_grid(&w, 2500);
    // The eye at the wall's middle height: the segment test takes an object's box as centred
    // on its sphere centre, standing on it.
    field_view({3000, 500, 3000, 0}, kAhead, 2000);
    renderer.set_grid_mode(1);
    renderer.set_occluder_test(c.occluder_test);
    clear_frame();
    renderer.draw_world(&id, 0, &w, 0xFF00FF00, 0);  // the colour is ignored in grid mode
    const std::uint16_t p = pixel(320, 400);
    EXPECT_GT(blue_of(p), 0u);
    EXPECT_EQ(green_of(p), 0u);
    EXPECT_EQ(red_of(p) > 0, c.see_through) << "the floor shows through the wall";
    EXPECT_EQ(renderer.get_model_count(), 2);
    renderer.present();
  }
}

TEST_F(DrawTest, TheGridQueryIsNotTakenForAnotherWorldAtTheSameEye) {
  G3dMatrix id = at(0, 0, 0);
  kit::WldSpec a = floor_and_wall(), b = floor_and_wall();
  a.objects.resize(1);  // a: the floor alone
  b.objects.erase(b.objects.begin());  // b: the wall alone
  G3dWld wa, wb;
  world(a, &wa);
  world(b, &wb);
  g3d_wld_build_grid(&wa, 2500);
  g3d_wld_build_grid(&wb, 2500);
  field_view(kPivot, kAhead, 2000);
  renderer.set_grid_mode(1);
  clear_frame();
  renderer.draw_world(&id, 0, &wa, 0xFFFFFFFF, 0);
  renderer.draw_world(&id, 0, &wb, 0xFFFFFFFF, 0);
  EXPECT_GT(blue_of(pixel(320, 240)), 20u) << "world b's own objects";
  // A world loaded again into the same record at the same eye is queried again too.
  world(a, &wb);
  g3d_wld_build_grid(&wb, 2500);
  clear_frame();
  renderer.draw_world(&id, 0, &wb, 0xFFFFFFFF, 0);
  EXPECT_EQ(blue_of(pixel(320, 240)), 0u);
  EXPECT_GT(red_of(pixel(320, 400)), 0u);
}

TEST_F(DrawTest, InGridModeAWorldWithoutGridIsDrawnWhole) {
  G3dWld w;
  world(floor_and_wall(), &w);  // no grid built, as a battlefield
  field_view(kPivot, kAhead, 2000);
  renderer.set_grid_mode(1);
  G3dMatrix id = at(0, 0, 0);
  clear_frame();
  renderer.draw_world(&id, 0, &w, 0xFFFFFFFF, 0);
  EXPECT_GT(blue_of(pixel(320, 240)), 20u);
  EXPECT_GT(red_of(pixel(320, 400)), 0u);
}

TEST_F(DrawTest, InGridModeObjectsOfMoreThan8192VisibleIndicesAreDrawn) {
  kit::WldSpec s = floor_and_wall();
  s.objects.resize(1);
  // The floor as a 60 x 60 grid of quads: 21600 indices, all facing up.
  kit::WldObjectSpec& f = s.objects[0];
  f.vertices.clear();
  f.indices.clear();
  for (int j = 0; j <= 60; ++j)
    for (int i = 0; i <= 60; ++i) f.vertices.push_back(kit::make_vertex(100.0f * i, 0, 100.0f * j, 0, 0, 0xFFFF0000));
  for (int j = 0; j < 60; ++j)
    for (int i = 0; i < 60; ++i) {
      const auto v = [&](int di, int dj) { return std::uint16_t((j + dj) * 61 + i + di); };
      for (std::uint16_t k : {v(0, 0), v(0, 1), v(1, 1), v(0, 0), v(1, 1), v(1, 0)}) f.indices.push_back(k);
    }
  G3dWld w;
  world(s, &w);
  ASSERT_GT(w.face_bins[0].bins[4].size(), 8192u);
  g3d_wld_build_grid(&w, 2500);
  field_view(kPivot, {20, 0, 0, 0}, 2000);
  renderer.set_grid_mode(1);
  G3dMatrix id = at(0, 0, 0);
  clear_frame();
  renderer.draw_world(&id, 0, &w, 0xFFFFFFFF, 0);
  EXPECT_GT(red_of(pixel(100, 470)), 0u);
  EXPECT_GT(red_of(pixel(540, 470)), 0u);
}

}  // namespace

namespace {

// A field frame: the sample world in grid mode with the occluder test, the character walking
// by its ACT animation at the camera's pivot behind a pillar, an item spinning on the crate.
TEST_F(DrawTest, FieldFrameWithAWalkingCharacterReference) {
  use_test_textures();
  kit::write_act_archives((dir_.path() / "ACT").string(), kit::sample_act_blocks());
  Set_3dActPath((dir_.path() / "ACT").string().c_str());
  ASSERT_EQ(Init_3dAct(), 1);
  G3dWld w;
  world(kit::sample_world(20001, 20002, 30001), &w);
  g3d_wld_build_grid(&w, 2500);
  G3dPoly character = model(kit::character_model(1));
  G3dPoly item = model(kit::box_model(60, 60, 60, 10001, 1, 0xFFE0C040));

  ActInstance walk;
  walk.act = kit::sample_character_act;
  walk.qq = 1;
  ActInstance spin;
  spin.act = kit::sample_item_act;
  for (int tick = 0; tick < 7; ++tick) {
    ASSERT_EQ(Take_3dActData(&walk), 1);
    ASSERT_EQ(Take_3dActData(&spin), 1);
  }
  EXPECT_EQ(walk.resource, kit::sample_character_model);
  EXPECT_EQ(walk.picture, 4) << "a walk frame of one tick's delay each";
  EXPECT_EQ(spin.rotation[1], 180) << "three ticks a turn";

  const G3dVector pivot{2000, 100, 2200, 0};  // pillar a stands between the eye and the pivot
  field_view(pivot, {25, 180, 0, 0}, 2200);
  renderer.set_grid_mode(1);
  renderer.set_occluder_test(1);
  clear_frame();
  G3dMatrix id = at(0, 0, 0);
  renderer.draw_world(&id, 0, &w, 0xFFFFFFFF, 0);
  G3dMatrix hero = at(pivot.x, 0, pivot.z, 180);
  renderer.draw_model(&hero, walk.picture, &character, walk.color, walk.draw_flags);
  G3dMatrix crate = at(3000, 300, 4200, float(spin.rotation[1]));
  renderer.draw_model(&crate, spin.picture, &item, spin.color, spin.draw_flags);
  expect_reference("field_frame_walk");
  Close_3dAct();
}

}  // namespace

namespace {

// A battlefield frees its face bins after loading; its objects keep the face-bin flag and are
// drawn with their whole index lists.
TEST_F(DrawTest, ObjectsFlaggedForFaceBinsInAWorldWithoutThemDrawTheirWholeLists) {
  G3dWld w;
  world(floor_and_wall(), &w);
  g3d_wld_build_grid(&w, 2500);
  g3d_wld_free_face_bins(&w);
  ASSERT_TRUE(w.objects[1].flags & wld_obj_face_bins);
  field_view(kPivot, kAhead, 2000);
  renderer.set_grid_mode(1);
  G3dMatrix id = at(0, 0, 0);
  clear_frame();
  renderer.draw_world(&id, 0, &w, 0xFFFFFFFF, 0);
  EXPECT_GT(blue_of(pixel(320, 240)), 20u);
  EXPECT_GT(red_of(pixel(320, 470)), 0u);
}

}  // namespace
