// The save and load screens as state machines driven by keys: neither opens over the other, the
// list starts on the newest save when opened from the title, an empty slot is saved with its message, a used one after the question and 30 frames, a failed
// save keeps the save item and the screen, the menu's snapshot is kept, a slot that does not
// load is tried once.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <vector>

#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/log.h"
#include "core/paths.h"
#include "data/item_list.h"
#include "data/map_role.h"
#include "data/maps_db.h"
#include "data/object_db.h"
#include "data/party.h"
#include "tests/fixtures/maps_writer.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/fixtures/save_image_writer.h"
#include "tests/fixtures/script_state.h"
#include "tests/fixtures/temp_folder.h"
#include "ui/menu/item_recovery.h"
#include "ui/menu/menu_items.h"
#include "ui/saves/save_file.h"
#include "ui/saves/save_image.h"
#include "ui/saves/save_load.h"
#include "ui/saves/snapshot.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

namespace {
using namespace fixtures;

// "存檔完畢!!%Q"
constexpr const char saved_message[] = "\xA6\x73\xC0\xC9\xA7\xB9\xB2\xA6!!%Q";
// "存檔失敗!!%Q"
constexpr const char failed_message[] = "\xA6\x73\xC0\xC9\xA5\xA2\xB1\xD1!!%Q";
constexpr std::uint16_t narrator_speaker = 0xFF01;

class SlotScreens : public ::testing::Test {
 protected:
  SlotScreens() {
    game_dir = dir.str();
    fixtures::start_test_game();
    // The slot screens' list and steps as the program starts them: the first visit still to come.
    save_slot_list = ScrollList{};
    save_screen = SaveScreenState{};
    load_screen = LoadScreenState{};
    slot_list_state = SlotListState{};
    dir.write("maps.dat", as_string(maps_dat(MapsDat{})));
    open_maps_data();
    std::vector<ObjectRecord> objects(object_save_item);
    objects[object_save_item - 1].kind(201);
    install_item_data(objdata_gll(objects));
    // The narrator speaks the screens' messages.
    gmMapRole[0] = MapRole{};
    gmMapRole[0].RoleID = narrator_speaker;
    gmMapRoleCount = 1;
    GameMode = mode_field;
    SavedGameMode = mode_field;
    mouse_x = mouse_y = 0;
    // The screens' state and the keys seen by earlier tests of this program start fresh.
    grp_input.clear_keys();
    save_slot_list = ScrollList{};
    save_screen = SaveScreenState{};
    load_screen = LoadScreenState{};
    slot_list_state = SlotListState{};
  }
  ~SlotScreens() override {
    del_all_talkmsg();
    del_all_tbutton();
    free_save_summaries();
    free_party_items();
    free_snapshot();
    close_maps_data();
    close_item_data();
    gmMapRoleCount = 0;
    item_save_mark = 0;
  }
  // One frame of the save screen with the key pressed (after a frame with it up).
  void press(KeyCode key) {
    now_ += 1000;  // far from the last press: no double press
    grp_input.update_key(now_, key, false);
    now_ += 100;
    grp_input.update_key(now_, key, true);
    input_save_system();
    grp_input.update_key(now_ + 50, key, false);
  }
  std::string message_text() const {
    const TalkMsg* m = talkmsg_head();
    return m && m->text ? m->text : "";
  }
  // Pieces of the save item in slot 00's bag; -1 when the slot does not read.
  int saved_save_items() const {
    const std::string file = dir.read("Save/00.sav");
    std::vector<std::uint8_t> bytes;
    SaveImage image;
    if (unpack_save_file(std::vector<std::uint8_t>(file.begin(), file.end()), bytes) != SaveUnpack::Ok ||
        parse_save_image(bytes, image) != SaveParse::Ok)
      return -1;
    int pieces = 0;
    for (const SaveBagEntry& e : image.bag)
      if (e.object == object_save_item) pieces += e.count + e.new_count;
    return pieces;
  }
  std::uint32_t now_ = 1000;
  TempFolder dir{true};
};

TEST_F(SlotScreens, NeitherScreenOpensOverTheOther) {
  struct Case {
    int current;
    void (*enter)(std::uint32_t, int, int);
  };
  for (const Case& c : {Case{mode_save, call_load_system}, Case{mode_load, call_save_system}}) {
    GameMode = c.current;
    SavedGameMode = mode_title;
    c.enter(MODE_ENTER, 0, 0);
    EXPECT_EQ(GameMode, c.current);
    EXPECT_EQ(SavedGameMode, mode_title);
  }
}

// Opened from the title for the first time, the list starts on the newest save: to the minute,
// a tie going to the higher slot. Slot 3's later seconds do not count.
TEST_F(SlotScreens, TheLoadScreenFromTheTitleOpensOnTheNewestSave) {
  const struct {
    int slot;
    std::array<std::uint16_t, 8> time;
  } saves[] = {{3, {2001, 5, 4, 10, 12, 30, 59, 0}}, {5, {2001, 5, 4, 10, 12, 31, 40, 0}},
               {7, {2001, 5, 4, 10, 12, 31, 0, 0}}, {9, {2001, 5, 4, 10, 12, 29, 0, 0}}};
  for (const auto& save : saves) {
    kit::SaveKit kit_save;
    kit_save.time = save.time;
    dir.write("Save/" + save_slot_name(save.slot), as_string(kit::save_slot_file(kit::save_image(kit_save))));
  }
  GameMode = mode_title;
  call_load_system(MODE_ENTER, 0, 0);
  EXPECT_EQ(save_slot_list.top_item, 7);
  EXPECT_EQ(save_slot_list.cursor_row, 0);
  EXPECT_EQ(save_summaries[0].valid, 1);
}

// Only from the title: the save screen opened from the field starts at the top.
TEST_F(SlotScreens, TheSaveScreenFromTheFieldOpensAtTheTop) {
  kit::SaveKit kit_save;
  kit_save.time = {2001, 5, 4, 10, 12, 30, 0, 0};
  dir.write("Save/07.sav", as_string(kit::save_slot_file(kit::save_image(kit_save))));
  call_save_system(MODE_ENTER, 0, 0);
  EXPECT_EQ(save_slot_list.top_item, 0);
  EXPECT_EQ(save_slot_list.cursor_row, 0);
}

// The save item is used up by a written save; the screen leaves when the message box closes.
TEST_F(SlotScreens, AnEmptySlotIsSavedWithItsMessageAndLeftWhenTheBoxCloses) {
  add_item(&party_bag, object_save_item, 2, 2);
  item_save_mark = 1;
  call_save_system(MODE_ENTER, 0, 0);
  ASSERT_EQ(GameMode, mode_save);
  press(key_enter);
  EXPECT_TRUE(std::filesystem::is_regular_file(dir.path() / "Save/00.sav"));
  EXPECT_EQ(get_item_num(&party_bag, object_save_item), 1);
  EXPECT_EQ(saved_save_items(), 1) << "the slot holds the bag without the piece used to save";
  EXPECT_EQ(message_text(), saved_message);
  EXPECT_EQ(save_summaries[0].valid, 1) << "the row shows the new save";
  for (int frame = 0; frame < 3; ++frame) input_save_system();
  EXPECT_EQ(GameMode, mode_save) << "the box is still open";
  del_all_talkmsg();
  input_save_system();
  EXPECT_EQ(GameMode, mode_field);
}

// Overwriting asks first; the first answer saves and leaves 30 frames later without a message,
// the second keeps the old file and the screen.
TEST_F(SlotScreens, AUsedSlotIsOverwrittenAfterTheQuestionAndLeftThirtyFramesLater) {
  ASSERT_TRUE(save_game("00.sav"));
  const std::string old = dir.read("Save/00.sav");
  party_money = 777;
  call_save_system(MODE_ENTER, 0, 0);
  for (int answer : {1, 0}) {
    SCOPED_TRACE(answer);
    press(key_enter);
    ASSERT_EQ(save_screen.prompt_open, 1);
    EXPECT_EQ(dir.read("Save/00.sav"), old) << "nothing written before the answer";
    tbutton_choice = answer;
    tbutton_confirmed = 1;
    input_save_system();
    EXPECT_EQ(save_screen.prompt_open, 0);
    EXPECT_EQ(talkmsg_count(), 0);
  }
  EXPECT_NE(dir.read("Save/00.sav"), old);
  for (int frame = 2; frame < save_leave_frames; ++frame) {
    input_save_system();
    ASSERT_EQ(GameMode, mode_save) << frame;
  }
  input_save_system();
  EXPECT_EQ(GameMode, mode_field);
}

// The question's cancel is its buttons' (the box input turns Escape into the last button): the
// screen itself does nothing else while the question is open.
TEST_F(SlotScreens, WithTheQuestionOpenTheScreenLeavesEscapeToTheButtons) {
  ASSERT_TRUE(save_game("00.sav"));
  call_save_system(MODE_ENTER, 0, 0);
  press(key_enter);
  ASSERT_EQ(save_screen.prompt_open, 1);
  press(key_escape);
  EXPECT_EQ(save_screen.prompt_open, 1);
  EXPECT_EQ(talkmsg_count(), 1);
  EXPECT_EQ(GameMode, mode_save);
}

TEST_F(SlotScreens, CancellingTheLoadScreenClosesTheMessageBoxes) {
  call_load_system(MODE_ENTER, 0, 0);
  add_txt_msg(100, 100, 300, 80, 0, 0, "AB%Q", 0);
  ASSERT_EQ(talkmsg_count(), 1);
  now_ += 1000;
  grp_input.update_key(now_, key_escape, false);
  grp_input.update_key(now_ + 100, key_escape, true);
  input_load_system();
  grp_input.update_key(now_ + 150, key_escape, false);
  EXPECT_EQ(talkmsg_count(), 0);
  EXPECT_EQ(GameMode, mode_field);
}

TEST_F(SlotScreens, AFailedSaveKeepsTheSaveItemAndTheScreen) {
  dir.write("Save", "a file where the folder should be");
  add_item(&party_bag, object_save_item, 1, 2);
  item_save_mark = 1;
  call_save_system(MODE_ENTER, 0, 0);
  press(key_enter);
  EXPECT_EQ(GameMode, mode_save);
  EXPECT_EQ(save_screen.saved_open, 0);
  EXPECT_EQ(get_item_num(&party_bag, object_save_item), 1);
  EXPECT_EQ(item_save_mark, 1);
  EXPECT_EQ(message_text(), failed_message);
}

TEST_F(SlotScreens, TheSaveScreenOpenedFromTheMenuKeepsTheMenusSnapshot) {
  std::vector<std::uint16_t> screen(640 * 480, 0x1234);
  snapshot_from_pixels(screen.data(), 640, 640, 480);
  const ScreenSnapshot menus = screen_snapshot;
  ASSERT_NE(menus.picture, nullptr);
  GameMode = mode_menu;
  call_save_system(MODE_ENTER, 0, 0);
  EXPECT_EQ(screen_snapshot.picture, menus.picture);
  EXPECT_EQ(screen_snapshot.size, menus.size);
  call_save_system(MODE_LEAVE, 0, 0);
  EXPECT_EQ(GameMode, mode_menu);
}

// A damaged slot is refused once with its trace line; the list stays for another choice.
TEST_F(SlotScreens, ASlotThatDoesNotLoadIsTriedOnce) {
  dir.write("Save/07.sav", std::string(20, '\x7F'));
  call_load_system(MODE_ENTER, 0, 0);
  load_screen.load_request = 1;
  std::strcpy(load_screen.slot_name, "07.sav");
  const std::string before = dir.read("debug.txt");
  for (int frame = 0; frame < 3; ++frame) update_load_system();
  EXPECT_EQ(GameMode, mode_load);
  EXPECT_EQ(load_screen.load_request, 0);
  const std::string lines = dir.read("debug.txt").substr(before.size());
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1) << lines;
}

}  // namespace
