#include "data/maps_index.h"

#include "core/log.h"
#include "data/maps_db.h"
#include "field/map_file.h"

namespace {
constexpr std::size_t index_row_size = 10;
constexpr std::size_t uv_row_size = 8;
constexpr std::size_t sky_row_size = 6;
constexpr int uv_slots = 32;
// Texture numbers of scroll rows lie above this; values at or below it are already indices.
constexpr std::uint16_t resolved_limit = 10000;

// UV各數超過5個!!
constexpr const char* too_many_uv_message = "UV\xA6U\xBC\xC6\xB6W\xB9L5\xAD\xD3!!";
// 天空uv物件貼圖編號是0
constexpr const char* sky_zero_message = "\xA4\xD1\xAA\xC5uv\xAA\xAB\xA5\xF3\xB6K\xB9\xCF\xBDs\xB8\xB9\xACO0";
// 地圖uv設定,貼圖編號[%d]找不到!!
constexpr const char* uv_missing_message =
    "\xA6""a\xB9\xCFuv\xB3]\xA9w,\xB6K\xB9\xCF\xBDs\xB8\xB9[%d]\xA7\xE4\xA4\xA3\xA8\xEC!!";
// 天空uv設定,貼圖編號[%d]找不到!!
constexpr const char* sky_missing_message =
    "\xA4\xD1\xAA\xC5uv\xB3]\xA9w,\xB6K\xB9\xCF\xBDs\xB8\xB9[%d]\xA7\xE4\xA4\xA3\xA8\xEC!!";

void read_sky_row() {
  MapRecord& m = map_record;
  m.sky_tex = 0;
  m.sky_rate_u = m.sky_rate_v = 0.0f;
  // Sky set 0 names no row (the row before the table); such a map has no sky.
  if (m.sky_set == 0) return;
  ByteReader t = maps_table(maps_sky_rows);
  std::size_t p = (std::size_t(m.sky_set) - 1) * sky_row_size;
  if (!t.has(p, sky_row_size)) return;
  m.sky_tex = t.u16_at(p);
  m.sky_rate_u = static_cast<float>(t.i16_at(p + 2) / 10000.0);
  m.sky_rate_v = static_cast<float>(t.i16_at(p + 4) / 10000.0);
  if (m.sky_tex == 0) report_error("%s", sky_zero_message);
}
}  // namespace

int read_MapIndex(std::uint16_t map) {
  ByteReader t = maps_table(maps_index_rows);
  for (std::size_t p = 0; t.has(p, index_row_size) && t.u16_at(p) != end_mark; p += index_row_size) {
    if (t.u16_at(p) != map) continue;
    map_record.encounter_set = t.u16_at(p + 2);
    map_record.map_flags = t.u16_at(p + 4);
    map_record.uv_set = t.u16_at(p + 6);
    map_record.sky_set = t.u16_at(p + 8);
    read_maps_uv(map);
    return 1;
  }
  return 0;
}

int read_maps_uv(std::uint16_t map) {
  MapRecord& m = map_record;
  if (m.uv_set == 0) return 1;
  for (int i = 0; i < uv_slots; ++i) {
    m.uv_tex[i] = 0;
    m.uv_rate_u[i] = m.uv_rate_v[i] = 0.0f;
  }
  ByteReader t = maps_table(maps_uv_rows);
  int filled = 0;
  for (std::size_t p = 0; t.has(p, uv_row_size) && t.u16_at(p) != end_mark; p += uv_row_size) {
    if (t.u16_at(p) != map) continue;
    if (filled == uv_slots) {
      report_error("%s", too_many_uv_message);
      break;
    }
    m.uv_tex[filled] = t.u16_at(p + 2);
    m.uv_rate_u[filled] = static_cast<float>(t.i16_at(p + 4) / 10000.0);
    m.uv_rate_v[filled] = static_cast<float>(t.i16_at(p + 6) / 10000.0);
    ++filled;
  }
  read_sky_row();
  return 1;
}

void resolve_map_uv_tex(const std::uint32_t* texture_numbers, std::size_t count) {
  MapRecord& m = map_record;
  if (!texture_numbers || m.uv_set == 0) return;
  for (int i = 0; i < uv_slots; ++i) {
    const std::uint16_t number = m.uv_tex[i];
    if (number == 0 || number <= resolved_limit) return;
    bool found = false;
    for (std::size_t j = 0; j < count; ++j) {
      if (texture_numbers[j] != number) continue;
      if (!found) {
        m.uv_tex[i] = static_cast<std::uint16_t>(j);
        found = true;
        continue;
      }
      // A number used by several textures of the world: each further one takes a free slot (or
      // one that still holds the number) with this slot's speeds.
      for (int k = i; k < uv_slots; ++k) {
        if (m.uv_tex[k] != 0 && m.uv_tex[k] != number) continue;
        m.uv_tex[k] = static_cast<std::uint16_t>(j);
        m.uv_rate_u[k] = m.uv_rate_u[i];
        m.uv_rate_v[k] = m.uv_rate_v[i];
        break;
      }
    }
    if (!found) {
      report_error(uv_missing_message, number);
      m.uv_tex[i] = 0;
    }
  }
}

void resolve_sky_uv_tex(const std::uint32_t* texture_numbers, std::size_t count) {
  MapRecord& m = map_record;
  if (!texture_numbers || m.sky_set == 0) return;
  for (std::size_t j = 0; j < count; ++j) {
    if (texture_numbers[j] == m.sky_tex) {
      m.sky_tex = static_cast<std::uint16_t>(j);
      return;
    }
  }
  report_error(sky_missing_message, m.sky_tex);
  m.sky_tex = 0;
}
