#pragma once
// Field-by-field access to the stored images of records (save-file layouts). Each stored record
// has one table, record_image::Layout<Record>: its image size and one row per field (name,
// offset in the image, member). The table is the layout's documentation and the serialisers
// follow it: write_image and read_image walk the rows, nested records and arrays of records
// included. Pointer slots have no row: they are written as 0 and ignored on read.
#include <algorithm>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "core/byte_reader.h"

namespace record_image {

// Specialised by each stored record: `size` (bytes of the image) and `fields` (a tuple of Field
// rows in offset order).
template <class Record>
struct Layout;

template <class T>
concept Stored = requires {
  Layout<T>::size;
  Layout<T>::fields;
};

template <class T>
concept Scalar = std::is_arithmetic_v<T>;

// Bytes a value takes in an image: a record its layout's size, an array its elements'.
template <class T>
constexpr std::size_t image_size() {
  if constexpr (Stored<T>) {
    return Layout<T>::size;
  } else if constexpr (std::is_array_v<T>) {
    return std::extent_v<T> * image_size<std::remove_extent_t<T>>();
  } else {
    static_assert(Scalar<T>, "a stored field is a number, an array or a stored record");
    return sizeof(T);
  }
}

// One row of a layout.
template <class Record, class Member>
struct Field {
  using member_type = Member;
  std::string_view name;
  std::size_t offset;
  Member Record::*member;
  static constexpr std::size_t width = image_size<Member>();
};

template <class Record, class Member>
constexpr Field<Record, Member> field(std::string_view name, std::size_t offset, Member Record::*member) {
  return {name, offset, member};
}

// Calls f(row) for each row of the record's layout, in table order.
template <class Record, class F>
constexpr void for_each_field(F&& f) {
  std::apply([&](const auto&... row) { (f(row), ...); }, Layout<Record>::fields);
}

template <class T>
void write_value(const T& v, std::span<std::uint8_t> out, std::size_t off) {
  if constexpr (Stored<T>) {
    for_each_field<T>([&](const auto& row) { write_value(v.*row.member, out, off + row.offset); });
  } else if constexpr (std::is_array_v<T>) {
    constexpr std::size_t step = image_size<std::remove_extent_t<T>>();
    for (std::size_t i = 0; i < std::extent_v<T>; ++i) write_value(v[i], out, off + i * step);
  } else {
    assert(off + sizeof(T) <= out.size());
    std::memcpy(out.data() + off, &v, sizeof(T));  // the host is little-endian (asserted below)
  }
}

template <class T>
void read_value(const ByteReader& in, std::size_t off, T& v) {
  if constexpr (Stored<T>) {
    for_each_field<T>([&](const auto& row) { read_value(in, off + row.offset, v.*row.member); });
  } else if constexpr (std::is_array_v<T>) {
    constexpr std::size_t step = image_size<std::remove_extent_t<T>>();
    for (std::size_t i = 0; i < std::extent_v<T>; ++i) read_value(in, off + i * step, v[i]);
  } else {
    assert(in.has(off, sizeof(T)));
    in.copy_at(off, &v, sizeof(T));  // the host is little-endian (asserted below)
  }
}

// The record's image: every field at its offset, every other byte (pointer slots) 0.
template <Stored Record>
void write_image(const Record& r, std::span<std::uint8_t, Layout<Record>::size> out) {
  std::fill(out.begin(), out.end(), std::uint8_t{0});
  write_value(r, out, 0);
}

// Every field from its offset; members without a row (pointers) are left to the caller.
template <Stored Record>
void read_image(std::span<const std::uint8_t, Layout<Record>::size> in, Record& r) {
  read_value(ByteReader(in.data(), in.size()), 0, r);
}

static_assert(sizeof(float) == 4 && sizeof(std::int32_t) == 4);
static_assert(std::endian::native == std::endian::little, "the stored layouts are little-endian");

}  // namespace record_image
