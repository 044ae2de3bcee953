#pragma once
// Model and world drawing through the rasterizer: the 3D device and the renderer on a 640 x 480
// back buffer in memory, the sample game's textures, kit models and worlds decoded in memory,
// and the orbit camera that sets the view as the field does.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "g3d/camera.h"
#include "g3d/grp3d_device.h"
#include "g3d/ply_model.h"
#include "g3d/renderer.h"
#include "g3d/texture_file_cache.h"
#include "g3d/texture_source.h"
#include "g3d/wld_loader.h"
#include "gfx2d/cddraw.h"
#include "platform/display.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "tests/fixtures/ply_model_kit.h"
#include "tests/fixtures/sample_archives.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/fixtures/texture_picture_kit.h"
#include "tests/fixtures/wld_kit.h"
#include "tests/platform/raster/reference_image.h"

class DrawTest : public ::testing::Test {
 protected:
  static constexpr int width = 640, height = 480;

  void SetUp() override {
    platform::reset_display_config();
    window_ = platform::create_window({"QORV", platform::default_window_proc}, "QORV", width, height);
    ASSERT_EQ(d3d_device.init(window_, &display_device, 0, DDRAW_WINDOWED, 2, width, height, 16), 1);
    ASSERT_EQ(renderer.init(&d3d_device), 1);
    renderer.set_viewport(0, 0, width, height, 10.0f, 200.0f, 10000.0f);
    // The renderer is one global object: switches a test before this one left on go off.
    renderer.set_no_cull(0);
    renderer.set_grid_mode(0);
    renderer.set_occluder_test(0);
    renderer.set_override_color(0xFFFFFFFF);
    platform::clear_recorded_boxes();
  }
  void TearDown() override {
    for (const auto& [tex_no, picture] : pictures_) texture_file_set_test_picture(tex_no, nullptr);
    renderer.release();
    d3d_device.release();
    display_device.release();
    platform::free_window(window_);
  }

  // The sample game's textures, looked up by TexNo as the game does.
  void use_sample_textures() {
    ASSERT_TRUE(kit::write_sample_archives(dir_.path()));
    g3d_set_texture_path((dir_.path() / "TEX").string().c_str());
    g3d_set_texture_cache_state(0x2A);
    g3d_load_category_idx_tex(1);
  }

  // Plain test textures in the texture format (RGB565): a checker floor (20001), bricks
  // (20002), striped objects (30001), cloth (1), metal (10001) and a round glow with a
  // transparent rim (12001).
  void use_test_textures() {
    auto add = [&](std::uint32_t tex_no, int w, int h, std::function<int(int, int)> pixel) {
      pictures_[tex_no] = fixtures::rle_texture_picture(w, h, pixel);
      const TexturePicture pic{pictures_[tex_no].data(), pictures_[tex_no].size(), 2};
      texture_file_set_test_picture(tex_no, &pic);
    };
    add(20001, 32, 32, [](int x, int y) { return ((x / 16) ^ (y / 16)) & 1 ? 0xC618 : 0x8410; });
    add(20002, 32, 32, [](int x, int y) {
      const bool mortar = y % 8 == 0 || (x + (y / 8 % 2) * 8) % 16 == 0;
      return mortar ? 0xD6BA : 0xB38E;
    });
    add(30001, 16, 16, [](int x, int) { return x < 8 ? 0xFFFF : 0xBDF7; });
    add(1, 16, 16, [](int x, int y) { return (x + y) % 4 ? 0xFFFF : 0xC618; });
    add(10001, 8, 8, [](int x, int) { return 0xBDF7 + x * 0x0841; });
    add(12001, 16, 16, [](int x, int y) {
      const int d = (x - 8) * (x - 8) + (y - 8) * (y - 8);
      return d > 56 ? -1 : 0xFFFF - (d / 8) * 0x0841;
    });
  }

  // The start of a 3D frame: black at the far depth.
  void clear_frame() {
    back()->colour_fill(nullptr, 0);
    d3d_device.clear_z_buffer();
    renderer.draw_rect(0, 0, width, height, 0xFF000000, G3D_FAR_DEPTH);
  }

  // A field camera: pivot, angles, distance; the view applied and the cull box set for it.
  Camera look_at(G3dVector pivot, G3dVector angles, float distance) {
    Camera c;
    c.set_point(pivot.x, pivot.y, pivot.z);
    c.set_angles(angles.x, angles.y, angles.z);
    c.set_distance(distance);
    c.set_look_distance(distance);
    c.update();
    c.apply_view();
    renderer.set_cull_box(&angles, &pivot);
    return c;
  }

  static G3dPoly model(const kit::PlyModelSpec& desc) {
    G3dPoly p;
    std::vector<std::uint8_t> block = kit::ply_block(desc);
    EXPECT_EQ(g3d_chang_LinerBuf_DrawModel(block.data(), block.size(), &p), 1);
    return p;
  }
  static void world(const kit::WldSpec& desc, G3dWld* out) {
    std::vector<std::uint8_t> file = kit::wld_file(desc);
    EXPECT_EQ(g3d_wld_load_bytes(out, file.data(), file.size(), "test"), 1);
  }
  static G3dMatrix at(float x, float y, float z, float yaw = 0) {
    G3dMatrix m;
    renderer.make_matrix(&m, x, y, z, 0, yaw, 0);
    return m;
  }

  platform::Surface* back() const { return display_device.get_surface(DDRAW_BACK_SURFACE); }
  // The back surface's pixels, top row first.
  std::vector<std::uint16_t> pixels() const {
    std::vector<std::uint16_t> out(std::size_t(width) * height);
    platform::LockedPixels locked;
    if (back()->lock(locked) != platform::DisplayResult::Ok) return out;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        out[std::size_t(y) * width + std::size_t(x)] = locked.pixels[y * (locked.pitch / 2) + x];
    back()->unlock();
    return out;
  }
  std::uint16_t pixel(int x, int y) const {
    platform::LockedPixels locked;
    if (back()->lock(locked) != platform::DisplayResult::Ok) return 0;
    const std::uint16_t p = locked.pixels[y * (locked.pitch / 2) + x];
    back()->unlock();
    return p;
  }
  int drawn_pixels() const {
    int n = 0;
    for (std::uint16_t p : pixels()) n += p != 0;
    return n;
  }
  test_support::Frame565 frame() const { return {width, height, pixels()}; }
  void expect_reference(const char* name) const {
    const std::string failure = test_support::compare_with_reference(name, frame());
    EXPECT_TRUE(failure.empty()) << failure;
  }

  platform::Window* window_ = nullptr;
  std::map<std::uint32_t, std::vector<std::uint8_t>> pictures_;
  fixtures::TempFolder dir_;
};

inline std::uint32_t red_of(std::uint16_t p) { return p >> 11; }
inline std::uint32_t green_of(std::uint16_t p) { return (p >> 5) & 63; }
inline std::uint32_t blue_of(std::uint16_t p) { return p & 31; }
