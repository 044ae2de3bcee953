// Talk opcodes of role looks, fades and settings: what they change on a role of the map, in the
// placement row of a role elsewhere, and what they report for a role that is nowhere.
#include "data/role_rows.h"
#include "field/role_draw.h"
#include "field/role_path.h"
#include "g3d/act_archive.h"
#include "g3d/model_cache.h"
#include "script/talk_ops.h"
#include "tests/fixtures/act_kit.h"
#include "tests/fixtures/ply_model_kit.h"
#include "tests/script/talk_group_test.h"

namespace {
using namespace script_test;

constexpr std::uint16_t elsewhere = 2002;  // a placement row on map 7 only
constexpr std::uint16_t nowhere = 3003;    // neither live nor in a row
constexpr std::uint16_t other_map = 7;
constexpr std::uint16_t weapon_act = 2100;

const std::string talk5 = "\xB9\xEF\xB8\xDC" "5";
const std::string op_error = "\xAB\xFC\xA5O\xBF\xF9\xBB~";
const std::string not_found = "\xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7";
const std::string role_word = "\xA8\xA4\xA6\xE2";
// 對話5 指令錯誤 <op>: 找不到指定之 角色ID=<id>
std::string no_role(int op, int id) {
  return talk5 + " " + op_error + " " + std::to_string(op) + ": " + not_found + " " + role_word + "ID=" +
         std::to_string(id);
}
// 對話[5]指令錯誤120: 找不到指定之 角色ID<id>,
std::string no_expression_role(int id) {
  return "\xB9\xEF\xB8\xDC[5]" + op_error + "120: " + not_found + " " + role_word + "ID" + std::to_string(id) + ",";
}
// 對話5 指令錯誤138: 找不到指定之角色ID=<id>
std::string no_weapon_role(int id) {
  return talk5 + " " + op_error + "138: " + not_found + role_word + "ID=" + std::to_string(id);
}
// 對話5 指令錯誤168: 找不到指定之 角色ID<id>,QQ=<qq>
std::string no_pose_role(int id, int qq) {
  return talk5 + " " + op_error + "168: " + not_found + " " + role_word + "ID" + std::to_string(id) +
         ",QQ=" + std::to_string(qq);
}
// [角色<id>][武器ACT:<act> QQ:<qq>]動作資料錯誤!!
std::string weapon_failed(int id, int act, int qq) {
  return "[" + role_word + std::to_string(id) + "][\xAAZ\xBE\xB9" "ACT:" + std::to_string(act) +
         " QQ:" + std::to_string(qq) + "]\xB0\xCA\xA7@\xB8\xEA\xAE\xC6\xBF\xF9\xBB~!!";
}

MapsRoleRow placement(std::uint16_t map, std::uint16_t id) {
  MapsRoleRow row;
  row.MapID = map;
  row.RoleID = id;
  return row;
}

class TalkLooks : public TalkGroupTest {
 protected:
  TalkLooks() { load_rows(); }
  ~TalkLooks() override { del_all_role_path(); }

  // The villager stands on the map and has its row on map 1; the other role is on map 7.
  void load_rows(std::uint16_t state = 0, std::uint16_t flagex = 0) {
    fixtures::MapsDat db;
    db.roles = {placement(1, villager), placement(other_map, elsewhere)};
    for (MapsRoleRow& r : db.roles) {
      r.STATE = state;
      r.flagEx = flagex;
    }
    load_maps(db);
  }
  MapRole& villager_role() { return gmMapRole[villager_index]; }
  static MapsRoleRow row(std::uint16_t id) {
    const long pos = find_maps_role_row(id);
    EXPECT_GE(pos, 0) << id;
    return pos < 0 ? MapsRoleRow{} : read_maps_role_row(static_cast<std::size_t>(pos));
  }

  // Runs one opcode: it must end the slice, and the script goes on at the next call.
  void run_one(const std::string& source) {
    clear_flag(600);
    MapRole& ev = start(source + "; set_flag 600; end");
    EXPECT_FALSE(test_flag(600)) << source << ": ends the slice";
    run_talk(&ev);
    EXPECT_TRUE(test_flag(600)) << source << ": goes on";
  }
  // Fades the villager frame by frame as its drawing does; the frames until the fade stopped.
  int fade_frames() {
    int frames = 0;
    while (villager_role().fade_running && frames < 1000) {
      step_role_fade(villager_role());
      ++frames;
    }
    return frames;
  }
};

// What an opcode changed, read back from the live role and from a placement row.
enum class Field { state_keep_qq, state_bit_7, state_bit_21, flagex, talk, ai, qq, scale_percent, none };
std::uint32_t live_field(const MapRole& r, Field f) {
  switch (f) {
    case Field::state_keep_qq: return r.STATE & state_keep_qq;
    case Field::state_bit_7: return r.STATE & state_no_shadow;
    case Field::state_bit_21: return r.STATE & state_keeps_facing;
    case Field::flagex: return r.flagEx;
    case Field::talk: return r.TALK;
    case Field::ai: return r.AI;
    case Field::qq: return r.anim.qq;
    case Field::scale_percent: return static_cast<std::uint32_t>(r.scale * 100.0f + 0.5f);
    case Field::none: return 0;
  }
  return 0;
}
std::uint32_t row_field(const MapsRoleRow& r, Field f) {
  switch (f) {
    case Field::state_keep_qq: return r.STATE & state_keep_qq;
    case Field::state_bit_7: return r.STATE & state_no_shadow;
    case Field::flagex: return r.flagEx;
    case Field::talk: return r.TALK;
    case Field::ai: return r.AI;
    case Field::qq: return r.QQ;
    default: return 0;
  }
}

enum class Report { none, missing, expression, weapon, pose };

TEST_F(TalkLooks, EachOpcodeChangesTheLiveRoleItsRowOrReports) {
  constexpr std::uint16_t preset_state = state_keep_qq | state_no_shadow;
  struct Case {
    const char* op;   // the opcode's name
    const char* args; // its operands after the RoleID
    int number;
    bool preset;      // the bits are set on the role and in the rows beforehand
    Field field;
    std::uint32_t live, row_of_live, row_elsewhere;
    bool row_only_reports;
    Report nowhere_report;
  } cases[] = {
      {"keep_qq", "1", 141, false, Field::state_keep_qq, state_keep_qq, state_keep_qq, state_keep_qq, false,
       Report::missing},
      {"keep_qq", "0", 141, true, Field::state_keep_qq, 0, 0, 0, false, Report::missing},
      {"bit_7", "5", 151, false, Field::state_bit_7, state_no_shadow, state_no_shadow, state_no_shadow, false,
       Report::missing},
      {"bit_7", "0", 151, true, Field::state_bit_7, 0, 0, 0, false, Report::missing},
      {"flagex_on", "", 135, false, Field::flagex, 1, 0, 1, false, Report::missing},
      {"flagex_off", "", 170, true, Field::flagex, 0, 1, 0, false, Report::missing},
      {"set_talk", "77", 133, false, Field::talk, 77, 77, 77, false, Report::none},
      {"set_ai", "9", 132, false, Field::ai, 9, 9, 9, false, Report::none},
      {"bit_21", "", 160, false, Field::state_bit_21, state_keeps_facing, 0, 0, true, Report::missing},
      {"role_scale", "150L", 165, false, Field::scale_percent, 150, 0, 0, true, Report::missing},
      {"role_fade", "0 255 15", 157, false, Field::none, 0, 0, 0, true, Report::missing},
      {"pose", "4 2", 168, false, Field::qq, 4, 0, 4, false, Report::pose},
      {"expression", "0 0", 120, false, Field::none, 0, 0, 0, true, Report::expression},
      {"weapon_ani", "0 0 0", 138, false, Field::none, 0, 0, 0, true, Report::weapon},
  };
  auto expected_report = [](Report kind, int number, std::uint16_t id) {
    switch (kind) {
      case Report::none: return std::vector<std::string>{};
      case Report::missing: return std::vector<std::string>{no_role(number, id)};
      case Report::expression: return std::vector<std::string>{no_expression_role(id)};
      case Report::weapon: return std::vector<std::string>{no_weapon_role(id)};
      case Report::pose: return std::vector<std::string>{no_pose_role(id, 4)};
    }
    return std::vector<std::string>{};
  };
  for (const Case& c : cases) {
    for (std::uint16_t id : {villager, elsewhere, nowhere}) {
      SCOPED_TRACE(std::string(c.op) + " " + c.args + " on " + std::to_string(id));
      load_rows(c.preset ? preset_state : 0, c.preset ? 1 : 0);
      villager_role() = MapRole{};
      villager_role().RoleID = villager;
      if (c.preset) {
        villager_role().STATE = preset_state;
        villager_role().flagEx = 1;
      }
      reset_debug_log(nullptr);
      run_one(std::string(c.op) + " " + std::to_string(id) + " " + c.args);
      if (id == villager) {
        EXPECT_EQ(live_field(villager_role(), c.field), c.live);
        EXPECT_EQ(row_field(row(villager), c.field), c.row_of_live);
        EXPECT_EQ(messages(), std::vector<std::string>{});
      } else if (id == elsewhere) {
        EXPECT_EQ(row_field(row(elsewhere), c.field), c.row_elsewhere);
        EXPECT_EQ(messages(), c.row_only_reports ? expected_report(c.nowhere_report, c.number, id)
                                                 : std::vector<std::string>{});
      } else {
        EXPECT_EQ(messages(), expected_report(c.nowhere_report, c.number, id));
      }
    }
  }
}

TEST_F(TalkLooks, AKeptQqBitGivenElsewhereComesWithTheRoleWhenItsMapIsEntered) {
  run_one("keep_qq 2002 1");
  EXPECT_EQ(find_role(elsewhere), 0xFFFF);
  read_maps_role(other_map);
  const std::uint16_t i = find_role(elsewhere);
  ASSERT_NE(i, 0xFFFF);
  EXPECT_NE(gmMapRole[i].STATE & state_keep_qq, 0u);
}

TEST_F(TalkLooks, SettingTheAiRestartsItsScriptDropsThePathAndAiZeroClearsTheQq) {
  MapRole& v = villager_role();
  RolePath path;
  path.role = &v;
  add_role_path(&path);
  ASSERT_NE(find_role_path(villager), nullptr);
  struct Case {
    std::uint16_t ai, qq_after;
  } cases[] = {{9, 3}, {0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ai);
    v.ai_start = 40;
    v.ai_offset = 52;
    v.anim.qq = 3;
    run_one("set_ai 1001 " + std::to_string(c.ai));
    EXPECT_EQ(v.AI, c.ai);
    EXPECT_EQ(v.ai_start, 0u);
    EXPECT_EQ(v.ai_offset, 0u);
    EXPECT_EQ(v.anim.qq, c.qq_after);
    EXPECT_EQ(find_role_path(villager), nullptr) << "its walk is over";
  }
}

TEST_F(TalkLooks, AFadeInTakesSeventeenFramesAndAFadeOutLeavesTheRoleHidden) {
  struct Case {
    const char* args;
    int frames;
    std::uint8_t alpha, step_after;
  } cases[] = {
      {"0 255 15", 17, 255, 0},    // shown, and drawn normally again
      {"255 0 15", 17, 0, 15},     // hidden, and it stays so
      {"0 255 1", 128, 255, 0},    // a step of 1 moves by 2
      {"0 100 1", 50, 100, 2},     // an even distance is met exactly
      {"511 288 271", 15, 32, 15},  // the low bytes: 255 to 32 by 15
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    run_one(std::string("role_fade 1001 ") + c.args);
    EXPECT_EQ(villager_role().fade_running, 1);
    EXPECT_EQ(fade_frames(), c.frames);
    EXPECT_EQ(villager_role().fade_alpha, c.alpha);
    EXPECT_EQ(villager_role().fade_target, 0);
    EXPECT_EQ(villager_role().fade_step, c.step_after);
  }
}

TEST_F(TalkLooks, AFadeOfStepZeroEndsAtOnce) {
  struct Case {
    const char* args;
    std::uint8_t alpha;
    bool drawn_faded;
  } cases[] = {{"0 255 0", 255, false}, {"255 0 0", 0, true}, {"0 90 256", 90, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    clear_flag(600);
    MapRole& ev = start(std::string("role_fade 1001 ") + c.args + "; wait_role_fade 1001; set_flag 600; end");
    run_talk(&ev);
    run_talk(&ev);
    EXPECT_TRUE(test_flag(600)) << "nothing to wait for";
    EXPECT_EQ(villager_role().fade_running, 0);
    EXPECT_EQ(villager_role().fade_alpha, c.alpha);
    EXPECT_EQ(villager_role().fade_step != 0, c.drawn_faded);
    EXPECT_EQ(fade_frames(), 0);
  }
}

TEST_F(TalkLooks, WaitingOnAFadePassesOnceItReachedItsTarget) {
  MapRole& ev = start("role_fade 1001 0 255 15; wait_role_fade 1001; set_flag 600; end");
  const unsigned wait_at = at(ev);
  for (int frame = 0; frame < 16; ++frame) {
    run_talk(&ev);
    EXPECT_EQ(at(ev), wait_at) << frame;
    step_role_fade(villager_role());
  }
  run_talk(&ev);
  EXPECT_EQ(at(ev), wait_at) << "one frame to go";
  step_role_fade(villager_role());
  run_talk(&ev);
  EXPECT_GT(at(ev), wait_at);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600));
}

TEST_F(TalkLooks, WaitingOnAMissingRoleGoesOnWaitingAndReportsOncePerEvent) {
  MapRole* ev = &start("wait_role_fade 3003; set_flag 600; end");
  for (int i = 0; i < 5; ++i) run_talk(ev);
  EXPECT_FALSE(test_flag(600));
  EXPECT_EQ(at(*ev), 0u);
  EXPECT_EQ(messages(), std::vector<std::string>{no_role(158, nowhere)});
  // The same talk queued anew is another event.
  ev = &start("wait_role_fade 3003; set_flag 600; end");
  run_talk(ev);
  EXPECT_EQ(messages(), (std::vector<std::string>{no_role(158, nowhere), no_role(158, nowhere)}));
}

TEST_F(TalkLooks, WaitingOnTheFadeOfAPictureRolePasses) {
  villager_role().anim.kind = 1;  // its drawing never steps a fade
  MapRole& ev = start("role_fade 1001 0 255 15; wait_role_fade 1001; set_flag 600; end");
  run_talk(&ev);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600));
}

TEST_F(TalkLooks, ScaleIsAHundredthOfThePercentAndTheRowKeepsItWithItsSign) {
  struct Case {
    std::int32_t percent;
    float scale;
    std::int16_t row;
  } cases[] = {{150, 1.5f, 150}, {0, 0.0f, 0}, {-50, -0.5f, -50}, {100000, 327.67f, 32766},
               {-100000, -327.68f, -32768}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.percent);
    run_one("role_scale 1001 " + std::to_string(c.percent) + "L");
    EXPECT_FLOAT_EQ(villager_role().scale, c.scale);
    EXPECT_NEAR(static_cast<std::int16_t>(row_value(villager, 3)), c.row, 1);
    villager_role().scale = 9.0f;
    ASSERT_EQ(load_role_vars(&villager_role()), 1);
    EXPECT_NEAR(villager_role().scale, c.scale, 0.011f) << "entering the map again gives the same size";
  }
}

TEST_F(TalkLooks, TheSpeakerIsTheRoleThatTurnsToTheTalk) {
  MapRole& speaker = gmMapRole[find_role(narrator_role)];
  run_one("turned_to_talk 257");
  EXPECT_EQ(speaker.turned_to_talk, 1) << "the low byte";
  EXPECT_EQ(villager_role().turned_to_talk, 0);
  speaker.RoleID = 0xFF03;
  reset_debug_log(nullptr);
  MapRole& ev = start("turned_to_talk 1; end");  // the first call finds no speaker to hold
  run_talk(&ev);
  ASSERT_FALSE(messages().empty());
  EXPECT_EQ(messages().back(), no_role(159, 0xFF01));
}

TEST_F(TalkLooks, APoseHoldsItsQqAndTakesTheValueWhenItFinishes) {
  MapRole& v = villager_role();
  v.anim.act = 40;
  v.anim.frame = 7;
  v.anim.qq = 1;
  run_one("pose 1001 6 3");
  EXPECT_EQ(v.anim.act, 40);
  EXPECT_EQ(v.anim.qq, 6);
  EXPECT_EQ(v.anim.frame, 0) << "the animation starts again";
  EXPECT_NE(v.STATE & state_bit_5, 0u);
  EXPECT_EQ(*role_var(v, role_var_qq_when_finished), role_var_pending | 3);
  EXPECT_EQ(row(villager).QQ, 0) << "a role on the map keeps its row";
}

TEST_F(TalkLooks, AnExpressionIsSetAndActZeroEndsIt) {
  MapRole& v = villager_role();
  expression_mark = 0;
  start("expression 1001 33 2; end");  // the end of the talk would end the expression
  EXPECT_EQ(expression_mark, 1);
  EXPECT_EQ(v.expression_anim.act, 33);
  EXPECT_EQ(v.expression_anim.qq, 2);
  v.expression_anim.frame = 4;
  v.expression_saved_key = 77;
  start("expression 1001 0 5; end");
  EXPECT_EQ(v.expression_anim.act, 0);
  EXPECT_EQ(v.expression_anim.qq, 0);
  EXPECT_EQ(v.expression_anim.frame, 0);
  EXPECT_EQ(v.expression_saved_key, 0u);
}

TEST_F(TalkLooks, TheEndOfTheTalkEndsExpressionsButOfRolesThatKeepTheirLooks) {
  const int keeper = add_role(1002);
  gmMapRole[keeper].flagEx = 1;
  expression_mark = 0;
  MapRole& ev = start("expression 1001 33 2; expression 1002 34 1; end");
  EXPECT_EQ(expression_mark, 1);
  run_talk(&ev);
  run_talk(&ev);
  EXPECT_EQ(expression_mark, 0) << "the device textures were released once";
  EXPECT_EQ(villager_role().expression_anim.act, 0);
  EXPECT_EQ(gmMapRole[keeper].expression_anim.act, 34);
}

class TalkWeapon : public TalkLooks {
 protected:
  TalkWeapon() {
    Set_3dActPath((dir.path() / "ACT").string().c_str());
    Act_Memoryer_SetSize(act_default_budget);
    Set_3dActRenderer(nullptr);
    kit::write_act_archives((dir.path() / "ACT").string(),
                            {{weapon_act, kit::act_block({kit::act_script("TP 0; PA 0; ED; O2"),
                                                          kit::act_script("TP 0; PA 1; ED; O2")})}});
    EXPECT_EQ(Init_3dAct(), 1);
  }
  ~TalkWeapon() override { Close_3dAct(); }
};

TEST_F(TalkWeapon, TheWeaponTakesItsAnimationAndTheLeaderItsEquippedWeapon) {
  const int leader = add_role(1);
  gmRoleData[0].equip[0] = weapon_act;
  struct Case {
    std::uint16_t role;
    const char* args;
    std::uint16_t act, qq, show;
    bool stepped;
    std::vector<std::string> report;
  } cases[] = {
      {1001, "2100 0 1", weapon_act, 0, 1, true, {}},
      {1, "0 0 1", weapon_act, 1, 1, true, {}},              // the party's weapon
      {1001, "0 0 1", 0, 0, 1, false, {weapon_failed(1001, 0, 0)}},
      {1, "0 1 1", 0, 1, 1, false, {weapon_failed(1, 0, 1)}},  // only ACT and QQ 0 ask for it
      {1001, "2200 1 2", 2200, 1, 2, false, {}},            // another show value is only kept
      {1001, "2200 1 0", 2200, 1, 0, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.role) + " " + c.args);
    MapRole& r = c.role == 1 ? gmMapRole[leader] : villager_role();
    r.weapon_anim = ActInstance{};
    reset_debug_log(nullptr);
    run_one("weapon_ani " + std::to_string(c.role) + " " + c.args);
    EXPECT_EQ(r.weapon_anim.act, c.act);
    EXPECT_EQ(r.weapon_anim.qq, c.qq);
    EXPECT_EQ(*role_var(r, role_var_show_weapon), c.show);
    EXPECT_EQ(r.weapon_anim.loaded_act == c.act && c.act != 0, c.stepped) << "one step taken";
    EXPECT_EQ(messages(), c.report);
  }
}

// A model with six materials in the villager's hands, so that part 5 has a texture of its own.
class TalkExpressionModel : public TalkLooks {
 protected:
  static constexpr ModelId model_id = 5;
  static constexpr std::uint32_t own_key = 4321;
  TalkExpressionModel() {
    const std::string folder = (dir.path() / "MODEL").string();
    SetPolyPath(folder.c_str());
    const char* const indexes[6] = {"all_char.idx", "all_item.idx", "all_magic.idx",
                                    "all_sys.idx",  "all_map.idx",  "all_other.idx"};
    const char* const prefixes[6] = {"CH", "IT", "MG", "SY", "MP", "OT"};
    for (int g = 0; g < 6; ++g)
      write("MODEL/" + std::string(indexes[g]), kit::model_index("MODEL INDEX", "WLD", prefixes[g]));
    kit::PlyModelSpec desc = kit::box_model(10, 10, 10, 1);
    for (std::uint32_t m = 1; m < 6; ++m) desc.materials.push_back({0, 0, 0, m == 5 ? own_key : 1});
    write("MODEL/CH00005.PLY", kit::ply_file(desc));
    EXPECT_EQ(SFLB_InitPolyMemory(), 1);
  }
  ~TalkExpressionModel() override { FreePolyMemory(255); }
  void write(const std::string& relative, const std::vector<std::uint8_t>& bytes) {
    dir.write(relative, std::string(bytes.begin(), bytes.end()));
  }
};

TEST_F(TalkExpressionModel, ActZeroGivesPartFiveItsOwnTextureBack) {
  G3dPoly* model = GetPoly(model_id);
  ASSERT_NE(model, nullptr);
  ASSERT_EQ(model->materials.size(), 6u);
  MapRole& v = villager_role();
  v.anim.resource = model_id;
  v.expression_anim.act = 33;
  v.expression_saved_key = own_key;
  model->materials[5].tex_no = 999;  // the expression's picture, as a draw leaves it when cut short
  start("expression 1001 0 0; end");
  EXPECT_EQ(model->materials[5].tex_no, own_key);
  EXPECT_EQ(v.expression_anim.act, 0);
  EXPECT_EQ(v.expression_saved_key, 0u);
}

}  // namespace
