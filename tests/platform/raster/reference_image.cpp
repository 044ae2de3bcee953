// Reference images through the platform's PNG writer and reader.
#include "tests/platform/raster/reference_image.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/png_reader.h"
#include "platform/png_writer.h"
#include "qorv_source_dir.h"

namespace test_support {
namespace {

std::string reference_path(const std::string& name) {
  return std::string(QORV_SOURCE_DIR) + "/tests/g3d/reference/" + name + ".png";
}

// Same pixels dimmed, differing pixels in full red.
Frame565 diff_frame(const Frame565& actual, const std::vector<std::uint16_t>& expected) {
  Frame565 diff = actual;
  for (std::size_t i = 0; i < diff.pixels.size(); ++i)
    diff.pixels[i] = actual.pixels[i] == expected[i] ? std::uint16_t((actual.pixels[i] >> 2) & 0x39E7) : 0xF800;
  return diff;
}

}  // namespace

bool write_png(const std::string& path, const Frame565& frame) {
  return platform::write_png_rgb565(path, frame.pixels.data(), frame.width, frame.height, frame.width);
}

std::string compare_with_reference(const std::string& name, const Frame565& frame) {
  const std::string ref = reference_path(name);
  const char* update = std::getenv("QORV_UPDATE_REFERENCES");
  if (update && std::strcmp(update, "1") == 0) {
    if (!write_png(ref, frame)) return "cannot write reference " + ref;
    return {};
  }
  std::vector<std::uint16_t> expected;
  int w = 0, h = 0;
  std::string failure;
  int differing = 0;
  if (!platform::read_png_rgb565(ref, expected, w, h)) {
    failure = "no readable reference " + ref + " (QORV_UPDATE_REFERENCES=1 writes it)";
  } else if (w != frame.width || h != frame.height) {
    failure = "reference " + ref + " has another size";
  } else {
    for (std::size_t i = 0; i < expected.size(); ++i) differing += frame.pixels[i] != expected[i];
    if (differing == 0) return {};
    failure = std::to_string(differing) + " pixels differ from " + ref;
  }
  // Into the build tree, wherever the test was started from.
  std::filesystem::create_directories(QORV_TEST_OUTPUT_DIR);
  const std::string out = std::string(QORV_TEST_OUTPUT_DIR) + "/" + name;
  const std::string actual_path = out + ".actual.png", diff_path = out + ".diff.png";
  write_png(actual_path, frame);
  if (differing > 0) write_png(diff_path, diff_frame(frame, expected));
  return failure + "; wrote " + actual_path + (differing > 0 ? " and " + diff_path : std::string());
}

Frame565 shot_on_screen(const std::string& dir, int n) {
  Frame565 frame;
  int best = -1;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
    const int number = std::atoi(entry.path().stem().string().c_str());
    if (number <= n && number > best) best = number;
  }
  if (best < 0) return frame;
  char name[32];
  std::snprintf(name, sizeof name, "/%06d.png", best);
  if (!platform::read_png_rgb565(dir + name, frame.pixels, frame.width, frame.height)) frame = Frame565{};
  return frame;
}

}  // namespace test_support
