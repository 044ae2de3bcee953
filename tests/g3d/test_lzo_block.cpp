#include "g3d/lzo_block.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/byte_reader.h"
#include "core/mem_mgr.h"
#include "platform/lzo.h"
#include "tests/fixtures/lzo_block_kit.h"
#include "tests/fixtures/rle_writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes random_bytes(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  Bytes b(n);
  for (auto& x : b) x = std::uint8_t(gen());
  return b;
}

// Inputs around the literal-run length boundaries of the stream, compressible and not.
std::vector<Bytes> sample_inputs() {
  std::vector<Bytes> inputs = {Bytes{42}, random_bytes(3, 1), random_bytes(4, 2), random_bytes(18, 3),
                               random_bytes(19, 4), random_bytes(273, 5), random_bytes(274, 6),
                               random_bytes(65536, 7), Bytes(100000, 0)};
  inputs.push_back(fixtures::rle_picture(fixtures::sample_pixels(64, 96), 64, 96));
  return inputs;
}

// The unpacked bytes of a block, or empty when the reader refuses it.
Bytes unpack(const Bytes& block, std::uint32_t cap = 1u << 24) {
  std::uint32_t size = 0;
  std::uint8_t* out = unpack_lzo_block(block.data(), block.size(), cap, &size);
  Bytes result = out ? Bytes(out, out + size) : Bytes{};
  MemMgr_Free(out);
  return result;
}

TEST(LzoBlock, BlocksOfOurPackerAndOfTheKitsOwnStreamsReadBackByteForByte) {
  for (auto packing : {kit::LzoPacking::Library, kit::LzoPacking::Stored}) {
    for (const Bytes& input : sample_inputs()) {
      SCOPED_TRACE(testing::Message() << "size " << input.size() << " stored " << (packing == kit::LzoPacking::Stored));
      EXPECT_EQ(unpack(kit::lzo_block(input, packing)), input);
    }
  }
}

TEST(LzoBlock, PackLzoBlockWritesBothSizesAheadOfThePackedData) {
  Bytes input = random_bytes(5000, 9);
  std::uint32_t block_size = 0;
  std::uint8_t* block = pack_lzo_block(input.data(), std::uint32_t(input.size()), &block_size);
  ASSERT_NE(block, nullptr);
  Bytes bytes(block, block + block_size);
  MemMgr_Free(block);
  LzoBlockHeader header;
  ASSERT_TRUE(read_lzo_block_header(bytes.data(), bytes.size(), &header));
  EXPECT_EQ(header.unpacked_size, input.size());
  EXPECT_EQ(header.packed_size + lzo_block_header_size, block_size);
  EXPECT_EQ(unpack(bytes), input);
}

TEST(LzoBlock, IncompressibleInputStaysWithinTheLibrarysWorstCase) {
  Bytes input = random_bytes(1 << 20, 11);
  int packed = 0;
  std::uint8_t* out = g3d_compress_lzo(input.data(), std::uint32_t(input.size()), &packed);
  ASSERT_NE(out, nullptr);
  EXPECT_GT(packed, 0);
  EXPECT_LE(std::size_t(packed), platform::lzo_compress_bound(input.size()));
  Bytes restored(input.size());
  std::uint32_t size = std::uint32_t(restored.size());
  EXPECT_EQ(g3d_decompress_lzo(out, std::uint32_t(packed), restored.data(), &size), 0);
  EXPECT_EQ(size, input.size());
  EXPECT_EQ(restored, input);
  MemMgr_Free(out);
}

TEST(LzoBlock, DecompressingIntoTooSmallABufferFailsWithoutWritingPastIt) {
  Bytes input = random_bytes(4096, 12);
  Bytes stream = kit::lzo_stream(input.data(), input.size(), kit::LzoPacking::Library);
  // A heap block of exactly the capacity: the sanitizer build sees any write past it.
  std::vector<std::uint8_t> small(input.size() - 1);
  std::uint32_t size = std::uint32_t(small.size());
  EXPECT_NE(g3d_decompress_lzo(stream.data(), std::uint32_t(stream.size()), small.data(), &size), 0);
  EXPECT_LE(size, small.size());
}

TEST(LzoBlock, EveryTruncationOfABlockIsRefused) {
  for (auto packing : {kit::LzoPacking::Library, kit::LzoPacking::Stored}) {
    Bytes block = kit::lzo_block(random_bytes(700, 13), packing);
    for (std::size_t n = 0; n < block.size(); ++n) {
      Bytes cut(block.begin(), block.begin() + std::ptrdiff_t(n));
      EXPECT_TRUE(unpack(cut).empty()) << "cut to " << n;
    }
  }
}

TEST(LzoBlock, HeadersThatDisagreeWithTheDataAreRefused) {
  Bytes input = random_bytes(700, 14);
  Bytes good = kit::lzo_block(input);
  constexpr std::size_t kUnpacked = 0, kPacked = 4;
  struct Case {
    const char* what;
    std::size_t field;
    std::uint32_t value;
  } cases[] = {
      {"unpacked size one short", kUnpacked, std::uint32_t(input.size() - 1)},
      {"unpacked size one long", kUnpacked, std::uint32_t(input.size() + 1)},
      {"unpacked size 0", kUnpacked, 0},
      {"unpacked size above the cap", kUnpacked, 0x7FFFFFFF},
      {"packed size past the bytes", kPacked, std::uint32_t(good.size() - 7)},
      {"packed size huge", kPacked, 0xFFFFFFFF},
      {"packed size short of the stream's end", kPacked, std::uint32_t(good.size() - 9)},
  };
  for (const Case& c : cases) {
    Bytes bad = good;
    put_u32le(bad.data() + c.field, c.value);
    EXPECT_TRUE(unpack(bad).empty()) << c.what;
  }
}

TEST(LzoBlock, CorruptedStreamsNeverGiveAResultOfAnotherSize) {
  Bytes input = fixtures::rle_picture(fixtures::sample_pixels(40, 30), 40, 30);
  Bytes good = kit::lzo_block(input);
  std::mt19937 gen(15);
  for (int trial = 0; trial < 2000; ++trial) {
    Bytes bad = good;
    std::size_t at = 8 + gen() % (bad.size() - 8);
    bad[at] ^= std::uint8_t(1 + gen() % 255);
    Bytes out = unpack(bad);
    EXPECT_TRUE(out.empty() || out.size() == input.size());
  }
  // The end marker damaged: the stream runs out of input.
  Bytes bad = good;
  bad.back() ^= 0xFF;
  EXPECT_TRUE(unpack(bad).empty());
}

}  // namespace
