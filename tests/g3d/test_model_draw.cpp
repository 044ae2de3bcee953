// Model drawing through the rasterizer: paths, culling, counters, attachment points and fans.
#include <gtest/gtest.h>

#include <cstring>

#include "g3d/act_animation.h"
#include "g3d/geometry.h"
#include "tests/fixtures/act_kit.h"
#include "tests/fixtures/byte_writer.h"
#include "tests/fixtures/sample_models.h"
#include "tests/g3d/draw_fixture.h"

namespace {

// The character walking, a sword box at its hand point, a spinning item and an effect quad.
TEST_F(DrawTest, CharacterWithAttachmentsReference) {
  use_test_textures();
  clear_frame();
  look_at({0, 100, 0, 0}, {15, 200, 0, 0}, 600);
  G3dPoly character = model(kit::character_model(1));
  G3dPoly sword = model(kit::box_model(8, 90, 8, 10001, 1, 0xFFE0E0F0));
  G3dPoly effect = model([] {
    kit::PlyModelSpec m;
    for (auto [x, y] : {std::pair{-30.f, -30.f}, {-30.f, 30.f}, {30.f, 30.f}, {30.f, -30.f}})
      m.vertices.push_back(kit::make_vertex(x, y, 0, x > 0, y < 0, 0xFFFFC060));
    m.triangles = {0, 1, 2, 0, 2, 3};
    m.parts.push_back({0x100000, 0, 4});
    m.materials.push_back({0, 6, 0, 12001});
    m.frames.push_back({kit::translation_matrix(0, 0, 0)});
    m.box = {{-30, -30, -30, 0}, {30, 30, 30, 0}};
    m.sphere_size = 90;
    return m;
  }());
  G3dMatrix m = at(0, 0, 0, 30);
  renderer.draw_model(&m, 3, &character, 0xFFFFFFFF, 0);
  G3dVector hand;
  ASSERT_EQ(renderer.get_part_point(&m, &character, 3, 0, &hand), 1);
  G3dMatrix sword_at = at(hand.x, hand.y - 45, hand.z, 30);
  renderer.draw_model(&sword_at, 0, &sword, 0xFFFFFFFF, 0);
  G3dVector above;
  ASSERT_EQ(renderer.get_part_point(&m, &character, 3, 1, &above), 1);
  G3dMatrix effect_at = at(above.x, above.y, above.z);
  renderer.draw_model(&effect_at, 0, &effect, 0xFFFFFFFF, 1);
  EXPECT_EQ(renderer.get_model_count(), 3);
  expect_reference("model_character_attachments");
}

}  // namespace

namespace {

// A flat square of side 2 s at the origin in the xy plane facing -z, in one colour.
kit::PlyModelSpec square(float s, std::uint32_t colour = 0xFFFFFFFF, std::uint32_t part_id = 0) {
  kit::PlyModelSpec m;
  for (auto [x, y] : {std::pair{-s, -s}, {-s, s}, {s, s}, {s, -s}})
    m.vertices.push_back(kit::make_vertex(x, y, 0, 0, 0, colour));
  m.triangles = {0, 1, 2, 0, 2, 3};
  m.parts.push_back({part_id, 0, 4});
  m.materials.push_back({0, 6, 0, 0});
  m.frames.push_back({kit::identity_matrix()});
  m.box = {{-s, -s, -1, 0}, {s, s, 1, 0}};
  m.sphere_size = 3 * s;
  return m;
}

// The camera at the origin looking along +z: a point (x, y, z) lands at (320 + 1000 x / z,
// 240 - 1000 y / z).
void look_forward() {
  renderer.look_at(0, 0, 0, 0, 0, 0, 1000, 0);
  renderer.set_no_cull(1);
}

TEST_F(DrawTest, NothingIsDrawnOrCountedForAFrameOutsideTheModel) {
  look_forward();
  G3dPoly none = model([] {
    kit::PlyModelSpec m = square(100);
    m.frames.clear();
    return m;
  }());
  G3dPoly one = model(square(100));
  G3dMatrix m = at(0, 0, 1000);
  for (auto [poly, frame] : {std::pair{&none, 0u}, std::pair{&one, 1u}}) {
    for (std::uint32_t flags : {0u, 0x80u, 0x1000u, 0x10000u, 0x100u}) {
      clear_frame();
      renderer.draw_model(&m, frame, poly, 0xFFFFFFFF, flags);
      EXPECT_EQ(drawn_pixels(), 0) << flags;
    }
    renderer.draw_model(&m, frame, poly, 0xFF00FF00, 0);
    EXPECT_EQ(drawn_pixels(), 0);
  }
  EXPECT_EQ(renderer.get_model_count(), 0);
}

TEST_F(DrawTest, TheOverrideColourForcesTheColourPathWhateverTheFlags) {
  look_forward();
  G3dPoly sq = model(square(100, 0xFFFF0000));
  G3dMatrix m = at(0, 0, 1000);
  renderer.set_override_color(0xFF00FF00);
  for (std::uint32_t flags : {0x10000u, 0x100u, 0x80u}) {
    clear_frame();
    renderer.draw_model(&m, 0, &sq, 0xFFFFFFFF, flags);
    EXPECT_EQ(red_of(pixel(320, 240)), 0u) << flags;
    EXPECT_EQ(green_of(pixel(320, 240)), 63u) << "filled in the override colour";
    EXPECT_EQ(green_of(pixel(300, 220)), 63u) << "not a wireframe";
  }
  renderer.set_override_color(0xFFFFFFFF);
  clear_frame();
  renderer.draw_model(&m, 0, &sq, 0xFFFFFFFF, 0x10000);
  EXPECT_EQ(pixel(300, 220), 0) << "wireframe: the inside stays empty";
  EXPECT_GT(drawn_pixels(), 0);
}

TEST_F(DrawTest, CornersCountEveryTriangleOfThePlainPathOnly) {
  look_forward();
  kit::PlyModelSpec desc = square(100);
  desc.materials = {{0, 3, 0, 0}, {3, 3, 0x01000000, 0}};  // the second is skipped
  G3dPoly sq = model(desc);
  G3dMatrix m = at(0, 0, 1000);
  clear_frame();
  renderer.draw_model(&m, 0, &sq, 0xFFFFFFFF, 0);
  EXPECT_EQ(renderer.corners_drawn(), 6);
  EXPECT_EQ(renderer.get_model_count(), 1);
  renderer.draw_model(&m, 0, &sq, 0xFF808080, 0);
  renderer.draw_model(&m, 0, &sq, 0xFFFFFFFF, 0x80);
  EXPECT_EQ(renderer.corners_drawn(), 6);
  EXPECT_EQ(renderer.get_model_count(), 3);
  renderer.draw_model(&m, 0, &sq, 0xFFFFFFFF, 0x100);
  EXPECT_EQ(renderer.get_model_count(), 3) << "the orthographic path is not counted";
  renderer.present();
  EXPECT_EQ(renderer.corners_drawn(), 0);
}

TEST_F(DrawTest, TheSelectedPathDrawsTaggedPartsAndMaterialsWithAScreenBackFaceTest) {
  look_forward();
  // Two parts: the left square plain, the right one tagged 2 (top byte 3); the right square's
  // second triangle winds the other way round.
  kit::PlyModelSpec m = square(50);
  for (G3dVertex& v : m.vertices) v.x -= 100;
  for (auto [x, y] : {std::pair{50.f, -50.f}, {50.f, 50.f}, {150.f, 50.f}, {150.f, -50.f}})
    m.vertices.push_back(kit::make_vertex(x, y, 0));
  m.triangles.insert(m.triangles.end(), {4, 5, 6, 4, 7, 6});
  m.parts.push_back({0x03000000, 4, 8});
  m.materials = {{0, 6, 0, 0}, {6, 6, 0x03000000, 0}};
  for (auto& f : m.frames) f.push_back(kit::identity_matrix());
  m.box.min.x = -150;
  m.box.max.x = 150;
  G3dPoly poly = model(m);
  G3dMatrix at_front = at(0, 0, 1000);
  clear_frame();
  renderer.draw_model(&at_front, 0, &poly, 0xFFFFFFFF, 0x1000 | 0x03000000);
  EXPECT_EQ(pixel(220, 240), 0) << "the plain part shares no bit";
  EXPECT_NE(pixel(400, 200), 0) << "the tagged part's first triangle";
  EXPECT_EQ(pixel(460, 280), 0) << "its second triangle faces away on the screen";
  clear_frame();
  renderer.draw_model(&at_front, 0, &poly, 0xFFFFFFFF, 0x1000);
  EXPECT_NE(pixel(220, 240), 0) << "flags without tag bits select the plain parts";
  EXPECT_EQ(pixel(400, 200), 0);
}

TEST_F(DrawTest, TheOrthographicPathPutsModelUnitsOnPixelsFromTheCentre) {
  look_forward();
  G3dPoly dot = model(square(2, 0xFFFFFFFF));
  G3dMatrix m = at(100, 50, 0);
  clear_frame();
  renderer.draw_model(&m, 0, &dot, 0xFFFFFFFF, 0x100);
  EXPECT_NE(pixel(420, 190), 0);
  EXPECT_EQ(pixel(320, 240), 0);
  EXPECT_LT(drawn_pixels(), 30);
  EXPECT_EQ(g3d_view_get_projection_mode(), 0) << "perspective again afterwards";
}

// Seen from the side, a part in the model's xy plane would be edge-on; facing the camera it
// shows its face, every vertex of it: a triangle of three, and both quads of eight.
TEST_F(DrawTest, CameraFacingPartsTurnAllTheirVerticesHoweverMany) {
  renderer.look_at(1000, 0, 0, 0, 0, 0, 0, 0);
  renderer.set_no_cull(1);
  for (int corners : {3, 8}) {
    SCOPED_TRACE(corners);
    kit::PlyModelSpec m;
    for (float x0 : {-150.f, 50.f})
      for (auto [x, y] : {std::pair{x0, -50.f}, {x0, 50.f}, {x0 + 100, 50.f}, {x0 + 100, -50.f}})
        if (int(m.vertices.size()) < corners) m.vertices.push_back(kit::make_vertex(x, y, 0));
    for (int q = 0; q * 4 + 2 < corners; ++q) {
      for (int k : {0, 1, 2}) m.triangles.push_back(std::uint16_t(4 * q + k));
      if (4 * q + 3 < corners)
        for (int k : {0, 2, 3}) m.triangles.push_back(std::uint16_t(4 * q + k));
    }
    m.parts.push_back({0x100000, 0, std::uint32_t(corners)});
    m.materials.push_back({0, std::uint32_t(m.triangles.size()), 0, 0});
    m.frames.push_back({kit::identity_matrix()});
    m.box = {{-200, -60, -200, 0}, {200, 60, 200, 0}};
    m.sphere_size = 500;
    G3dPoly poly = model(m);
    G3dMatrix origin = at(0, 0, 0);
    clear_frame();
    renderer.draw_model(&origin, 0, &poly, 0xFFFFFFFF, 0);
    EXPECT_NE(pixel(200, 220), 0) << "the first quad faces the camera";
    if (corners == 8) {
      EXPECT_NE(pixel(400, 220), 0) << "and so does the second, from the fifth vertex";
    }
    clear_frame();
    renderer.draw_model(&origin, 0, &poly, 0xFFFFFFFF, 0x80);
    EXPECT_EQ(drawn_pixels(), 0) << "the unfaced path leaves the part edge-on";
  }
}

TEST_F(DrawTest, ModelsOfMoreVerticesThanTheStagingBufferHeldAreDrawn) {
  look_forward();
  kit::PlyModelSpec m = square(100);
  m.vertices.insert(m.vertices.begin(), 40000, kit::make_vertex(0, 0, 0));
  for (std::uint16_t& i : m.triangles) i = std::uint16_t(i + 40000);
  m.parts[0].end_vertex = std::uint32_t(m.vertices.size());
  G3dPoly poly = model(m);
  G3dMatrix at_front = at(0, 0, 1000);
  clear_frame();
  renderer.draw_model(&at_front, 0, &poly, 0xFFFFFFFF, 0);
  EXPECT_NE(pixel(320, 240), 0);
}

TEST_F(DrawTest, PartPointsAndMatricesOfTaggedParts) {
  G3dPoly c = model(kit::character_model(1));
  G3dMatrix lifted = at(0, 1000, 0);
  G3dVector out{-1, -1, -1, -1};
  ASSERT_EQ(renderer.get_part_point(&lifted, &c, 0, 1, &out), 1);
  EXPECT_FLOAT_EQ(out.y, 1200.0f) << "the first vertex of the part tagged 1";
  ASSERT_EQ(renderer.get_part_point(&lifted, &c, 0, 255, &out), 1);
  EXPECT_FLOAT_EQ(out.x, -30.0f) << "tag 255 is top byte 0: the first plain part";
  EXPECT_FLOAT_EQ(out.y, 1070.0f);
  out = {-1, -1, -1, -1};
  EXPECT_EQ(renderer.get_part_point(&lifted, &c, 9, 0, &out), 0) << "a frame past the model's";
  EXPECT_EQ(renderer.get_part_point(&lifted, &c, 0, 7, &out), 0) << "no such tag";
  EXPECT_EQ(out.x, -1.0f) << "out untouched";

  kit::PlyModelSpec desc = kit::character_model(1);
  G3dMatrix turned = kit::translation_matrix(5, 6, 7);
  turned.m[1] = 0.5f;
  for (auto& f : desc.frames) f[4] = turned;
  G3dPoly t = model(desc);
  G3dMatrix pm;
  ASSERT_EQ(renderer.get_part_matrix(&t, 2, 0, 1, 1, 1, &pm), 1);
  EXPECT_EQ(pm.m[0], -1.0f);
  EXPECT_EQ(pm.m[1], -0.5f);
  EXPECT_EQ(pm.m[3], 5.0f) << "the translation is not negated";
  EXPECT_EQ(pm.m[11], 7.0f);
  ASSERT_EQ(renderer.get_part_matrix(&t, 2, 0, 2, 3, 4, &pm), 1);
  EXPECT_EQ(pm.m[3], 10.0f);
  EXPECT_EQ(pm.m[5], -3.0f);
  EXPECT_EQ(pm.m[11], 28.0f);
  EXPECT_EQ(renderer.get_part_matrix(&t, 9, 0, 1, 1, 1, &pm), 0);
}

TEST_F(DrawTest, FansDrawInOneColourAndTakeTheirKeyAsGivenOnRequest) {
  look_forward();
  const G3dVertex fan[4] = {kit::make_vertex(-100, -100, 0, 0, 1), kit::make_vertex(-100, 100, 0, 0, 0),
                            kit::make_vertex(100, 100, 0, 1, 0), kit::make_vertex(100, -100, 0, 1, 1)};
  G3dMatrix m = at(0, 0, 1000);
  clear_frame();
  renderer.draw_fan(&m, fan, 4, nullptr, 7, 0xFF0000FF, 0);
  EXPECT_EQ(blue_of(pixel(320, 240)), 31u) << "the colour over the white default texture";
  EXPECT_EQ(renderer.get_texture_count(), 0);
  const auto picture = fixtures::rle_texture_picture(4, 4, [](int, int) { return 0xFFFF; });
  renderer.draw_fan(&m, fan, 4, picture.data(), 7, 0xFFFFFFFF, 0x1000000);
  renderer.draw_fan(&m, fan, 4, picture.data(), 8, 0xFFFFFFFF, 0);
  ASSERT_EQ(renderer.get_texture_count(), 2);
  EXPECT_EQ(renderer.texture_at(0)->key, 7u);
  EXPECT_EQ(renderer.texture_at(1)->key, 100008u);
}

// The cull box of a view, and boxes just inside, touching and beyond each of its sides.
TEST_F(DrawTest, BoxesOutsideTheCullBoxAreCulledAndTouchingOnesKept) {
  look_at({0, 0, 0, 0}, {0, 0, 0, 0}, 1000);
  const G3dBox k = renderer.cull_box();
  ASSERT_LT(k.min.z, k.max.z);
  G3dMatrix id = at(0, 0, 0);
  struct Side {
    int axis;       // 0 x, 1 y, 2 z
    bool high;      // beyond the maximum (else below the minimum)
  };
  for (Side s : {Side{0, false}, Side{0, true}, Side{1, false}, Side{1, true}, Side{2, false}, Side{2, true}}) {
    auto edge = [&](float offset) {
      G3dBox b{{k.min.x + 1, k.min.y + 1, k.min.z + 1, 0}, {k.max.x - 1, k.max.y - 1, k.max.z - 1, 0}};
      float* lo = &b.min.x + s.axis;
      float* hi = &b.max.x + s.axis;
      const float kl = (&k.min.x)[s.axis], kh = (&k.max.x)[s.axis];
      if (s.high) {
        *lo = kh + offset;
        *hi = kh + offset + 10;
      } else {
        *hi = kl - offset;
        *lo = kl - offset - 10;
      }
      return b;
    };
    const G3dBox touching = edge(0), beyond = edge(1);
    EXPECT_EQ(renderer.box_culled(&id, &touching), 0) << s.axis << s.high;
    EXPECT_EQ(renderer.box_culled(&id, &beyond), 1) << s.axis << s.high;
    renderer.set_no_cull(1);
    EXPECT_EQ(renderer.box_culled(&id, &beyond), 0);
    renderer.set_no_cull(0);
  }
}

TEST_F(DrawTest, SpheresTooFarTooNearOrOffTheScreenAreCulledEvenWithoutTheBoxTest) {
  look_forward();
  struct Case {
    G3dVector centre;
    float size;
    int culled;
  } cases[] = {
      {{0, 0, 5000, 0}, 100, 0},   {{0, 0, 10100, 0}, 100, 1}, {{0, 0, 10040, 0}, 100, 0},
      {{0, 0, 100, 0}, 100, 1},    {{0, 0, 160, 0}, 100, 0},   {{3000, 0, 5000, 0}, 100, 1},
      {{0, -3000, 5000, 0}, 100, 1}, {{1700, 0, 5000, 0}, 100, 0},
  };
  for (const Case& c : cases) {
    const G3dSphere s{c.centre, c.size};
    G3dMatrix id = at(0, 0, 0);
    EXPECT_EQ(renderer.sphere_culled(id, &s), c.culled) << c.centre.x << " " << c.centre.y << " " << c.centre.z;
  }
}

}  // namespace

namespace {

// An animation whose pictures are device textures releases the texture of its last picture
// when the picture changes and when it restarts.
TEST_F(DrawTest, AnimationsReleaseTheDeviceTexturesOfTheirPictures) {
  kit::write_act_archives((dir_.path() / "ACT").string(),
                          {{1, kit::act_block({kit::act_script("RF 9001; PA 0; ED; PA 1; ED; O2")})}});
  Set_3dActPath((dir_.path() / "ACT").string().c_str());
  ASSERT_EQ(Init_3dAct(), 1);
  Set_3dActRenderer(&renderer);
  const auto picture = fixtures::rle_texture_picture(4, 4, [](int, int) { return 0xFFFF; });
  auto upload = [&](std::uint32_t pic) { renderer.get_texture(g3d_sprite_texture_key(9001, pic), picture.data()); };
  auto has = [&](std::uint32_t pic) {
    for (int i = 0; i < renderer.get_texture_count(); ++i)
      if (renderer.texture_at(i)->key == g3d_sprite_texture_key(9001, pic)) return true;
    return false;
  };
  ActInstance a;
  a.act = 1;
  a.control = act_control_device_texture;
  ASSERT_EQ(Take_3dActData(&a), 1);
  upload(0);
  ASSERT_EQ(Take_3dActData(&a), 1);  // PA 1: picture 0's texture goes
  EXPECT_FALSE(has(0));
  EXPECT_EQ(a.uploaded_picture, 1);
  upload(1);
  a.state |= act_state_restart;
  ASSERT_EQ(Take_3dActData(&a), 1);  // the restart releases picture 1's texture
  EXPECT_FALSE(has(1));
  Set_3dActRenderer(nullptr);
  Close_3dAct();
}

}  // namespace
