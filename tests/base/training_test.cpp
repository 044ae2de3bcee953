// The training hall's rules: who may teach, the study that follows its master, a replacement
// whose old master cannot leave, and the party's eight magic slots; the training screen's
// master list with its questions and the magic page driven by keys, and the developer keys.
#include "base/training_hall.h"

#include <gtest/gtest.h>

#include "base/base_camp.h"
#include "base/base_numbers.h"
#include "base/base_top_menu.h"
#include "base/debug_dialogs.h"
#include "base/house_kinds.h"
#include "base/residents.h"
#include "base/training_screen.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "data/magic_study.h"
#include "data/party.h"
#include "tests/base/base_test.h"
#include "ui/dialog_runner.h"

namespace {
using namespace base_test;

enum : std::uint16_t { fire = 150, ice, storm };

class Training : public BaseTest {
 protected:
  Training() {
    std::vector<fixtures::ObjectRecord> objects(storm, fixtures::ObjectRecord::empty_record());
    objects[wolf - 1] = fixtures::ObjectRecord().name("wolf").kind(111).level(3).teach_spell(fire);
    objects[bear - 1] = fixtures::ObjectRecord().name("bear").kind(111).level(5).teach_spell(ice);
    objects[fox - 1] = fixtures::ObjectRecord().name("fox").kind(112).level(1).teach_spell(storm);
    objects[story_monster - 1] = fixtures::ObjectRecord().name("hero").kind(111);
    objects[fire - 1] = fixtures::ObjectRecord().name("fire").kind(300).level(1).study_goal(100);
    objects[ice - 1] = fixtures::ObjectRecord().name("ice").kind(300).level(1).study_goal(200);
    objects[storm - 1] = fixtures::ObjectRecord().name("storm").kind(300).level(2).study_goal(300);
    use_objects(objects);
    home_ = built_house(house_brick, 0, 0);
    put(home_, {wolf, bear, fox, story_monster});
    hall_ = built_house(house_training, 9, 0);
    picked_house_id = hall_->id;
    free_magic_study();
    current_study = MagicStudy{};
  }
  ~Training() override {
    reset_training_screen();
    base_sub_mode = top_menu_page = 0;
    mouse_keyboard_lock = 0;
    mouse_x = mouse_y = drag_anchor[0] = drag_anchor[1] = 0;
    clear_flag(flag_developer_keys);
    abandon_dialog();
    clear_dialog_answers();
    free_magic_study();
    current_study = MagicStudy{};
    for (ItemNode& n : party_magic) n = ItemNode{};
    picked_house_id = 0;
    base_tooltip[0] = 0;
  }
  static std::vector<std::uint16_t> masters() {
    list_masters();
    std::vector<std::uint16_t> out;
    for (int i = 0; i < master_count; ++i) out.push_back(master_list[i].monster);
    return out;
  }
  // The entry of the monster in the list (from 1).
  static int entry_of(std::uint16_t monster) {
    list_masters();
    for (int i = 0; i < master_count; ++i)
      if (master_list[i].monster == monster) return i + 1;
    return 0;
  }
  HouseRecord* home_ = nullptr;
  HouseRecord* hall_ = nullptr;
};

TEST_F(Training, OnlyIdleTeachersOfUnlearnedSpellsTheHallsLevelAllowsAreListed) {
  EXPECT_EQ(masters(), (std::vector<std::uint16_t>{wolf, bear})) << "storm needs a level-2 hall; the hero teaches nothing";
  hall_->level = 2;
  EXPECT_EQ(masters(), (std::vector<std::uint16_t>{wolf, bear, fox}));
  // A job holder teaches nothing; a second wolf gives no second entry.
  HouseRecord* shop = built_house(house_weapons_1, 4, 4);
  assign_worker(shop, home_, 1);
  put(home_, {wolf});
  EXPECT_EQ(masters(), (std::vector<std::uint16_t>{wolf, fox}));
  // A learned spell is offered no more, but its master stays listed, first.
  ASSERT_EQ(choose_master(entry_of(fox)), 1);
  MagicStudy learned{};
  learned.spell_id = fire, learned.goal = 100, learned.progress = 100, learned.learned = 1;
  add_magic_study(&learned);
  EXPECT_EQ(masters(), (std::vector<std::uint16_t>{fox}));
  EXPECT_EQ(master_list[0].house_kind, house_training);
}

TEST_F(Training, EachSpellsProgressResumesWithItsMaster) {
  ASSERT_EQ(choose_master(entry_of(wolf)), 1);
  EXPECT_EQ(hall_->residents[0].monster, wolf);
  EXPECT_EQ(current_study.spell_id, fire);
  EXPECT_EQ(current_study.goal, 100);
  current_study.progress = 40;  // a battle trained it
  EXPECT_EQ(choose_master(entry_of(bear)), 0) << "the hall has a master: the page asks to replace";
  ASSERT_EQ(replace_master(entry_of(bear)), 1);
  EXPECT_EQ(hall_->residents[0].monster, bear);
  EXPECT_EQ(current_study.spell_id, ice);
  EXPECT_EQ(current_study.progress, 0);
  current_study.progress = 7;
  ASSERT_EQ(replace_master(entry_of(wolf)), 1);
  EXPECT_EQ(current_study.spell_id, fire);
  EXPECT_EQ(current_study.progress, 40);
  ASSERT_EQ(withdraw_master(), 1);
  EXPECT_EQ(hall_->resident_count, 0);
  EXPECT_EQ(current_study.spell_id, 0);
  EXPECT_EQ(home_->residents[0].link, 0);
  EXPECT_EQ(find_magic_study(ice)->progress, 7);
}

TEST_F(Training, AReplacementWhoseMasterCannotLeaveKeepsTheStudy) {
  ASSERT_EQ(choose_master(entry_of(wolf)), 1);
  current_study.progress = 40;
  const int bear_entry = entry_of(bear);
  hall_->residents[0].link = 0;  // the master's home is lost
  EXPECT_EQ(replace_master(bear_entry), 0);
  EXPECT_STREQ(base_tooltip, "\xA5\xE6\xB4\xAB\xA9\xC7\xAA\xAB\xB5\x6F\xA5\xCD\xBF\xF9\xBB\x7E");  // 交換怪物發生錯誤
  EXPECT_EQ(current_study.spell_id, fire);
  EXPECT_EQ(current_study.progress, 40);
  EXPECT_EQ(home_->residents[1].link, 0) << "the bear stays at home";
  EXPECT_EQ(replace_master(99), -1) << "a stale entry";
  EXPECT_EQ(choose_master(99), -1);
}

TEST_F(Training, AHallWithoutAStudySendsItsMasterHome) {
  ASSERT_EQ(choose_master(entry_of(wolf)), 1);
  EXPECT_EQ(dismiss_idle_master(), 0);
  current_study = MagicStudy{};
  EXPECT_EQ(dismiss_idle_master(), 1);
  EXPECT_EQ(hall_->resident_count, 0);
  EXPECT_EQ(home_->residents[0].link, 0);
}

TEST_F(Training, EightSlotsPackedFromTheFirst) {
  for (std::uint16_t s = 1; s <= 5; ++s) ASSERT_EQ(equip_party_magic(s), 1);
  EXPECT_EQ(equip_party_magic(3), 0) << "already equipped";
  ASSERT_EQ(unequip_party_magic(3), 1);
  const std::uint16_t packed[] = {1, 2, 4, 5, 0};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(party_magic[i].object, packed[i]) << i;
  EXPECT_EQ(unequip_party_magic(3), 0);
  EXPECT_EQ(unequip_party_magic(0), 0);
  for (std::uint16_t s = 6; s <= 9; ++s) equip_party_magic(s);
  ASSERT_EQ(equipped_spell_count(), 8);
  EXPECT_EQ(equip_party_magic(10), 1) << "a ninth: the page turns to replacing";
  EXPECT_EQ(equipped_spell_count(), 8);
  for (int i = 0; i < 8; ++i) EXPECT_NE(party_magic[i].object, 10) << "all eight kept";
}

// The screen, driven by keys (the pointer stays out of the way).
class TrainingScreen : public Training {
 protected:
  TrainingScreen() {
    reset_training_screen();
    base_sub_mode = base_training_screen;
    mouse_keyboard_lock = 1;
  }
  void press(KeyCode k) {
    now_ += 200;
    grp_input.update_key(now_, k, 0);
    now_ += 200;
    grp_input.update_key(now_, k, 1);
    if (k != key_mouse1) mouse_keyboard_lock = 1;
    input_training_hall();
    grp_input.update_key(now_ + 1, k, 0);
  }
  // One frame: the draw that rebuilds the lists, then a key.
  void frame(KeyCode k) {
    draw();
    press(k);
  }
  static void draw() {
    if (training_page == training_magic) draw_magic_page();
    else draw_training_hall();
  }
  // Rows of the master list down to the monster's.
  void cursor_to(std::uint16_t monster) {
    const int entry = entry_of(monster);
    ASSERT_GT(entry, 0);
    training_top = 0, training_cursor = entry;
  }
  static void learned(std::initializer_list<std::uint16_t> spells) {
    for (std::uint16_t s : spells) {
      MagicStudy m{};
      m.spell_id = s, m.goal = m.progress = 10, m.learned = 1;
      add_magic_study(&m);
    }
  }
  static std::vector<std::uint16_t> slots() {
    std::vector<std::uint16_t> out;
    for (int i = 0; i < party_magic_slots; ++i) out.push_back(party_magic[i].object);
    return out;
  }
  std::uint32_t now_ = 1000;
};

TEST_F(TrainingScreen, TheMasterListPlacesReplacesAndWithdrawsThroughItsQuestions) {
  cursor_to(wolf);
  frame(key_enter);
  EXPECT_EQ(hall_->residents[0].monster, wolf) << "an empty hall takes the candidate at once";
  EXPECT_EQ(training_page, training_masters);
  cursor_to(bear);
  frame(key_enter);
  ASSERT_EQ(training_page, training_ask_replace);
  EXPECT_EQ(question_choice, 1) << "the question opens on no";
  frame(key_enter);
  EXPECT_EQ(training_page, training_masters);
  EXPECT_EQ(hall_->residents[0].monster, wolf) << "no keeps the master";
  cursor_to(bear);
  frame(key_enter);
  press(key_left);
  EXPECT_EQ(question_choice, 0);
  press(key_enter);
  EXPECT_EQ(hall_->residents[0].monster, bear);
  EXPECT_EQ(current_study.spell_id, ice);
  // The master's own row (listed first) asks to withdraw it.
  cursor_to(bear);
  EXPECT_EQ(training_cursor, 1);
  frame(key_enter);
  ASSERT_EQ(training_page, training_ask_withdraw);
  press(key_right);
  press(key_space);
  EXPECT_EQ(hall_->resident_count, 0);
  EXPECT_EQ(current_study.spell_id, 0);
  EXPECT_EQ(training_page, training_masters);
}

TEST_F(TrainingScreen, ARowTheListLostChangesNothingAndCancelGoesBackToTheHouses) {
  draw();
  training_cursor = 5;  // past the two entries
  press(key_enter);
  EXPECT_EQ(hall_->resident_count, 0);
  EXPECT_EQ(training_page, training_masters);
  press(key_escape);
  EXPECT_EQ(base_sub_mode, base_top_menu);
  EXPECT_EQ(top_menu_page, page_houses);
  EXPECT_EQ(training_cursor, 1);
}

TEST_F(TrainingScreen, TheDrawSendsTheMasterOfAnEmptyStudyHome) {
  cursor_to(wolf);
  frame(key_enter);
  ASSERT_EQ(hall_->resident_count, 1);
  draw();
  EXPECT_EQ(hall_->resident_count, 1) << "still studying";
  // The developer key completes the study; the next draw sends the master home.
  set_flag(flag_developer_keys);
  press(KeyCode(key_z));
  EXPECT_EQ(current_study.spell_id, 0);
  ASSERT_NE(find_magic_study(fire), nullptr);
  EXPECT_EQ(find_magic_study(fire)->learned, 1u);
  EXPECT_EQ(find_magic_study(fire)->progress, 100);
  EXPECT_EQ(hall_->resident_count, 1);
  draw();
  EXPECT_EQ(hall_->resident_count, 0);
  EXPECT_EQ(home_->residents[0].link, 0);
}

TEST_F(TrainingScreen, LearningASpellByTheDeveloperKeys) {
  // Fire is under study with a node; ice has a learned node; storm has none.
  ASSERT_EQ(choose_master(entry_of(wolf)), 1);
  learned({ice});
  const struct { const char* name; std::uint16_t spell; int result; } cases[] = {
      {"the spell under study", fire, 1}, {"already learned", ice, 0}, {"never studied", storm, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(learn_spell(c.spell), c.result) << c.name;
    const MagicStudy* node = find_magic_study(c.spell);
    ASSERT_NE(node, nullptr) << c.name;
    EXPECT_EQ(node->learned, 1u) << c.name;
    EXPECT_EQ(node->progress, node->goal) << c.name;
  }
  EXPECT_EQ(find_magic_study(storm)->goal, 300);
  EXPECT_EQ(current_study.spell_id, 0) << "the study of fire ended";
  // Page 3's dialog names the spell.
  free_magic_study();
  training_page = training_magic;
  set_flag(flag_developer_keys);
  queue_dialog_answer({{{debug_dialog_edit, "152"}}, {}, dialog_ok});
  press(KeyCode(key_z));
  ASSERT_NE(find_magic_study(storm), nullptr);
  EXPECT_EQ(find_magic_study(storm)->learned, 1u);
  EXPECT_EQ(magic_dialog_value, storm);
  queue_dialog_answer({{{debug_dialog_edit, "150"}}, {}, dialog_cancel});
  press(KeyCode(key_z));
  EXPECT_EQ(find_magic_study(fire), nullptr) << "cancel learns nothing";
}

TEST_F(TrainingScreen, ANinthSpellAsksForASlotAndCancelKeepsAllEight) {
  learned({storm, ice, fire});  // the study list holds the newest first
  for (std::uint16_t s = 1; s <= 8; ++s) party_magic[s - 1].object = std::uint16_t(200 + s);
  training_page = training_magic;
  frame(key_enter);  // fire, under the cursor
  ASSERT_EQ(magic_focus, magic_replacing);
  frame(key_escape);
  EXPECT_EQ(magic_focus, magic_learned);
  const std::vector<std::uint16_t> eight{201, 202, 203, 204, 205, 206, 207, 208};
  EXPECT_EQ(slots(), eight);
  // Replacing the third slot.
  frame(key_enter);
  frame(key_down);
  frame(key_down);
  frame(key_enter);
  EXPECT_EQ(magic_focus, magic_learned);
  EXPECT_EQ(slots(), (std::vector<std::uint16_t>{201, 202, fire, 204, 205, 206, 207, 208}));
  // Equipped already: the narrator says so and nothing changes.
  frame(key_enter);
  EXPECT_EQ(boxes(), std::vector<std::string>{"\xA4w\xB8\xCB\xB0t\xA6\xB9\xAAk\xB3N!!%Q"});  // 已裝配此法術!!%Q
  EXPECT_EQ(magic_focus, magic_learned);
}

TEST_F(TrainingScreen, UnequippingPacksTheSlotsAndTheLastOneReturnsTheFocus) {
  learned({fire});
  training_page = training_magic;
  for (std::uint16_t s = 1; s <= 5; ++s) party_magic[s - 1].object = std::uint16_t(200 + s);
  frame(key_right);
  ASSERT_EQ(magic_focus, magic_equipped);
  frame(key_down);
  frame(key_down);
  frame(key_enter);  // slot 3
  EXPECT_EQ(slots(), (std::vector<std::uint16_t>{201, 202, 204, 205, 0, 0, 0, 0}));
  EXPECT_EQ(magic_cursor[1], 2);
  for (int i = 0; i < 4; ++i) frame(key_enter);
  EXPECT_EQ(slots(), std::vector<std::uint16_t>(8, 0));
  EXPECT_EQ(magic_focus, magic_learned) << "nothing left to point at";
  draw();  // an empty equipped list draws without dividing by its count
  frame(key_left);
  EXPECT_EQ(magic_focus, magic_learned) << "an empty equipped list refuses the focus";
  frame(key_enter);
  EXPECT_EQ(slots()[0], fire);
}

TEST_F(TrainingScreen, TheMagicPagesScrollBarsPageBySeven) {
  for (std::uint16_t spell = 5801; spell <= 5810; ++spell) learned({spell});
  training_page = training_magic;
  draw();
  ASSERT_EQ(magic_count[0], 10);
  mouse_keyboard_lock = 0;
  // Clicks on the learned list's bar (x 284-303): the down arrow at y 268-287, the track from 130
  // to 257 around a thumb of 128 x 7 / 10 pixels, the up arrow at y 100-119.
  const struct { const char* name; int y, clicks, cursor, top; } steps[] = {
      {"down arrow to the page's last row", 270, 6, 7, 0},
      {"down arrow scrolls a row", 280, 1, 7, 1},
      {"track below the thumb: a page, held at 10 - 7", 250, 1, 7, 3},
      {"track above the thumb", 140, 1, 7, 0},
      {"up arrow", 105, 2, 5, 0},
  };
  for (const auto& s : steps) {
    for (int i = 0; i < s.clicks; ++i) {
      mouse_x = 290, mouse_y = s.y;
      draw();
      press(key_mouse1);
    }
    EXPECT_EQ(magic_cursor[0], s.cursor) << s.name;
    EXPECT_EQ(magic_top[0], s.top) << s.name;
  }
}

}  // namespace
