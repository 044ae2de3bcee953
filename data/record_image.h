#pragma once
// Field-by-field access to the stored images of records (save-file layouts). A record lists its
// fields once, as (offset, member) pairs, in a visit function; the visitors below write the
// fields into an image, read them back, or mark which bytes the layout covers.
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>

#include "core/byte_reader.h"

namespace record_image {

template <class T>
concept Scalar = std::is_arithmetic_v<T>;

// Writes each field little-endian at its offset.
struct Writer {
  std::span<std::uint8_t> out;

  template <Scalar T>
  void operator()(std::size_t off, const T& v) const {
    assert(off + sizeof(T) <= out.size());
    std::memcpy(out.data() + off, &v, sizeof(T));  // the host is little-endian (asserted below)
  }
  template <Scalar T, std::size_t N>
  void operator()(std::size_t off, const T (&a)[N]) const {
    for (std::size_t i = 0; i < N; ++i) (*this)(off + i * sizeof(T), a[i]);
  }
};

// Reads each field from its offset (a field outside the image reads as 0).
struct Reader {
  explicit Reader(std::span<const std::uint8_t> image) : in(image) {}
  ByteReader in;

  template <Scalar T>
  void operator()(std::size_t off, T& v) const {
    assert(in.has(off, sizeof(T)));
    in.copy_at(off, &v, sizeof(T));  // the host is little-endian (asserted below)
  }
  template <Scalar T, std::size_t N>
  void operator()(std::size_t off, T (&a)[N]) const {
    for (std::size_t i = 0; i < N; ++i) (*this)(off + i * sizeof(T), a[i]);
  }
};

// Counts, per byte of the image, how many fields cover it (tests check the layout with it).
struct Coverage {
  std::span<std::uint8_t> hits;

  template <Scalar T>
  void operator()(std::size_t off, const T&) const {
    for (std::size_t i = 0; i < sizeof(T); ++i)
      if (off + i < hits.size()) ++hits[off + i];
  }
  template <Scalar T, std::size_t N>
  void operator()(std::size_t off, const T (&a)[N]) const {
    for (std::size_t i = 0; i < N; ++i) (*this)(off + i * sizeof(T), a[i]);
  }
};

static_assert(sizeof(float) == 4 && sizeof(std::int32_t) == 4);
static_assert(std::endian::native == std::endian::little, "the stored layouts are little-endian");

}  // namespace record_image
