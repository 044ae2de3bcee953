// The ACT player: scripts assembled by the kit, ticked, and the fields they set read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "g3d/act_animation.h"
#include "tests/g3d/act_folder.h"

namespace {

using test_support::ActFolder;

// One tick's trace: picture/frame, then ! when finished, e<hex> for events, s<n> for a sound.
std::string trace_tick(const ActInstance& a, int result) {
  char text[64];
  std::snprintf(text, sizeof text, "%d/%d", a.picture, a.frame);
  std::string t = text;
  if (result == 0) return "x";
  if (a.state & act_state_finished) t += "!";
  if (a.events) std::snprintf(text, sizeof text, " e%X", a.events), t += text;
  if (a.sound) std::snprintf(text, sizeof text, " s%d", a.sound), t += text;
  return t;
}

std::string run_ticks(ActInstance& a, int ticks) {
  std::string out;
  for (int k = 0; k < ticks; ++k) {
    int r = Take_3dActData(&a);
    out += (k ? " | " : "") + trace_tick(a, r);
  }
  return out;
}

struct Timeline {
  const char* name;
  const char* script;
  int ticks;
  const char* expected;
  int cut = 0;  // bytes taken off the script's end
};

const Timeline kTimelines[] = {
    {"frames count up to TA; OV restarts the script in the next tick", "TA 9; PA 1; ED; PA 2; ED; PA 3; ED; OV", 6,
     "1/1 | 2/2 | 3/3 | 3/3 | 1/4 | 2/5"},
    {"without TA the frame stays 0; O2 holds and finishes", "PA 1; ED; PA 2; ED; O2", 4, "1/0 | 2/0 | 2/0! | 2/0!"},
    {"a delay of 3 makes each frame last four ticks", "SD 3; PA 1; ED; PA 2; ED; O2", 9,
     "1/0 | 1/0 | 1/0 | 1/0 | 2/0 | 2/0 | 2/0 | 2/0 | 2/0!"},
    {"SD 0xFFFF is a delay of 0", "SD 0xFFFF; PA 1; ED; PA 2; ED; O2", 3, "1/0 | 2/0 | 2/0!"},
    {"O2 waits out the frame's delay before it finishes", "SD 2; PA 1; ED; O2", 4, "1/0 | 1/0 | 1/0 | 1/0!"},
    {"LP count 2: the loop runs twice more, then the script goes on past its end frame",
     "RF 1; TA 9; LP 0 5 2; PA 10; ED; PA 11; ED; PA 12; ED; PA 13; ED; PA 14; ED; PA 15; ED; O2", 17,
     "10/1 | 11/2 | 12/3 | 13/4 | 14/5 | 10/1 | 11/2 | 12/3 | 13/4 | 14/5 | 10/1 | 11/2 | 12/3 | 13/4 | 14/5 | 15/6 | "
     "15/6!"},
    {"LP count 0xFFFF loops forever", "RF 1; TA 9; LP 0 2 0xFFFF; PA 1; ED; PA 2; ED; O2", 7,
     "1/1 | 2/2 | 1/1 | 2/2 | 1/1 | 2/2 | 1/1"},
    {"frames before the loop start run through within one tick",
     "TA 9; LP 3 4 1; WV 8; PA 1; ED; PA 2; ED; PA 3; ED; PA 4; ED; O2", 5,
     "3/3 | 4/4 | 1/5 s8 | 2/6 s8 | 3/7 s8"},
    {"event opcodes set their bits and the owner clears them; WV sets the cue",
     "PA 1; 100; 104; WV 7; ED; PA 2; 101; ED; PA 3; 102; 103; ED; O2", 3,
     "1/0 e81000000 s7 | 2/0 eC1000000 s7 | 3/0 eF1000000 s7"},
    {"an opcode the player does not know is a bare opcode", "PA 1; 0x1234; 0x4142; PA 2; ED; O2", 2, "2/0 | 2/0!"},
    {"a script without a terminator stops at its end", "PA 1; ED; PA 2; ED", 4, "1/0 | 2/0 | 2/0! | 2/0!"},
    {"an opcode whose operands the end cuts stops there", "PA 1; ED; PA 7", 3, "1/0 | 1/0! | 1/0!", 1},
    {"an empty script finishes at once", "", 2, "0/0! | 0/0!"},
};

TEST(ActPlayer, ScriptsGiveTheirTimelines) {
  for (const Timeline& t : kTimelines) {
    SCOPED_TRACE(t.name);
    ActFolder folder;
    std::vector<std::uint8_t> script = kit::act_script(t.script);
    script.resize(script.size() - std::size_t(t.cut));
    // An empty script is a QQ record of size 0 at the block's end.
    std::vector<std::uint8_t> block = script.empty() ? std::vector<std::uint8_t>{1, 0, 8, 0, 0, 0, 0, 0}
                                                     : kit::act_block({script});
    ASSERT_TRUE(folder.open({{1, block}}));
    ActInstance a;
    a.act = 1;
    EXPECT_EQ(run_ticks(a, t.ticks), t.expected);
  }
}

TEST(ActPlayer, PictureResetsScaleAndColourAndOpcodesBeforeItAreOverridden) {
  ActFolder folder;
  ASSERT_TRUE(folder.open_script(1, "SC 2 3 4; CO 1 2 3 4; PA 5; ED; PA 6; CO 0x110 0x220 0x330 0x440; SC 5 6 7; ED; O2"));
  ActInstance a;
  a.act = 1;
  ASSERT_EQ(Take_3dActData(&a), 1);
  EXPECT_EQ(a.scale[0], 1.0f);
  EXPECT_EQ(a.color, 0xFFFFFFFFu);
  ASSERT_EQ(Take_3dActData(&a), 1);
  EXPECT_EQ(a.color, 0x10203040u) << "only the low byte of each operand";
  EXPECT_EQ(a.color_bytes[0], 0x10);
  EXPECT_EQ(a.scale[2], 7.0f);
}

TEST(ActPlayer, FieldOpcodesFillTheirFields) {
  ActFolder folder;
  ASSERT_TRUE(folder.open_script(
      1, "PA 1; BX 1 2 3 4 5 6 7 8; CA 10 20 30; CD 4 5 6; CP 1.5 2.5 3.5; DP -1 -2 -3; FX 0x1000002; RF 3005; "
         "RT 90 180 270; TP 1; TX 0xABCD 7 8 9; ED; O2"));
  ActInstance a;
  a.act = 1;
  ASSERT_EQ(Take_3dActData(&a), 1);
  EXPECT_EQ(a.box.max.w, 8.0f);
  EXPECT_EQ(a.point_a.y, 20.0f);
  EXPECT_EQ(a.point_b.z, 6.0f);
  EXPECT_TRUE(a.state & act_state_point_set);
  EXPECT_EQ(a.hot_spot[1], 2.5f);
  EXPECT_EQ(a.offset[2], -3.0f);
  EXPECT_EQ(a.draw_flags, 0x1000002u);
  EXPECT_EQ(a.resource, 3005);
  EXPECT_EQ(a.rotation[2], 270);
  EXPECT_EQ(a.kind, 1);
  EXPECT_EQ(a.tx_word, 0xABCDu);
  EXPECT_EQ(a.tx_args[2], 9);
}

TEST(ActPlayer, SheetCellsAndMirroring) {
  ActFolder folder;
  // A sheet 256 wide of 64 x 32 cells: cell 5 is column 1 of row 1. VX swaps left and right;
  // the next PA clears the mirrored bit but not the swap.
  ASSERT_TRUE(folder.open_script(1, "TP 1; SI 0 0 256 128 64 32; SP 5; PA 0; VX; ED; PA 1; ED; O2"));
  ActInstance a;
  a.act = 1;
  ASSERT_EQ(Take_3dActData(&a), 1);
  EXPECT_EQ(a.src_rect[0], 128);
  EXPECT_EQ(a.src_rect[1], 32);
  EXPECT_EQ(a.src_rect[2], 64);
  EXPECT_EQ(a.src_rect[3], 64);
  EXPECT_TRUE(a.state & act_state_mirrored);
  ASSERT_EQ(Take_3dActData(&a), 1);
  EXPECT_FALSE(a.state & act_state_mirrored);
  EXPECT_EQ(a.src_rect[0], 128);
}

TEST(ActPlayer, SheetsOfZeroWidthCellsOrNarrowerThanACellDoNotDivideByZero) {
  for (const char* script : {"TP 1; SI 0 0 256 128 0 32; SP 7; PA 0; ED", "TP 1; SI 0 0 10 128 64 32; SP 3; PA 0; ED",
                             "TP 1; SI 300 0 10 128 64 32; SP 3; PA 0; ED"}) {
    SCOPED_TRACE(script);
    ActFolder folder;
    ASSERT_TRUE(folder.open_script(1, script));
    ActInstance a;
    a.act = 1;
    ASSERT_EQ(Take_3dActData(&a), 1);
    EXPECT_EQ(a.src_rect[0], 0) << "one column";
  }
}

TEST(ActPlayer, AttachmentIndicesOutsideTheTenSlotsAreIgnored) {
  ActFolder folder;
  ASSERT_TRUE(folder.open_script(1, "RE 4 0 5 30 9 6 31 10 7 32 0xFFFF 8 33; PA 0; ED; O2"));
  ActInstance a;
  a.act = 1;
  a.spare[0] = 0x5A;
  ASSERT_EQ(Take_3dActData(&a), 1);
  EXPECT_EQ(a.attach_count, 4);
  EXPECT_EQ(a.attach_type[0], 5);
  EXPECT_EQ(a.attach_stop[9], 31);
  EXPECT_EQ(a.pc, 2 + 2 + 24 + 2 + 2 + 2) << "the whole list is stepped over";
  ActInstance fresh;
  EXPECT_EQ(std::memcmp(a.attach_type + 1, fresh.attach_type + 1, 8 * 2), 0);
}

TEST(ActPlayer, ChangingQqRestartsWithEverythingButActQqAndControlZeroed) {
  ActFolder folder;
  ASSERT_TRUE(folder.open({{1, kit::act_block({kit::act_script("TA 9; SD 2; RF 7; PA 3; ED; O2"),
                                               kit::act_script("PA 8; ED; O2")})}}));
  ActInstance a;
  a.act = 1;
  a.control = act_control_device_texture;
  ASSERT_EQ(Take_3dActData(&a), 1);
  EXPECT_EQ(a.delay, 2);
  a.qq = 1;
  a.events = 0x55;
  ASSERT_EQ(Take_3dActData(&a), 1);
  EXPECT_EQ(a.picture, 8);
  EXPECT_EQ(a.resource, 0);
  EXPECT_EQ(a.frame_max, 0);
  EXPECT_EQ(a.events, 0u);
  EXPECT_EQ(a.delay, 0);
  EXPECT_EQ(a.control, act_control_device_texture);
  EXPECT_EQ(a.loaded_qq, 1);
  EXPECT_EQ(a.pc, 6);
}

TEST(ActPlayer, KeepDelayHoldsTheDelayAcrossRestartsAndIgnoresSd) {
  ActFolder folder;
  ASSERT_TRUE(folder.open_script(1, "SD 1; PA 1; ED; PA 2; ED; O2"));
  ActInstance a;
  a.act = 1;
  a.control = act_control_keep_delay;
  a.delay = 2;
  a.loaded_act = 1;  // the instance already plays it: no restart
  EXPECT_EQ(run_ticks(a, 4), "1/0 | 1/0 | 1/0 | 2/0") << "SD 1 ignored, delay 2 kept";
  a.state |= act_state_restart;
  EXPECT_EQ(run_ticks(a, 2), "1/0 | 1/0");
  EXPECT_EQ(a.delay, 2);
}

TEST(ActPlayer, FrozenNoneAndMissingAnimations) {
  ActFolder folder;
  ASSERT_TRUE(folder.open_script(1, "PA 4; ED; O2"));
  ActInstance a;
  EXPECT_EQ(Take_3dActData(&a), 0) << "act 0";
  a.act = 1;
  a.state = act_state_frozen;
  EXPECT_EQ(Take_3dActData(&a), 1);
  EXPECT_EQ(a.picture, 0);
  EXPECT_EQ(a.loaded_act, 0) << "frozen changes nothing";
  a.state = 0;
  a.act = 2;  // no such entry
  a.picture = 9;
  EXPECT_EQ(Take_3dActData(&a), 0);
  EXPECT_EQ(a.picture, 0) << "the restart ran before the script was missed";
  EXPECT_EQ(a.loaded_act, 2);
}

}  // namespace
