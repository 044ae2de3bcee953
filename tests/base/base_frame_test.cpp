// The base pages against reference frames, on the base kit's pictures and fake fonts: the
// workers page with a worker's card, the weapons page's order panel, the training hall's master
// list with both spell panels, the magic page, the residents list with a card and the formation
// ground with a candidate's card.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/base_camp.h"
#include "base/base_pages.h"
#include "base/base_top_menu.h"
#include "base/formation_screen.h"
#include "base/house_kinds.h"
#include "base/houses_screen.h"
#include "base/production_screen.h"
#include "base/residents.h"
#include "base/residents_screen.h"
#include "base/training_hall.h"
#include "base/training_screen.h"
#include "base/workers_screen.h"
#include "core/flags.h"
#include "core/text_colours.h"
#include "data/item_list.h"
#include "data/magic_study.h"
#include "data/maps_db.h"
#include "g3d/act_archive.h"
#include "g3d/grp3d_device.h"
#include "g3d/renderer.h"
#include "gfx2d/big5_gb_table.h"
#include "gfx2d/cddraw.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/memoryer.h"
#include "platform/display.h"
#include "platform/window.h"
#include "tests/base/base_test.h"
#include "tests/field/village_scene.h"
#include "tests/fixtures/act_kit.h"
#include "tests/fixtures/maps_writer.h"
#include "tests/gfx2d/fake_font.h"
#include "tests/platform/raster/reference_image.h"

namespace {
using namespace base_test;

enum : std::uint16_t { fire = 150, ice, sword, herb };
constexpr std::uint16_t recipe_flag = 900;

struct FontRow {
  GlyphFont* font;
  int size, advance;
};
const FontRow page_fonts[] = {{&base_font_20, 20, 20}, {&base_font_12, 12, 14}, {&base_font_14, 14, 14},
                              {&base_font_16, 16, 18}, {&base_font_18, 18, 18}};

class BaseFrames : public BaseTest {
 protected:
  BaseFrames() {
    using fixtures::ObjectRecord;
    std::vector<ObjectRecord> objects(herb, ObjectRecord::empty_record());
    objects[wolf - 1] = ObjectRecord().name("wolf").kind(111).level(3).skill_need(2, 0, 1, 0).teach_spell(fire);
    objects[bear - 1] = ObjectRecord().name("bear").kind(112).level(5).skill_need(0, 3, 0, 1).teach_spell(ice);
    objects[fox - 1] = ObjectRecord().name("fox").kind(113).level(1).skill_need(1, 1, 1, 1);
    objects[fire - 1] = ObjectRecord().name("fire").kind(300).level(1).study_goal(100).help("burns");
    objects[ice - 1] = ObjectRecord().name("ice").kind(300).level(1).study_goal(200).help("freezes");
    objects[sword - 1] = ObjectRecord().name("sword").kind(101).costs(0, 0, 0, 20).materials({herb, 0, 0, 0, 0});
    objects[herb - 1] = ObjectRecord().name("herb").kind(201);
    use_objects(objects);
    const std::string act = (dir.path() / "ACT").string();
    std::filesystem::create_directories(act);
    kit::write_act_archives(act, fixtures::base_page_act_blocks());
    kit::write_tsw_archives(act, fixtures::base_page_pictures());
    platform::reset_display_config();
    window_ = platform::create_window({"QORV", platform::default_window_proc}, "QORV", 640, 480);
    ok_ = d3d_device.init(window_, &display_device, 0, DDRAW_WINDOWED, 2, 640, 480, 16) == 1 &&
          renderer.init(&d3d_device) == 1;
    renderer.set_viewport(0, 0, 640, 480, 10.0f, 200.0f, 10000.0f);
    Set_3dActPath(act.c_str());
    Memoryer_SetPath(act.c_str());
    ok_ = ok_ && Init_3dAct() == 1 && Init_Memoryer() == 1;
    Set_3dActRenderer(&renderer);
    fake_font::install();
    for (const FontRow& f : page_fonts) {
      f.font->init(&display_device);
      f.font->set_font(kGameFontFace, f.size);
      f.font->set_advance(f.advance);
    }
    init_big5_gb();
    for (int i = 0; i < text_colour_count; ++i) text_colours[i] = rgb_to_rgb555(text_colour_table[i]);
    mouse_keyboard_lock = 1;
    renderer.draw_rect(0, 0, 640, 480, 0xFF000000, 0);
  }
  ~BaseFrames() override {
    reset_training_screen();
    reset_production_screens();
    reset_residents_screen();
    reset_formation_selection();
    formation_state = formation_choose;
    worker_substate = idle_count = 0;
    worker_slot = 1;
    reset_idle_list();
    selected_house_id = picked_house_id = 0;
    free_magic_study();
    current_study = MagicStudy{};
    for (ItemNode& n : party_magic) n = ItemNode{};
    free_item_list(&party_bag);
    clear_flag(recipe_flag);
    close_maps_data();
    mouse_keyboard_lock = 0;
    for (const FontRow& f : page_fonts) f.font->release();
    fake_font::uninstall();
    Close_3dAct();
    Close_Memoryer();
    renderer.release();
    d3d_device.release();
    display_device.release();
    platform::free_window(window_);
  }
  void expect_reference(const char* name) {
    ASSERT_TRUE(ok_);
    EXPECT_EQ(test_support::compare_with_reference(name, test_support::back_frame()), "");
  }
  platform::Window* window_ = nullptr;
  bool ok_ = false;
};

TEST_F(BaseFrames, TheWorkersPageShowsTheHighlightedWorkersCard) {
  HouseRecord* home = built_house(house_brick, 0, 0);
  put(home, {wolf, bear, fox});
  HouseRecord* shop = built_house(house_weapons_1, 4, 4);
  assign_worker(shop, home, 0);
  assign_worker(shop, home, 1);
  selected_house_id = shop->id;
  worker_substate = workers_remove;
  worker_slot = 2;
  draw_workers_screen();
  EXPECT_EQ(shop->skill_totals[1], 3);
  expect_reference("base_workers_card");
}

TEST_F(BaseFrames, TheWeaponsPageShowsTheOrderPanel) {
  fixtures::MapsDat db;
  db.recipes[1] = {{1, recipe_flag, {sword}}};
  write("maps.dat", fixtures::maps_dat(db));
  open_maps_data();
  set_flag(recipe_flag);
  HouseRecord* shop = built_house(house_weapons_1, 0, 0);
  picked_house_id = shop->id;
  base_sub_mode = base_weapons;
  party_money = 100;
  add_item(&party_bag, herb, 3, 2);
  ProductionScreen& s = production_screen(base_weapons);
  list_production_recipes(s, production_family(base_weapons));
  open_production_order(s, production_family(base_weapons));
  production_plus(s);
  ASSERT_EQ(s.quantity, 2);
  draw_production_screen();
  expect_reference("base_order_panel");
}

TEST_F(BaseFrames, TheTrainingHallListsItsMasterAndACandidate) {
  HouseRecord* home = built_house(house_brick, 0, 0);
  put(home, {wolf, bear});
  HouseRecord* hall = built_house(house_training, 9, 0);
  picked_house_id = hall->id;
  list_masters();
  ASSERT_EQ(choose_master(1), 1);
  current_study.progress = 40;
  training_cursor = 2;
  draw_training_hall();
  ASSERT_EQ(master_count, 2);
  expect_reference("base_training_list");
}

TEST_F(BaseFrames, TheMagicPageShowsLearnedAndEquippedSpells) {
  for (std::uint16_t spell : {ice, fire}) {
    MagicStudy m{};
    m.spell_id = spell, m.goal = m.progress = 100, m.learned = 1;
    add_magic_study(&m);
  }
  party_magic[0].object = ice;
  training_page = training_magic;
  magic_focus = magic_equipped;
  draw_magic_page();  // the bars and thumbs follow the counts of the frame before
  draw_magic_page();
  EXPECT_EQ(magic_count[0], 2);
  EXPECT_EQ(magic_count[1], 1);
  expect_reference("base_magic_page");
}

TEST_F(BaseFrames, TheResidentsListShowsTheHighlightedResidentsCard) {
  HouseRecord* first = built_house(house_brick, 0, 0);
  HouseRecord* second = built_house(house_timber, 4, 4);
  put(first, {wolf, bear, fox});
  put(second, {bear, wolf});
  add_exile(fox), add_exile(wolf);
  residents_row = 4;  // the bear of the first dwelling
  draw_residents_screen();
  EXPECT_EQ(residents_total, 7);
  expect_reference("base_residents_list");
}

TEST_F(BaseFrames, TheFormationGroundShowsItsGuardAndACandidatesCard) {
  HouseRecord* home = built_house(house_brick, 0, 0);
  put(home, {wolf, bear, fox});
  HouseRecord* ground = built_house(house_formation, 9, 0);
  picked_house_id = ground->id;
  add_formation_member(ground, 1, home, 0);
  build_escort_data();
  formation_row = 2;  // the fox
  draw_formation_screen();
  EXPECT_EQ(formation_candidate, fox);
  expect_reference("base_formation");
}

}  // namespace
