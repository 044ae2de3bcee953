#pragma once
// The one reader of outside bytes: little-endian fields at offsets inside a known span.
// A read that would pass the end yields 0 and marks the reader failed, so a parser reads its
// fields and tests ok() once.
#include <cstddef>
#include <cstdint>

class LeReader {
 public:
  LeReader(const void* data, std::size_t size)
      : data_(static_cast<const std::uint8_t*>(data)), size_(data ? size : 0) {}

  std::size_t size() const { return size_; }
  std::size_t pos() const { return pos_; }
  bool ok() const { return ok_; }
  // True when n more bytes lie between the position and the end.
  bool has(std::size_t n) const { return pos_ <= size_ && n <= size_ - pos_; }

  bool seek(std::size_t pos) {
    if (pos > size_) return fail();
    pos_ = pos;
    return true;
  }
  bool skip(std::size_t n) { return has(n) ? (pos_ += n, true) : fail(); }

  std::uint8_t u8() { return has(1) ? data_[pos_++] : (fail(), 0); }
  std::uint16_t u16() {
    if (!has(2)) return fail(), 0;
    std::uint16_t v = std::uint16_t(data_[pos_] | data_[pos_ + 1] << 8);
    pos_ += 2;
    return v;
  }
  std::uint32_t u32() {
    if (!has(4)) return fail(), 0;
    std::uint32_t v = std::uint32_t(data_[pos_]) | std::uint32_t(data_[pos_ + 1]) << 8 |
                      std::uint32_t(data_[pos_ + 2]) << 16 | std::uint32_t(data_[pos_ + 3]) << 24;
    pos_ += 4;
    return v;
  }
  // The next n bytes in place, or null (and failed) when fewer remain.
  const std::uint8_t* bytes(std::size_t n) {
    if (!has(n)) return fail(), nullptr;
    const std::uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
  }

  // Single fields at an offset, without moving: 0 when the field does not lie inside.
  static std::uint16_t u16_at(const void* data, std::size_t size, std::size_t off) {
    LeReader r(data, size);
    return r.seek(off) ? r.u16() : 0;
  }
  static std::uint32_t u32_at(const void* data, std::size_t size, std::size_t off) {
    LeReader r(data, size);
    return r.seek(off) ? r.u32() : 0;
  }

 private:
  bool fail() {
    ok_ = false;
    return false;
  }
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

// Little-endian stores into a buffer the caller sized (writers of the data kit and the game).
inline void put_u16le(std::uint8_t* p, std::uint16_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
}
inline void put_u32le(std::uint8_t* p, std::uint32_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
  p[2] = std::uint8_t(v >> 16);
  p[3] = std::uint8_t(v >> 24);
}
