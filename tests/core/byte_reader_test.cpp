// The reader of outside bytes: values are little-endian, nothing is read past the end, and a
// failed sequential read spoils every later one instead of shifting fields.
#include "core/byte_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

const std::uint8_t five[] = {0x01, 0x02, 0x03, 0x04, 0x85};
constexpr std::size_t far = std::numeric_limits<std::size_t>::max();

TEST(ByteReader, PositionedReadsAnswerZeroForFieldsNotWhollyInside) {
  const ByteReader r(five, sizeof five);
  struct Case {
    std::size_t pos;
    std::uint8_t u8;
    std::uint16_t u16;
    std::uint32_t u32;
  } cases[] = {
      {0, 0x01, 0x0201, 0x04030201},
      {1, 0x02, 0x0302, 0x85040302},
      {2, 0x03, 0x0403, 0},  // the u32 would take one byte past the end
      {4, 0x85, 0, 0},
      {5, 0, 0, 0},
      {far, 0, 0, 0},  // a position that wraps when a size is added to it
      {far - 1, 0, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(r.u8_at(c.pos), c.u8) << c.pos;
    EXPECT_EQ(r.u16_at(c.pos), c.u16) << c.pos;
    EXPECT_EQ(r.u32_at(c.pos), c.u32) << c.pos;
  }
  EXPECT_EQ(r.i8_at(4), -123);
  EXPECT_FALSE(r.has(far, 2));
  EXPECT_TRUE(r.has(5, 0));
}

TEST(ByteReader, AFailedReadKeepsTheCursorAndSpoilsEveryLaterRead) {
  ByteReader r(five, sizeof five);
  EXPECT_EQ(r.u16(), 0x0201);
  EXPECT_EQ(r.u32(), 0u);  // three bytes are left
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.pos(), 2u);
  EXPECT_EQ(r.u8(), 0);  // inside, but the reader has failed
  EXPECT_EQ(r.bytes(1), nullptr);
  EXPECT_FALSE(r.skip(0));
  EXPECT_FALSE(r.seek(0));
}

TEST(ByteReader, SeekSkipAndBytesSayWhetherTheyStayedInside) {
  struct Case {
    const char* what;
    bool (*step)(ByteReader&);
    bool ok;
    std::size_t pos;
  } cases[] = {
      {"seek to the end", [](ByteReader& r) { return r.seek(5); }, true, 5},
      {"seek past the end", [](ByteReader& r) { return r.seek(6); }, false, 1},
      {"skip to the end", [](ByteReader& r) { return r.skip(4); }, true, 5},
      {"skip past the end", [](ByteReader& r) { return r.skip(5); }, false, 1},
      {"skip a wrapping count", [](ByteReader& r) { return r.skip(far); }, false, 1},
      {"bytes to the end", [](ByteReader& r) { return r.bytes(4) == five + 1; }, true, 5},
      {"bytes past the end", [](ByteReader& r) { return r.bytes(5) != nullptr; }, false, 1},
  };
  for (const Case& c : cases) {
    ByteReader r(five, sizeof five);
    r.u8();
    EXPECT_EQ(c.step(r), c.ok) << c.what;
    EXPECT_EQ(r.ok(), c.ok) << c.what;
    EXPECT_EQ(r.pos(), c.pos) << c.what;
    EXPECT_EQ(r.remaining(), sizeof five - c.pos) << c.what;
  }
}

TEST(ByteReader, NoBytesReadNothing) {
  for (ByteReader r : {ByteReader(), ByteReader(nullptr, 16), ByteReader(five, 0)}) {
    EXPECT_EQ(r.size(), 0u);
    EXPECT_EQ(r.u16_at(0), 0);
    EXPECT_TRUE(r.tail(0).empty());
    EXPECT_EQ(r.u8(), 0);
    EXPECT_FALSE(r.ok());
  }
}

TEST(ByteReader, StoresReadBackAsWritten) {
  std::uint8_t buf[6] = {};
  put_u16le(buf, 0xBEEF);
  put_u32le(buf + 2, 0x80402010);
  const std::uint8_t expected[] = {0xEF, 0xBE, 0x10, 0x20, 0x40, 0x80};
  for (std::size_t i = 0; i < sizeof buf; ++i) EXPECT_EQ(buf[i], expected[i]) << i;
  ByteReader r(buf, sizeof buf);
  EXPECT_EQ(r.u16(), 0xBEEF);
  EXPECT_EQ(r.i32(), std::int32_t(0x80402010));
  EXPECT_TRUE(r.ok());
}

}  // namespace
