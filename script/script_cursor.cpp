#include "script/script_cursor.h"

#include <algorithm>

namespace {
constexpr std::uint32_t table_end_entry = 0xFFFFFFFFu;
}

ScriptCursor::ScriptCursor(std::uint8_t* body, std::size_t size, std::size_t table_end, std::size_t pos)
    : body_(body), reader_(body, size), table_end_(table_end), pos_(pos) {
  ok_ = body != nullptr && can_start(pos);
}

bool ScriptCursor::can_start(std::size_t pos) const {
  return reader_.size() >= 2 && pos >= table_end_ && pos <= reader_.size() - 2;
}

bool ScriptCursor::take(std::size_t n) {
  if (!ok_ || !reader_.has(pos_, n)) {
    ok_ = false;
    return false;
  }
  pos_ += n;
  return true;
}

std::uint16_t ScriptCursor::u16() { return take(2) ? reader_.u16_at(pos_ - 2) : 0; }

std::int32_t ScriptCursor::i32() { return take(4) ? reader_.i32_at(pos_ - 4) : 0; }

std::uint16_t ScriptCursor::u16_at(std::size_t pos) {
  if (!reader_.has(pos, 2)) ok_ = false;
  return ok_ ? reader_.u16_at(pos) : 0;
}

std::int32_t ScriptCursor::i32_at(std::size_t pos) {
  if (!reader_.has(pos, 4)) ok_ = false;
  return ok_ ? reader_.i32_at(pos) : 0;
}

void ScriptCursor::skip(std::size_t n) { take(n); }

std::span<const std::uint8_t> ScriptCursor::text() {
  if (!ok_) return {};
  for (std::size_t i = pos_; i + 1 < reader_.size(); ++i) {
    if (reader_.u8_at(i) == '%' && reader_.u8_at(i + 1) == 'Q') {
      std::span<const std::uint8_t> t = reader_.bytes().subspan(pos_, i + 2 - pos_);
      pos_ = i + 2;
      return t;
    }
  }
  ok_ = false;
  return {};
}

std::size_t ScriptCursor::word_list() {
  std::size_t n = 0;
  while (ok_) {
    if (u16() == 0xFFFF) return n;
    ++n;
  }
  return 0;
}

std::size_t ScriptCursor::table_count() {
  if (!ok_) return 0;
  for (std::size_t n = 0;; ++n) {
    std::size_t at = pos_ + 4 * n;
    if (!reader_.has(at, 4)) break;
    if (reader_.u32_at(at) == table_end_entry) return n;
  }
  ok_ = false;
  return 0;
}

bool ScriptCursor::jump(std::size_t origin, std::int64_t displacement) {
  if (!ok_) return false;
  std::int64_t target = static_cast<std::int64_t>(origin) + displacement;
  if (target < 0 || !can_start(static_cast<std::size_t>(target))) {
    ok_ = false;
    return false;
  }
  pos_ = static_cast<std::size_t>(target);
  return true;
}

void ScriptCursor::put_u16(std::size_t pos, std::uint16_t value) {
  if (body_ && reader_.has(pos, 2)) put_u16le(body_ + pos, value);
}

std::uint16_t script_table_count(const ByteReader& r) {
  if (!r.has(0, 4)) return 0;
  std::uint32_t least = r.u32_at(0);
  for (std::size_t at = 4; at + 4 <= least && r.has(at, 4); at += 4) least = std::min(least, r.u32_at(at));
  return std::uint16_t(std::min<std::uint32_t>(least / 4, 0xFFFF));
}
