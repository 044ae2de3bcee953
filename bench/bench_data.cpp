// The object decoder: read_Item of a typical weapon record (name, help text, a dozen tagged
// fields) against a plain copy of the 576-byte record it fills.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench/ratio.h"
#include "data/item_data.h"
#include "data/object_db.h"
#include "tests/fixtures/objdata_writer.h"

namespace {
using namespace fixtures;

void load_objects() {
  static const bool loaded = [] {
    ObjectRecord weapon;
    weapon.name("\xC5K\xBC""C")  // 鐵劍
        .kind(202)
        .level(5)
        .price(120)
        .bonuses(12, 0, 3, 0, 1)
        .list_flags(0x01)
        .user_class(0)
        .tag(tag_costs, {op16(1), op16(2), op16(3), op8(0xF0)})
        .tag(tag_power, {op16(7)})
        .tag(tag_yin_yang, {op16(100), op16(200)})
        .tag(tag_talisman, {op8(1), op8(2)})
        .tag(tag_byte_242, {op8(3)})
        .info("\xA5\xAD\xA4Z\xAA\xBA\xC5K\xBC""C")                                     // 平凡的鐵劍
        .help("\xA5\xAD\xA4Z\xAA\xBA\xC5K\xBC""C%N\xA6^\xB4_\xA4@\xA8\xC7\xA5\xCD\xA9R");  // 平凡的鐵劍%N回復一些生命
    return install_item_data(objdata_gll({weapon}));
  }();
  (void)loaded;
}

void BM_ReadItem(benchmark::State& state) {
  load_objects();
  ItemData item;
  for (auto _ : state) {
    read_Item(1, &item);
    benchmark::DoNotOptimize(item);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadItem);

void BM_CopyItemData(benchmark::State& state) {
  ItemData from{}, to;
  for (auto _ : state) {
    benchmark::DoNotOptimize(from);
    std::memcpy(&to, &from, sizeof to);
    benchmark::DoNotOptimize(to);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CopyItemData);

QORV_RATIO("read_Item_vs_576_byte_copy", "BM_ReadItem", "BM_CopyItemData", bench::Rate::ItemsPerSecond);

}  // namespace
