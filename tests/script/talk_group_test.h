#pragma once
// Shared set-up of the tests of the talk opcode groups: the script fixture with a map database
// (for the role-variable rows and the music tables), a small object database (for the bag and the
// art lists), and one-slice runs of an assembled talk.
#include <string>

#include "core/byte_reader.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "data/item_list.h"
#include "data/maps_db.h"
#include "data/object_db.h"
#include "data/party.h"
#include "data/role_vars.h"
#include "script/talk_interpreter.h"
#include "tests/fixtures/maps_writer.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/script/script_test.h"

namespace script_test {

class TalkGroupTest : public ScriptTest {
 protected:
  static constexpr std::uint16_t villager = 1001;
  static constexpr int object_count = 8;  // objects 1-8 can be read

  TalkGroupTest() {
    add_role(narrator_role);
    villager_index = add_role(villager);
    std::vector<fixtures::ObjectRecord> objects(object_count);
    for (auto& o : objects) o.kind(201);
    dir.write("ObjData.GLL", fixtures::as_string(fixtures::objdata_gll(objects)));
    SFINIT0_open_item_data();
    open_item_data();
  }
  ~TalkGroupTest() override { free_party_items(); }

  void load_maps(const fixtures::MapsDat& db = {}) {
    dir.write("maps.dat", fixtures::as_string(fixtures::maps_dat(db)));
    open_maps_data();
  }

  // Queues talk 5 from source and runs its first slice.
  MapRole& start(const std::string& source) {
    load_talk(5, source);
    MapRole& ev = queue(5);
    run_talk(&ev);
    return ev;
  }
  // Where the event stands in its script, counted from its first opcode.
  static unsigned at(const MapRole& ev) { return ev.talk_offset - ev.talk_start; }
  // The word at a place of the event's loaded script.
  static std::uint16_t script_word(const MapRole& ev, unsigned offset) {
    return word_at(ev.talk_base, ev.talk_start + offset);
  }
  static std::uint16_t word_at(int talk_base, std::size_t pos) {
    const DataPool& buf = TalksCache[talk_base].buf;
    return ByteReader(buf.bytes, buf.size).u16_at(pos);
  }

  // The place of a role's variable row in gmRoleVar; -1 when the role has none.
  static long row_of(std::uint16_t role_id) {
    ByteReader rows(gmRoleVar, role_var_block_size);
    for (std::size_t p = 0; rows.has(p, role_var_row_size) && rows.u16_at(p) != 0; p += role_var_row_size)
      if (rows.u16_at(p) == role_id) return static_cast<long>(p);
    return -1;
  }
  // Variable v (1-8) as the role's row holds it; 0 when the role has no row.
  static std::uint16_t row_value(std::uint16_t role_id, int v) {
    const long p = row_of(role_id);
    return p < 0 ? 0 : ByteReader(gmRoleVar, role_var_block_size).u16_at(std::size_t(p) + 2 * std::size_t(v));
  }

  int villager_index = 0;
};

}  // namespace script_test
