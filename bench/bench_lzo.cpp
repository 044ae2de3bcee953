// LZO unpacking and the sprite cache, as ratios against baselines of the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <vector>

#include "bench/ratio.h"
#include "core/mem_mgr.h"
#include "g3d/lzo_block.h"
#include "gfx2d/memoryer.h"
#include "tests/fixtures/lzo_block_kit.h"
#include "tests/fixtures/tsw_archive_kit.h"

namespace {

constexpr int kFrames = 16;  // a typical character picture: 16 frames of 64 x 96

struct FrameSet {
  FrameSet() {
    kit::TswPicture pic = kit::sample_tsw_picture(kFrames, 64, 96, 1);
    for (auto& frame : pic.frames) {
      blocks.push_back(kit::lzo_block(frame.picture));
      unpacked_bytes += frame.picture.size();
      pictures.push_back(frame.picture);
    }
  }
  std::vector<std::vector<std::uint8_t>> blocks, pictures;
  std::size_t unpacked_bytes = 0;
};

const FrameSet& frame_set() {
  static FrameSet set;
  return set;
}

void BM_lzo_unpack_frames(benchmark::State& state) {
  const FrameSet& set = frame_set();
  for (auto _ : state) {
    for (const auto& block : set.blocks) {
      std::uint32_t size = 0;
      std::uint8_t* out = unpack_lzo_block(block.data(), block.size(), 1u << 24, &size);
      benchmark::DoNotOptimize(out);
      MemMgr_Free(out);
    }
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(set.unpacked_bytes));
}
BENCHMARK(BM_lzo_unpack_frames);

void BM_memcpy_frames(benchmark::State& state) {
  const FrameSet& set = frame_set();
  std::vector<std::uint8_t> dest(set.unpacked_bytes);
  for (auto _ : state) {
    std::size_t at = 0;
    for (const auto& picture : set.pictures) {
      std::memcpy(dest.data() + at, picture.data(), picture.size());
      at += picture.size();
    }
    benchmark::DoNotOptimize(dest.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(set.unpacked_bytes));
}
BENCHMARK(BM_memcpy_frames);

// Archives with one 16-frame picture, written once to a temporary folder.
struct SpriteArchives {
  SpriteArchives() {
    folder = std::filesystem::temp_directory_path() / "qorv_bench_tsw";
    std::filesystem::remove_all(folder);
    kit::write_tsw_archives(folder.string(), {{101, kit::sample_tsw_picture(kFrames, 64, 96, 2)}});
    Memoryer_SetPath(folder.string().c_str());
    ok = Init_Memoryer() == 1;
    Memoryer_SetSize(0x1000000);
  }
  ~SpriteArchives() {
    Close_Memoryer();
    std::filesystem::remove_all(folder);
  }
  std::filesystem::path folder;
  bool ok = false;
};

SpriteArchives& archives() {
  static SpriteArchives a;
  return a;
}

void get_frames(benchmark::State& state) {
  for (int f = 0; f < kFrames; ++f)
    if (!Memoryer_GetPic(101, f)) state.SkipWithError("frame missing");
}

void BM_tsw_cache_hit(benchmark::State& state) {
  if (!archives().ok) return state.SkipWithError("archives missing");
  Memoryer_Free(255);
  get_frames(state);
  for (auto _ : state) get_frames(state);
  state.SetItemsProcessed(std::int64_t(state.iterations()) * kFrames);
}
BENCHMARK(BM_tsw_cache_hit);

void BM_tsw_cache_miss(benchmark::State& state) {
  if (!archives().ok) return state.SkipWithError("archives missing");
  for (auto _ : state) {
    Memoryer_Free(255);
    get_frames(state);
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * kFrames);
}
BENCHMARK(BM_tsw_cache_miss);

QORV_RATIO("lzo_unpack_vs_memcpy", "BM_lzo_unpack_frames", "BM_memcpy_frames", bench::Rate::BytesPerSecond);
QORV_RATIO("tsw_cache_hit_vs_miss", "BM_tsw_cache_hit", "BM_tsw_cache_miss", bench::Rate::ItemsPerSecond);

}  // namespace
