#pragma once
// ActInstance, the state of one playing ACT animation, and the player Take_3dActData that
// advances it by one tick. The owner zeroes an instance, sets act and qq (and, if it wants them,
// control bits and the state bits frozen and restart) and ticks it once per frame; the drawing
// code reads the fields the animation's script has set.
#include <cstdint>
#include <span>

#include "g3d/act_archive.h"
#include "g3d/g3d_math.h"

// Script opcodes: two ASCII letters, the first in the high byte.
constexpr std::uint16_t act_op(char a, char b) { return std::uint16_t(std::uint8_t(a) << 8 | std::uint8_t(b)); }
constexpr std::uint16_t ACT_BX = act_op('B', 'X'), ACT_CA = act_op('C', 'A'), ACT_CD = act_op('C', 'D'),
                        ACT_CO = act_op('C', 'O'), ACT_CP = act_op('C', 'P'), ACT_DP = act_op('D', 'P'),
                        ACT_ED = act_op('E', 'D'), ACT_FX = act_op('F', 'X'), ACT_LP = act_op('L', 'P'),
                        ACT_O2 = act_op('O', '2'), ACT_OV = act_op('O', 'V'), ACT_PA = act_op('P', 'A'),
                        ACT_RE = act_op('R', 'E'), ACT_RF = act_op('R', 'F'), ACT_RT = act_op('R', 'T'),
                        ACT_SC = act_op('S', 'C'), ACT_SD = act_op('S', 'D'), ACT_SI = act_op('S', 'I'),
                        ACT_SP = act_op('S', 'P'), ACT_TA = act_op('T', 'A'), ACT_TP = act_op('T', 'P'),
                        ACT_TX = act_op('T', 'X'), ACT_VX = act_op('V', 'X'), ACT_WV = act_op('W', 'V');
// Event opcodes: each sets one bit of events.
constexpr std::uint16_t act_event_bit31 = 100, act_event_bit30 = 101, act_event_bit29 = 102, act_event_bit28 = 103,
                        act_event_bit24 = 104;

// control bits (set by the owner, but for the cue bit the player keeps).
constexpr std::uint32_t act_control_keep_delay = 0x1;        // delay kept across restarts; SD ignored
constexpr std::uint32_t act_control_device_texture = 0x2;    // pictures are device textures to release
constexpr std::uint32_t act_control_restore_cues = 0x4;      // the frame's cues come back after a restart
constexpr std::uint32_t act_control_cue_pending = 0x40000;   // the player's own
// state bits.
constexpr std::uint16_t act_state_finished = 0x1;
constexpr std::uint16_t act_state_mirrored = 0x2;
constexpr std::uint16_t act_state_point_set = 0x4;
constexpr std::uint16_t act_state_frozen = 0x10;
constexpr std::uint16_t act_state_restart = 0x20;

// What an instance shows (TP).
constexpr std::uint8_t act_kind_model = 0, act_kind_quad = 1, act_kind_sprite = 2;
// loop bits.
constexpr std::uint16_t act_loop_set = 0x8000;
constexpr std::uint16_t act_loop_forever = 0x4000;

constexpr int act_attach_slots = 10;

struct ActInstance {
  G3dBox box{};            // BX
  G3dVector point_a{};     // CA
  G3dVector point_b{};     // CD
  std::int32_t src_rect[4]{};  // left, top, right, bottom of the sheet cell
  float hot_spot[3]{};     // CP
  float offset[3]{};       // DP
  float scale[3]{};        // SC, 1.0 after every PA
  std::uint32_t draw_flags{};  // FX
  std::uint32_t color{};       // CO, 0xFFFFFFFF after every PA
  std::uint32_t control{};
  std::uint32_t events{};  // bits set by the event opcodes, read and cleared by the owner
  std::uint32_t tx_word{};
  std::uint16_t tx_args[3]{};
  std::uint16_t rotation[3]{};  // RT, degrees
  std::uint16_t act{}, qq{};      // the animation wanted
  std::uint16_t loaded_act{}, loaded_qq{};  // the animation the fields belong to
  std::uint16_t resource{};  // TswId of the pictures or ModelId of the model (RF)
  std::uint16_t picture{};   // picture index or model frame (PA)
  std::uint16_t cell{};      // sheet cell (SP)
  std::uint16_t uploaded_picture{};
  std::uint16_t loop_start{}, loop_end{}, loop{};
  std::uint16_t delay{};
  std::int16_t delay_count{};
  std::uint16_t frame_max{}, frame{};
  std::uint16_t sheet[6]{};  // x0, y0, x1, y1, cell width, cell height (SI)
  std::uint16_t sound{};     // SfxId cue of the frame, cleared by whoever plays it
  std::uint16_t state{};
  std::uint16_t attach_count{};  // at most act_attach_slots
  std::uint16_t attach_type[act_attach_slots]{};
  std::uint16_t attach_stop[act_attach_slots]{};
  std::uint16_t pc{};
  const std::uint8_t* script{};      // valid only during the tick that fetched it
  const std::uint8_t* cur_script{};
  std::uint8_t color_bytes[4]{};
  std::uint8_t kind{};  // act_kind_model, act_kind_quad or act_kind_sprite (TP)
  float base_height{};  // read by the role code; no opcode sets it
  std::uint8_t spare[19]{};
};

// One tick: 0 when act is 0 or the script cannot be had (the instance is left as the restart
// step made it), else 1.
int Take_3dActData(ActInstance* a);

// The same tick with scripts from another source than the animation cache.
using ActScriptSource = ActScript (*)(ActId id, std::uint16_t qq);
int act_tick_from(ActInstance* a, ActScriptSource source);

// One row of the player's opcode table. The operand layout spells the operands in file order:
// f float, L u32, w u16, b u8, p a pad byte; "n" is a u16 count n followed by n triples of u16.
// Flow opcodes (ED, OV, O2) end or restart the frame and leave the frame's delay alone; every
// other opcode restarts the delay count before its action.
struct ActTick;
constexpr int act_operands_counted = -1;  // operand_bytes of the "n" layout
struct ActOpcode {
  std::uint16_t code;
  const char* name;
  const char* operands;
  int operand_bytes;      // from operands
  bool flow;
  bool (*run)(ActTick&);  // true when the tick goes on with the next opcode
};
// The rows in ascending code order. An opcode without a row is a bare opcode: no operands, no
// action.
std::span<const ActOpcode> act_opcodes();
