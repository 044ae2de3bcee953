// Battlefield records: their offsets, the file read by index (short, missing, beyond its
// records), and the ground the units stand on.
#include <cstring>
#include <memory>

#include "g3d/wld_world.h"
#include "tests/battle/battle_test.h"
#include "tests/fixtures/battlefield_writer.h"
#include "tests/fixtures/temp_folder.h"

namespace {
using namespace battle_test;

class Battlefield : public BattleTest {};

void put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
  b[at] = std::uint8_t(v), b[at + 1] = std::uint8_t(v >> 8);
}
void putf(std::vector<std::uint8_t>& b, std::size_t at, float v) { std::memcpy(&b[at], &v, 4); }

TEST_F(Battlefield, EachFieldIsReadAtItsOffset) {
  namespace o = battlefield_offset;
  std::vector<std::uint8_t> image(battlefield_record_size);
  putf(image, o::fog + 16, 900.0f);
  putf(image, o::spot + 16 * 3 + 8, -400.0f);
  putf(image, o::yaw + 4 * 9, 45.0f);
  put16(image, o::world_act, 3001);
  put16(image, o::world_qq, 2);
  put16(image, o::deco_act, 3002);
  put16(image, o::deco_qq, 5);
  put16(image, o::enemy_count, 4);
  put16(image, o::enemy + 2 * 9, 77);
  EXPECT_EQ(o::fog, 0u);
  EXPECT_EQ(o::spot, 24u);
  EXPECT_EQ(o::yaw, 536u);
  EXPECT_EQ(o::world_act, 634u);
  EXPECT_EQ(o::enemy_count, 642u);
  EXPECT_EQ(o::enemy, 644u);
  const BattlefieldRecord r = battlefield_from_image(image);
  EXPECT_EQ(r.fog.end, 900.0f);
  EXPECT_EQ(r.spot[3][2], -400.0f);
  EXPECT_EQ(r.yaw[9], 45.0f);
  EXPECT_EQ(r.world_act, 3001);
  EXPECT_EQ(r.world_qq, 2);
  EXPECT_EQ(r.deco_act, 3002);
  EXPECT_EQ(r.deco_qq, 5);
  EXPECT_EQ(r.enemy_count, 4);
  EXPECT_EQ(r.enemy[9], 77);
}

TEST_F(Battlefield, MoreThanTenEnemiesAreTen) {
  kit::BattlefieldSpec spec;
  spec.count_override = 500;
  EXPECT_EQ(battlefield_from_image(kit::battlefield_record(spec)).enemy_count, 10);
}

class BattlefieldFile : public Battlefield {
 protected:
  BattlefieldFile() { init_fight_field((folder_.str() + "/ACT").c_str()); }
  void write(const std::vector<std::uint8_t>& bytes) {
    folder_.write("ACT/Battlefield.dat", std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }
  static kit::BattlefieldSpec field(std::uint16_t act, std::uint16_t monster) {
    kit::BattlefieldSpec s;
    s.world_act = act;
    s.enemies.push_back({monster, 10, 80, -20, 1, 90});
    return s;
  }
  fixtures::TempFolder folder_;
};

TEST_F(BattlefieldFile, ARecordIsReadByIndexAndTheHeaderIsIgnored) {
  write(kit::battlefield_dat({field(11, 101), field(12, 102), field(13, 103)}));
  BattlefieldRecord r;
  ASSERT_EQ(load_field(&r, 2), 1);
  EXPECT_EQ(r.world_act, 13);
  EXPECT_EQ(r.enemy_count, 1);
  EXPECT_EQ(r.enemy[0], 103);
  EXPECT_EQ(r.spot[0][0], 10.0f);
  EXPECT_EQ(r.yaw[0], 90.0f);
}

TEST_F(BattlefieldFile, AShortFileReadsEmptyRecordsNeverTheOneBefore) {
  std::vector<std::uint8_t> bytes = kit::battlefield_dat({field(11, 101), field(12, 102)}, 2);
  bytes.resize(bytes.size() - 100);  // record 1 cut inside its enemies
  write(bytes);
  BattlefieldRecord r;
  ASSERT_EQ(load_field(&r, 0), 1);
  EXPECT_EQ(r.world_act, 11);
  ASSERT_EQ(load_field(&r, 1), 1);
  EXPECT_EQ(r.world_act, 12) << "the part that is there is read";
  ASSERT_EQ(load_field(&r, 5), 1);
  EXPECT_EQ(r.world_act, 0);
  EXPECT_EQ(r.enemy_count, 0);
}

TEST_F(BattlefieldFile, AMissingFileIsCreatedEmpty) {
  std::filesystem::create_directories(folder_.path() / "ACT");
  BattlefieldRecord r;
  r.world_act = 9;
  ASSERT_EQ(load_field(&r, 0), 1);
  EXPECT_EQ(r.world_act, 0) << "an empty record: the battle reports it";
  EXPECT_TRUE(std::filesystem::exists(folder_.path() / "ACT" / "Battlefield.dat"));
}

TEST_F(BattlefieldFile, AnIndexBeyondTheRecordsIsRefused) {
  write(kit::battlefield_dat({field(11, 101)}));
  BattlefieldRecord r;
  r.world_act = 9;
  for (std::uint16_t index : {std::uint16_t(1000), std::uint16_t(65535)}) {
    EXPECT_EQ(load_field(&r, index), 0) << index;
    EXPECT_EQ(r.world_act, 9) << "the record keeps its content";
  }
  ASSERT_EQ(load_field(&r, 999), 1);
  EXPECT_EQ(r.world_act, 0);
}

// A world with a 2 x 1 collision grid of cells 100 wide from x 0, z 0.
class Ground : public Battlefield {
 protected:
  Ground() {
    world_.lpCollArray = std::make_unique<CollArray>();
    CollArray& g = *world_.lpCollArray;
    g.nx = 2, g.ny = 1, g.nz = 1;
    g.min[1] = -500;
    g.cell[0] = g.cell[2] = 100;
    fight_ground_world = &world_;
  }
  // A triangle covering the cell x 0-200 / z 0-200 on the plane n . p = d.
  void add_tri(float nx, float ny, float d, float y0) {
    CollTri t{};
    auto y_at = [&](float x) { return (d - nx * x) / ny; };
    t.k0[0] = 0, t.k0[1] = y_at(0), t.k0[2] = 0;
    t.k1[0] = 200, t.k1[1] = y_at(200), t.k1[2] = 0;
    t.k2[0] = 0, t.k2[1] = y_at(0), t.k2[2] = 200;
    (void)y0;
    t.n[0] = nx, t.n[1] = ny, t.n[2] = 0;
    t.d = d;
    world_.Mask.lpCollTri.push_back(t);
  }
  void cells(std::vector<std::vector<std::uint32_t>> lists) {
    CollArray& g = *world_.lpCollArray;
    g.lpColl.clear();
    g.lpTotFaceList.clear();
    for (auto& l : lists) {
      g.lpColl.push_back({std::uint16_t(l.size()), 0, std::uint32_t(g.lpTotFaceList.size())});
      g.lpTotFaceList.insert(g.lpTotFaceList.end(), l.begin(), l.end());
    }
  }
  G3dWld world_;
};

TEST_F(Ground, TheHighestTriangleCrossedWins) {
  add_tri(0, 1, 10, 0);
  add_tri(0, 1, 50, 0);
  add_tri(0, 1, 30, 0);
  cells({{0, 1, 2}, {0}});
  G3dVector p{50, 80, 50, 7};
  G3dVertex quad[4];
  ASSERT_EQ(fight_ground_height(&p, 0, 200, 0, 30, quad), 1);
  EXPECT_EQ(p.y, 50.0f);
  EXPECT_EQ(p.w, 7.0f) << "w is carried";
  for (const G3dVertex& v : quad) EXPECT_FLOAT_EQ(v.y, 51.0f);
  EXPECT_EQ(fight_ground_exists(50, 0, 50), 1);
}

TEST_F(Ground, OfTwoTrianglesAtOneHeightTheFirstListedGivesTheQuad) {
  add_tri(0, 1, 30, 0);       // flat at 30
  add_tri(-0.5f, 1, 5, 0);    // tilted, 30 at x 50
  for (int first : {0, 1}) {
    cells({{std::uint32_t(first), std::uint32_t(1 - first)}, {}});
    G3dVector p{50, 0, 50, 0};
    G3dVertex quad[4];
    ASSERT_EQ(fight_ground_height(&p, 0, 200, 0, 30, quad), 1);
    EXPECT_FLOAT_EQ(p.y, 30.0f);
    const bool flat = quad[0].y == quad[1].y && quad[1].y == quad[2].y;
    EXPECT_EQ(flat, first == 0) << first;
  }
}

TEST_F(Ground, PointsOutsideTheGridOrOverNothingHaveNoGround) {
  add_tri(0, 1, 10, 0);
  cells({{0}, {0, 99}});
  struct Case {
    float x, z;
    int ground;
  } cases[] = {{50, 50, 1}, {100, 50, 1}, {99.99f, 50, 1}, {-10, 50, 0}, {50, -1, 0}, {200, 50, 0}, {50, 100, 0}};
  for (const Case& c : cases) {
    G3dVector p{c.x, 40, c.z, 0};
    EXPECT_EQ(fight_ground_height(&p, 0, 200, 0, 30, nullptr), c.ground) << c.x << " " << c.z;
    if (!c.ground) {
      EXPECT_EQ(p.y, 40.0f) << "unchanged";
    }
  }
}

TEST_F(Ground, ACellOnItsBoundaryIsTheHigherOne) {
  add_tri(0, 1, 10, 0);
  add_tri(0, 1, 60, 0);
  cells({{0}, {1}});
  G3dVector p{100, 0, 0, 0};
  ASSERT_EQ(fight_ground_height(&p, 0, 200, 0, 30, nullptr), 1);
  EXPECT_EQ(p.y, 60.0f);
}

TEST_F(Ground, NoWorldABadCellSizeOrABadIndexGiveNoGround) {
  add_tri(0, 1, 10, 0);
  cells({{7}, {0}});
  G3dVector p{50, 0, 50, 0};
  EXPECT_EQ(fight_ground_height(&p, 0, 200, 0, 30, nullptr), 0) << "an index beyond the list";
  world_.lpCollArray->cell[0] = 0;
  p = {150, 0, 50, 0};
  EXPECT_EQ(fight_ground_height(&p, 0, 200, 0, 30, nullptr), 0) << "cell size 0";
  world_.lpCollArray->cell[0] = 100;
  fight_ground_world = nullptr;
  EXPECT_EQ(fight_ground_height(&p, 0, 200, 0, 30, nullptr), 0);
  EXPECT_EQ(fight_ground_exists(150, 0, 50), 0);
}

TEST_F(Ground, AUnitPlacedIsDroppedOntoTheGroundAndXNearZeroIsZero) {
  add_tri(0, 1, 25, 0);
  cells({{0}, {0}});
  FightMan& u = gmFightMan[6];
  u.SetPosition(0.5f, 80, 50);
  EXPECT_EQ(u.pos.x, 0.0f);
  EXPECT_EQ(u.pos.y, 25.0f);
  EXPECT_EQ(u.home.y, 25.0f);
  EXPECT_EQ(u.ground_half, 30.0f);
  u.MoveTo(150, 300, 50);
  EXPECT_EQ(u.pos.x, 150.0f);
  EXPECT_EQ(u.pos.y, 25.0f);
  EXPECT_EQ(u.home.x, 0.0f) << "a move keeps the home point";
}

}  // namespace
