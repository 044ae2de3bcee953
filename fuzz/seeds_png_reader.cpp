// Seeds for fuzz_png_reader: small frames written by the PNG writer.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/seeds.h"
#include "platform/png_writer.h"

namespace {

fuzz_seeds::Bytes png_of(int width, int height, std::uint16_t seed) {
  std::vector<std::uint16_t> pixels(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = static_cast<std::uint16_t>(seed + i * 0x0841);
  const std::string path =
      (std::filesystem::temp_directory_path() / ("qorv_seed_" + std::to_string(seed) + ".png"))
          .string();
  fuzz_seeds::Bytes bytes;
  if (platform::write_png_rgb565(path, pixels.data(), width, height, width)) {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::remove(path.c_str());
  return bytes;
}

void write_seeds(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  seeds.push_back({"one_pixel", png_of(1, 1, 0xFFFF)});
  seeds.push_back({"strip", png_of(16, 3, 0x1234)});
  seeds.push_back({"square", png_of(20, 20, 0x0841)});
}

QORV_FUZZ_SEEDS("png_reader", write_seeds);

}  // namespace
