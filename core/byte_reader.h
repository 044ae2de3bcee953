#pragma once
// The one reader of outside bytes: little-endian, unaligned, bounds-checked. Every loader and
// lookup of a data file, a save, a script, an archive or a picture reads through it; nothing
// casts a buffer to a struct.
//
// Positioned reads (`u16_at` ...) answer 0 for a position outside the bytes; callers test `has`
// first where a missing value must not be taken for a 0. Sequential reads advance a cursor; one
// that would pass the end yields 0 (or null), leaves the cursor where it was and fails the
// reader for good, so a parser reads its fields and tests `ok` once: no later read succeeds
// and no field is taken from the wrong place.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

class ByteReader {
 public:
  ByteReader() = default;
  ByteReader(const void* data, std::size_t size)
      : data_(size ? static_cast<const std::uint8_t*>(data) : nullptr), size_(data ? size : 0) {}
  explicit ByteReader(std::span<const std::uint8_t> bytes) : ByteReader(bytes.data(), bytes.size()) {}

  std::size_t size() const { return size_; }
  const std::uint8_t* data() const { return data_; }
  std::span<const std::uint8_t> bytes() const { return {data_, size_}; }
  // True when n bytes starting at pos lie inside (overflow-safe).
  bool has(std::size_t pos, std::size_t n) const { return pos <= size_ && n <= size_ - pos; }
  // The bytes from pos to the end (empty when pos is outside).
  std::span<const std::uint8_t> tail(std::size_t pos) const {
    return pos <= size_ ? std::span<const std::uint8_t>(data_ + (data_ ? pos : 0), size_ - pos)
                        : std::span<const std::uint8_t>();
  }
  ByteReader sub(std::size_t pos) const { return ByteReader(tail(pos)); }

  std::uint8_t u8_at(std::size_t pos) const { return has(pos, 1) ? data_[pos] : 0; }
  std::int8_t i8_at(std::size_t pos) const { return static_cast<std::int8_t>(u8_at(pos)); }
  std::uint16_t u16_at(std::size_t pos) const {
    if (!has(pos, 2)) return 0;
    return static_cast<std::uint16_t>(data_[pos] | (data_[pos + 1] << 8));
  }
  std::int16_t i16_at(std::size_t pos) const { return static_cast<std::int16_t>(u16_at(pos)); }
  std::uint32_t u32_at(std::size_t pos) const {
    if (!has(pos, 4)) return 0;
    return std::uint32_t(data_[pos]) | std::uint32_t(data_[pos + 1]) << 8 |
           std::uint32_t(data_[pos + 2]) << 16 | std::uint32_t(data_[pos + 3]) << 24;
  }
  std::int32_t i32_at(std::size_t pos) const { return static_cast<std::int32_t>(u32_at(pos)); }
  float f32_at(std::size_t pos) const {
    std::uint32_t bits = u32_at(pos);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }
  // Copies n bytes at pos into out; false (out zeroed) when they are not all inside.
  bool copy_at(std::size_t pos, void* out, std::size_t n) const {
    if (!has(pos, n)) {
      if (n) std::memset(out, 0, n);
      return false;
    }
    if (n) std::memcpy(out, data_ + pos, n);
    return true;
  }

  // Sequential reading from the cursor.
  std::size_t pos() const { return pos_; }
  bool ok() const { return !failed_; }
  std::size_t remaining() const { return size_ - pos_; }
  // Moving the cursor: false, with the cursor left where it was, when the place lies past the
  // end; false also on a reader that has failed before.
  bool seek(std::size_t pos) {
    if (pos > size_) failed_ = true;
    else pos_ = pos;
    return ok();
  }
  bool skip(std::size_t n) { return take(n); }
  std::uint8_t u8() { return take(1) ? data_[pos_ - 1] : 0; }
  std::int8_t i8() { return static_cast<std::int8_t>(u8()); }
  std::uint16_t u16() { return take(2) ? u16_at(pos_ - 2) : 0; }
  std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
  std::uint32_t u32() { return take(4) ? u32_at(pos_ - 4) : 0; }
  std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
  float f32() { return take(4) ? f32_at(pos_ - 4) : 0.0f; }
  // The next n bytes in place, or null when fewer remain.
  const std::uint8_t* bytes(std::size_t n) { return take(n) ? data_ + (pos_ - n) : nullptr; }

 private:
  bool take(std::size_t n) {
    if (failed_ || !has(pos_, n)) {
      failed_ = true;
      return false;
    }
    pos_ += n;
    return true;
  }

  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t pos_ = 0;  // never past size_
  bool failed_ = false;
};

// Little-endian stores into a buffer the caller sized (the game's writers and the data kit's).
inline void put_u16le(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void put_u32le(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
