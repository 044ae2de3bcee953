// Battle units: the capture of a monster, from the command's confirmation through the capture
// state until the monster has gone to the base or the attempt has failed.
#include "base/residents.h"
#include "battle/fame.h"
#include "battle/fight.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_message.h"
#include "g3d/effects/effect_dat.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/scripted_effects.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "sound/sfx_bank.h"
#include "ui/talk_msg.h"

namespace {
constexpr int capture_effect = 1000;
constexpr std::uint16_t capture_pose = 33, capture_flash_act = 6039, capture_flash_qq = 1;
constexpr std::uint32_t bit31 = 0x80000000, bit28 = 0x10000000;
constexpr int success_sound = 510, failure_sound = 511;
constexpr float success_frames = 20.0f, failure_frames = 30.0f;

constexpr char captured_text[] = "\xA6\xAC\xA4\xC6\xA6\xA8\xA5\\!!%Q";                       // 收化成功!!
constexpr char cannot_text[] = "\xB5L\xAAk\xA6\xAC\xA4\xC6!!%Q";                               // 無法收化!!
constexpr char low_text[] = "\xAE\xBB\xA7\xAF\xA5\xA2\xB1\xD1\xA1""A\xBE\xF7\xB2v\xB0\xBE\xA7""C!!%Q";  // 捉妖失敗，機率偏低!!
constexpr char hard_text[] = "\xAE\xBB\xA7\xAF\xA5\xA2\xB1\xD1\xA1""A\xC3\xF8\xA5H\xAE\xB7\xAE\xBB!!%Q";  // 捉妖失敗，難以捕捉!!
constexpr char very_low_text[] = "\xAE\xBB\xA7\xAF\xA5\xA2\xB1\xD1\xA1""A\xB7\xA5\xA7""C\xBE\xF7\xB2v!!%Q";  // 捉妖失敗，極低機率!!
constexpr char failed_text[] = "\xA6\xAC\xA4\xC6\xA5\xA2\xB1\xD1!!%Q";                         // 收化失敗!!

// The failure's message by what kept the monster: a kind or ACT that is never caught, or how far
// its level is above the capturer's.
const char* failure_text(const FightMan& c, const FightMan& m) {
  if (m.IsUncatchable()) return cannot_text;
  const std::uint16_t gap = std::uint16_t(m.Level() - c.Level());
  if (gap >= 11 && gap <= 20) return low_text;
  if (gap >= 21 && gap <= 30) return hard_text;
  if (gap >= 31 && gap <= 40) return very_low_text;
  return failed_text;
}

// The point of the capturer's body model with this tag, or its position.
G3dVector body_point(const FightMan& c, int tag) {
  G3dVector p = c.pos;
  const G3dPoly* model = GetPoly(c.body.resource);
  if (!model) return p;
  G3dMatrix m;
  renderer.identity_matrix(&m);
  renderer.translate_matrix(&m, c.pos.x, c.pos.y, c.pos.z);
  G3dVector out{};
  if (renderer.get_part_point(&m, model, c.body.picture, tag, &out)) p = out;
  return p;
}

void release_emitter(int id) {
  if (ParticleEmitter* e = fight_unit_effects.get(id)) e->hold = 0, e->continuous = 0;
}

// The capture is over: the flash gone, the emitter let go, the capturer home, its turn ended
// and the message shown.
void finish(FightMan& c, const char* text) {
  del_special_effect(capture_flash_act, capture_flash_qq);
  release_emitter(c.capture_fx);
  c.capture_fx = -1;
  c.pose_loops = 0;
  c.anim_timer = 0;
  c.pos = c.home;
  c.EndTurn();
  fight_message(text, 150);
}
}  // namespace

void FightMan::StartCapture(FightMan* m) {
  if (!m) return;
  const float top = m->body.box.max.y;
  set_effect_area(0, 0, top);
  int id = -1;
  ParticleEmitter* e = fight_unit_effects.add(capture_effect, m->pos.x, m->pos.y + top / 2, m->pos.z, &id);
  capture_fx = e ? id : -1;
  if (!e) return;
  // The particles home on the capturer.
  const G3dVector p = body_point(*this, 0);
  for (int i = 0; i < e->count; ++i) e->particles()[i].target = p;
  e->attract = 1;
  e->attraction = 600.0f;
  e->hold = 1;
  e->start();
}

int FightMan::RunCapture(FightMan* m, int captured) {
  if (!m) return 1;
  body.act = act;
  body.qq = pose = capture_pose;
  // Without animation data the capture goes on as if its strike frame had come: nothing else
  // would ever end the capture state.
  const bool animated = Take_3dActData(&body) != 0;
  if (animated ? (body.events & (bit31 | bit28)) != 0 : pose_loops == 0) {
    SpecialEffect flash;
    flash.instance.act = capture_flash_act;
    flash.instance.qq = capture_flash_qq;
    G3dVector p = body_point(*this, 1);
    p.y -= 50;
    flash.position = flash.target = p;
    add_special_effect(&flash, special_add_front);
    pose_loops = 1;
    anim_timer = 1.0f;
    if (ParticleEmitter* e = fight_unit_effects.get(capture_fx)) e->continuous = 0;
    if (captured) {
      m->ChangeHp(9999, 0, 0);
      m->hit_state = 2;
    }
    body.events &= ~(bit31 | bit28);
  }
  if (captured) {
    if (!m->IsFallen()) return 0;
    if (anim_timer == 1.0f) play_sfx(success_sound, 1);
    release_emitter(capture_fx);
    anim_timer += 1.0f;
    if (anim_timer == success_frames) release_emitter(capture_fx);
    if (anim_timer <= success_frames || fight_unit_effects.get(capture_fx)) return 0;
    add_resident(m->act);
    treasure_event(2, 1, 0);
    fame_add(m->act, 1, 0, 0);
    finish(*this, captured_text);
    return 1;
  }
  if (anim_timer < 1.0f) return 0;
  anim_timer += 1.0f;
  if (anim_timer < failure_frames) return 0;
  play_sfx(failure_sound, 1);
  finish(*this, failure_text(*this, *m));
  return 1;
}
