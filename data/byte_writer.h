#pragma once
// Little-endian writer for the stored layouts (save records) and the data kit: appends to a byte
// vector, or writes at a position, growing the vector with zeros as needed.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

class ByteWriter {
 public:
  ByteWriter() = default;
  explicit ByteWriter(std::size_t zeroed_size) : bytes_(zeroed_size, 0) {}

  std::vector<std::uint8_t>& bytes() { return bytes_; }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::size_t size() const { return bytes_.size(); }

  // Appending.
  ByteWriter& u8(std::uint8_t v) { bytes_.push_back(v); return *this; }
  ByteWriter& i8(std::int8_t v) { return u8(static_cast<std::uint8_t>(v)); }
  ByteWriter& u16(std::uint16_t v) { u16_at(bytes_.size(), v); return *this; }
  ByteWriter& i16(std::int16_t v) { return u16(static_cast<std::uint16_t>(v)); }
  ByteWriter& u32(std::uint32_t v) { u32_at(bytes_.size(), v); return *this; }
  ByteWriter& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
  ByteWriter& f32(float v) { f32_at(bytes_.size(), v); return *this; }
  ByteWriter& raw(std::span<const std::uint8_t> b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); return *this; }
  ByteWriter& raw(std::string_view s) {
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    return *this;
  }
  ByteWriter& zeros(std::size_t n) { bytes_.insert(bytes_.end(), n, 0); return *this; }

  // Writing at a position.
  void u8_at(std::size_t pos, std::uint8_t v) { grow(pos, 1); bytes_[pos] = v; }
  void u16_at(std::size_t pos, std::uint16_t v) {
    grow(pos, 2);
    bytes_[pos] = static_cast<std::uint8_t>(v);
    bytes_[pos + 1] = static_cast<std::uint8_t>(v >> 8);
  }
  void u32_at(std::size_t pos, std::uint32_t v) {
    grow(pos, 4);
    for (int i = 0; i < 4; ++i) bytes_[pos + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  void i32_at(std::size_t pos, std::int32_t v) { u32_at(pos, static_cast<std::uint32_t>(v)); }
  void f32_at(std::size_t pos, float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    u32_at(pos, bits);
  }
  void raw_at(std::size_t pos, const void* src, std::size_t n) {
    grow(pos, n);
    if (n) std::memcpy(bytes_.data() + pos, src, n);
  }

 private:
  void grow(std::size_t pos, std::size_t n) {
    if (bytes_.size() < pos + n) bytes_.resize(pos + n, 0);
  }
  std::vector<std::uint8_t> bytes_;
};

