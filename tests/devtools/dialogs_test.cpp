// The dialog runner and the debug dialogs, driven by scripted answers and by keys.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "data/map_role.h"
#include "data/maps_db.h"
#include "data/role_rows.h"
#include "devtools/reload_dialog.h"
#include "devtools/role_edit_dialog.h"
#include "field/map_file.h"
#include "script/talk_queue.h"
#include "tests/data/data_test.h"
#include "tests/devtools/key_driver.h"
#include "tests/fixtures/maps_writer.h"
#include "ui/dialog_runner.h"

namespace {
using namespace fixtures;

std::vector<int> ended;
void note_end(int code) { ended.push_back(code); }

class Dialogs : public data_test::DataTest {
 protected:
  void SetUp() override {
    abandon_dialog();
    clear_dialog_answers();
    ended.clear();
    reload_talk_number = 0;
    reload_keep_paths = 0;
  }
  void TearDown() override {
    abandon_dialog();
    clear_dialog_answers();
  }
};

// ---- The runner -------------------------------------------------------------------------------

constexpr int edit_a = 100, check_b = 101;
const DialogControl probe_controls[] = {
    {edit_a, DialogControlKind::edit, nullptr, 10, 10, 40, 12},
    {check_b, DialogControlKind::check_box, "b", 10, 30, 60, 10},
    {dialog_ok, DialogControlKind::default_button, dialog_ok_text, 10, 50, 30, 14},
    {dialog_cancel, DialogControlKind::push_button, dialog_cancel_text, 50, 50, 30, 14},
};
const DialogTable probe{"PROBE", "probe", 100, 70, probe_controls};
int probe_value = 0;
int probe_proc(DialogMessage message, int id) {
  if (message == DialogMessage::init) return 0;
  if (id == dialog_ok) {
    probe_value = get_dlg_item_int(edit_a);
    end_dialog(is_dlg_button_checked(check_b) ? 7 : 0);
  }
  if (id == dialog_cancel) end_dialog(-1);
  return 0;
}

TEST_F(Dialogs, EditsReadAsWholeSignedIntsOrZero) {
  struct Case {
    const char* text;
    int value;
  };
  for (const Case& c : {Case{"12", 12}, Case{"-1", -1}, Case{" 7 ", 7}, Case{"abc", 0}, Case{"1x", 0}, Case{"", 0},
                        Case{"-", 0}, Case{"2147483647", 2147483647}, Case{"-2147483648", -2147483647 - 1},
                        Case{"2147483648", 0}, Case{"99999999999", 0}}) {
    queue_dialog_answer({{{edit_a, c.text}}, {}, dialog_ok});
    probe_value = 99;
    ASSERT_EQ(run_dialog(probe, probe_proc, note_end), 1);
    EXPECT_FALSE(dialog_running());
    EXPECT_EQ(probe_value, c.value) << c.text;
  }
}

TEST_F(Dialogs, OnlyOneDialogAtATimeAndTheEndRunsAfterItCloses) {
  ASSERT_EQ(run_dialog(probe, probe_proc, note_end), 1);
  EXPECT_TRUE(dialog_running());
  EXPECT_EQ(run_dialog(probe, probe_proc, note_end), 0);
  EXPECT_TRUE(ended.empty());
  // An answer queued while the dialog is open is taken at its next frame.
  queue_dialog_answer({{}, {{check_b, 1}}, dialog_ok});
  dialog_frame();
  EXPECT_FALSE(dialog_running());
  EXPECT_EQ(ended, std::vector<int>{7});
}

TEST_F(Dialogs, KeysMoveTheFocusToggleAndPress) {
  ASSERT_EQ(run_dialog(probe, probe_proc, note_end), 1);
  EXPECT_EQ(dlg_focus_id(), edit_a);
  KeyDriver keys;
  keys.release_all();
  keys.frame({key_tab});
  dialog_frame();
  EXPECT_EQ(dlg_focus_id(), check_b);
  keys.frame({key_space});
  dialog_frame();
  EXPECT_EQ(is_dlg_button_checked(check_b), 1);
  keys.release_all();
  keys.frame({key_escape});
  dialog_frame();
  EXPECT_FALSE(dialog_running());
  EXPECT_EQ(ended, std::vector<int>{-1});

  // Enter presses the default button, whatever edit has the focus.
  ASSERT_EQ(run_dialog(probe, probe_proc, note_end), 1);
  set_dlg_item_text(edit_a, "42");
  keys.release_all();
  keys.frame({key_enter});
  dialog_frame();
  EXPECT_EQ(probe_value, 42);
  EXPECT_EQ(ended.back(), 0);
}

// A character typed over a selected whole text replaces it.
TEST_F(Dialogs, TypingOverASelectionReplacesIt) {
  ASSERT_EQ(run_dialog(probe, probe_proc, note_end), 1);
  set_dlg_item_text(edit_a, "123");
  select_dlg_text(edit_a);
  dialog_takes_message(nullptr, platform::MessageId::Char, '9', 0);
  EXPECT_EQ(get_dlg_item_text(edit_a), "9");
  dialog_takes_message(nullptr, platform::MessageId::Char, '8', 0);
  EXPECT_EQ(get_dlg_item_text(edit_a), "98");
}

// ---- IDD_RELOAD ---------------------------------------------------------------------------------

TEST_F(Dialogs, ReloadShowsTheLastTalkAsASignedNumber) {
  reload_talk_number = 65535;
  ASSERT_EQ(run_dialog(IDD_RELOAD, reload_dialog_proc, note_end), 1);
  EXPECT_EQ(get_dlg_item_text(reload_edit_talk), "-1");
  EXPECT_EQ(dlg_focus_id(), reload_edit_talk);
}

TEST_F(Dialogs, ReloadOkStoresTheNumberAndTheCheckBox) {
  struct Case {
    const char* text;
    int keep;
    std::uint16_t number;
  };
  for (const Case& c : {Case{"-1", 0, 65535}, Case{"abc", 1, 0}, Case{"37", 1, 37}, Case{"65536", 0, 0}}) {
    reload_talk_number = 5;
    reload_keep_paths = 1 - c.keep;
    queue_dialog_answer({{{reload_edit_talk, c.text}}, {{reload_check_keep_paths, c.keep}}, dialog_ok});
    run_dialog(IDD_RELOAD, reload_dialog_proc, note_end);
    EXPECT_EQ(reload_talk_number, c.number) << c.text;
    EXPECT_EQ(reload_keep_paths, c.keep) << c.text;
    EXPECT_EQ(ended.back(), 0);
  }
}

TEST_F(Dialogs, ReloadCancelChangesNothing) {
  reload_talk_number = 12;
  queue_dialog_answer({{{reload_edit_talk, "40"}}, {{reload_check_keep_paths, 1}}, dialog_cancel});
  run_dialog(IDD_RELOAD, reload_dialog_proc, note_end);
  EXPECT_EQ(reload_talk_number, 12);
  EXPECT_EQ(reload_keep_paths, 0);
  EXPECT_EQ(ended, std::vector<int>{-1});
}

// ---- IDD_ROLE_EDIT ------------------------------------------------------------------------------

// 這個角色目不在這個地圖!! / 角色資料找不到這個角色!! / 找不到這個角色!!
const std::string off_map = "\xB3o\xAD\xD3\xA8\xA4\xA6\xE2\xA5\xD8\xA4\xA3\xA6" "b\xB3o\xAD\xD3\xA6" "a\xB9\xCF!!";
const std::string no_row = "\xA8\xA4\xA6\xE2\xB8\xEA\xAE\xC6\xA7\xE4\xA4\xA3\xA8\xEC\xB3o\xAD\xD3\xA8\xA4\xA6\xE2!!";
const std::string not_found = "\xA7\xE4\xA4\xA3\xA8\xEC\xB3o\xAD\xD3\xA8\xA4\xA6\xE2!!";

MapsRoleRow row(std::uint16_t map, std::uint16_t id) {
  MapsRoleRow r;
  r.MapID = map, r.RoleID = id, r.ACT = 3001, r.QQ = 4, r.DIR = 90;
  r.X = 100, r.Y = -10, r.Z = 300, r.TALK = 7, r.AI = 8, r.STATE = 0x0101;
  return r;
}

class RoleEditor : public Dialogs {
 protected:
  void SetUp() override {
    Dialogs::SetUp();
    MapsDat db;
    db.roles = {row(1, 1001), row(2, 2001)};
    write("maps.dat", maps_dat(db));
    open_maps_data();
    read_maps_role(1);
    map_record.map_number = 1;
    clear_messages();
  }
  void TearDown() override {
    Dialogs::TearDown();
    close_maps_data();
    gmMapRoleCount = 0;
  }
  static MapRole* live(std::uint16_t id) {
    for (int i = 0; i < gmMapRoleCount; ++i)
      if (gmMapRole[i].RoleID == id) return &gmMapRole[i];
    return nullptr;
  }
  static MapsRoleRow stored(std::uint16_t id) { return read_maps_role_row(std::size_t(find_maps_role_row(id))); }
  // Opens the editor (when it is not open) and gives it an answer.
  static void answer(DialogAnswer a) {
    if (!dialog_running()) run_dialog(IDD_ROLE_EDIT, role_edit_dialog_proc, note_end);
    queue_dialog_answer(std::move(a));
    dialog_frame();
  }
  static void find(const char* id) { answer({{{role_edit_id, id}}, {}, role_edit_find}); }
  static std::string field(int id) { return get_dlg_item_text(id); }
  bool reported(const std::string& text) const {
    for (const std::string& line : messages())
      if (line.find(text) != std::string::npos) return true;
    return false;
  }
};

TEST_F(RoleEditor, FindFillsTheFieldsFromTheLiveRole) {
  live(1001)->DIR = 359.9f;
  live(1001)->STATE = 0x80008101u;
  live(1001)->X = -12.7f;
  find("1001");
  ASSERT_TRUE(dialog_running());
  EXPECT_EQ(field(role_edit_map), "1");
  EXPECT_EQ(field(role_edit_act), "3001");
  EXPECT_EQ(field(role_edit_qq), "4");
  EXPECT_EQ(field(role_edit_dir), "359");  // truncated
  EXPECT_EQ(field(role_edit_talk), "7");
  EXPECT_EQ(field(role_edit_ai), "8");
  EXPECT_EQ(field(role_edit_x), "-12");
  EXPECT_EQ(field(role_edit_y), "-10");
  EXPECT_EQ(field(role_edit_z), "300");
  for (int k = 0; k < 16; ++k)
    EXPECT_EQ(is_dlg_button_checked(role_edit_state_first + k), (0x8101 >> k) & 1) << k;
  EXPECT_EQ(dlg_focus_id(), role_edit_id);
  EXPECT_TRUE(messages().empty());
}

TEST_F(RoleEditor, OkOnTheMapWritesTheLiveRoleAndItsRow) {
  live(1001)->STATE = 0x12340101u;
  find("1001");
  answer({{{role_edit_x, "-300"}, {role_edit_dir, "45"}, {role_edit_talk, "-1"}, {role_edit_act, "abc"}},
          {{1012, 0}, {1013, 1}, {1020, 0}, {1027, 1}},
          dialog_ok});
  EXPECT_FALSE(dialog_running());
  EXPECT_EQ(ended, std::vector<int>{0});
  const MapRole* r = live(1001);
  EXPECT_FLOAT_EQ(r->X, -300.0f);
  EXPECT_FLOAT_EQ(r->DIR, 45.0f);
  EXPECT_EQ(r->TALK, 65535);
  EXPECT_EQ(r->anim.act, 0);
  EXPECT_EQ(r->STATE, 0x12348002u);  // the low 16 bits from the boxes, the high ones kept
  const MapsRoleRow stored_row = stored(1001);
  EXPECT_EQ(stored_row.X, std::uint16_t(-300));  // the row keeps the word as it is stored
  EXPECT_EQ(stored_row.TALK, 65535);
}

TEST_F(RoleEditor, OffTheMapFindSaysSoAndOkWritesOnlyTheRow) {
  const int count = gmMapRoleCount;
  find("2001");
  EXPECT_TRUE(reported(off_map));
  EXPECT_FALSE(reported(no_row));
  EXPECT_EQ(field(role_edit_map), "2");
  EXPECT_EQ(field(role_edit_x), "100");
  answer({{{role_edit_z, "77"}}, {}, dialog_ok});
  EXPECT_FALSE(dialog_running());
  EXPECT_FLOAT_EQ(stored(2001).Z, 77.0f);
  EXPECT_EQ(gmMapRoleCount, count);
  EXPECT_EQ(live(2001), nullptr);
}

TEST_F(RoleEditor, AnUnknownRoleIsReportedAndTheDialogStaysOpen) {
  find("9999");
  EXPECT_TRUE(reported(off_map));
  EXPECT_TRUE(reported(no_row));
  EXPECT_TRUE(dialog_running());
  EXPECT_EQ(dlg_focus_id(), role_edit_id);
  clear_messages();
  answer({{}, {}, dialog_ok});
  EXPECT_TRUE(reported(not_found));
  EXPECT_TRUE(dialog_running());
  answer({{}, {}, dialog_cancel});
  EXPECT_FALSE(dialog_running());
  EXPECT_EQ(ended, std::vector<int>{-1});
}

}  // namespace
