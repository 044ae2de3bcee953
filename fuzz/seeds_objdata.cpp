// Seeds for fuzz_objdata: ObjData.GLL files: the sample game's, one with every tag, broken records.
#include "fuzz/seeds.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/fixtures/sample_data.h"

namespace {
using namespace fixtures;
using Seeds = std::vector<std::pair<std::string, fuzz_seeds::Bytes>>;

void objdata_seeds(Seeds& seeds) {
  seeds.emplace_back("sample.gll", sample_data_file("ObjData.GLL"));
  ObjectRecord all;
  const std::uint16_t fixed_tags[] = {
      tag_atb_delay, tag_byte_222, tag_word_98, tag_ai_actions, tag_ai_uses, tag_treasure_code,
      tag_drop_and_steal, tag_words_200_204_176, tag_bytes_251, tag_byte_249_a, tag_bytes_223, tag_price,
      tag_action_flags, tag_stats, tag_costs, tag_target_mode, tag_power, tag_status_low, tag_status_low_upper,
      tag_hp_sp_amounts, tag_mp_amounts, tag_yin_yang, tag_rage_add, tag_talisman, tag_byte_242, tag_status_high,
      tag_word_202, tag_max_hp, tag_monster_speed, tag_byte_244, tag_byte_249_b, tag_words_204, tag_yin_yang_and_words_216,
      tag_bytes_223_to_226, tag_byte_232, tag_atk_script, tag_level, tag_growth, tag_kind, tag_word_94};
  for (std::uint16_t tag : fixed_tags) {
    all.tag(tag);
    all.raw(Bytes(16, 0x41));  // more operand bytes than any tag takes; the rest reads as tags
  }
  seeds.emplace_back("tags.gll", objdata_gll({ObjectRecord().name("name").help("help%N").info("info").kind(110).level(61),
                                              all, ObjectRecord::empty_record(),
                                              ObjectRecord().tag(tag_name).raw({'A', 0xFF, 0xFF}).unended()},
                                             true));
  seeds.emplace_back("unended.gll", objdata_gll({ObjectRecord().level(3).unended()}, false));
}

QORV_FUZZ_SEEDS("objdata", objdata_seeds);

}  // namespace
