// Effect definitions and their emitters.
#include "g3d/effects/effect_dat.h"

#include <string>

#include "core/byte_reader.h"
#include "core/paths.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {

std::string effect_file;
float area_width = 0, area_depth = 0, area_height = 0;

const char* const open_failed = "load_effect(...) \xc0\xc9\xae\xd7\xab\xd8\xa5\xdf\xa5\xa2\xb1\xd1";  // "... 檔案建立失敗"
const char* const error_caption = "\xbf\xf9\xbb\x7e";  // "錯誤"

// A pending override value replaces the definition's and is used up.
void take_override(float& pending, float& value) {
  if (pending > 0) {
    value = pending;
    pending = 0;
  }
}

}  // namespace

void set_effect_path(const char* directory) {
  effect_file = directory ? directory : "";
  append_path(effect_file, "Effect.dat");
}

void load_effect(EffectDef* out, std::uint16_t n) {
  // The file is only read: a missing file gives no effects and is not made.
  if (!platform::file_exists(effect_file)) return;
  platform::File file;
  if (!file.open(effect_file, platform::File::Mode::Read)) {
    platform::message_box(nullptr, open_failed, error_caption, platform::BoxButtons::Ok, platform::BoxIcon::Error);
    return;
  }
  std::uint8_t bytes[effect_def_size];
  if (file.seek(static_cast<long long>(effect_def_offset(n)), 0) < 0) return;
  if (file.read(bytes, sizeof bytes) != static_cast<long long>(sizeof bytes)) return;
  read_effect_def(ByteReader(bytes, sizeof bytes), out);
}

void set_effect_area(float width, float depth, float height) {
  area_width = width;
  area_depth = depth;
  area_height = height;
}

EffectDatEmitter* build_effect_emitter(const EffectDef* def, float x, float y, float z) {
  EffectDef d = *def;
  take_override(area_width, d.box_width);
  take_override(area_depth, d.box_depth);
  take_override(area_height, d.box_height);
  if (d.count == 0) return nullptr;
  auto* e = new EffectDatEmitter(d.count, x, y, z, 0, d.box_width, d.box_depth, d.box_height, d.floor_height, d.act,
                                 d.qq);
  e->configure(d);
  return e;
}

EffectDatEmitter* create_effect(int type, float x, float y, float z) {
  if (type < 1 || type > effect_def_count) return nullptr;
  EffectDef def{};
  load_effect(&def, std::uint16_t(type - 1));
  return build_effect_emitter(&def, x, y, z);
}
