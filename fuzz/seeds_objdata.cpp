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
  for (std::uint16_t tag : {1001, 1010, 1020, 1030, 1040, 1050, 1100, 1101, 1200, 1300, 1500, 2001, 2002, 2003, 2004,
                            2005, 2006, 2007, 2008, 2009, 2010, 2011, 2012, 2013, 2015, 2019, 2020, 2021, 2022, 2050,
                            2051, 2100, 2101, 2103, 2200, 2500, 9907, 9908, 9909, 9912}) {
    all.tag(tag);
    all.raw(Bytes(16, 0x41));  // more operand bytes than any tag takes; the rest reads as tags
  }
  seeds.emplace_back("tags.gll", objdata_gll({ObjectRecord().name("name").help("help%N").info("info").kind(110).level(61),
                                              all, ObjectRecord::empty_record(),
                                              ObjectRecord().tag(9906).raw({'A', 0xFF, 0xFF}).unended()},
                                             true));
  seeds.emplace_back("unended.gll", objdata_gll({ObjectRecord().level(3).unended()}, false));
}

QORV_FUZZ_SEEDS("objdata", objdata_seeds);

}  // namespace
