// The TSW archive reader over archive bytes in memory.
#include "gfx2d/tsw_archive.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/byte_reader.h"
#include "core/mem_mgr.h"
#include "tests/fixtures/rle_writer.h"
#include "tests/fixtures/tsw_archive_kit.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Reader {
  explicit Reader(const Bytes& archive) : bytes(archive) {
    source.use_memory(bytes.data(), bytes.size());
    read_tsw_index(source, offsets);
  }
  ~Reader() { MemMgr_Free(pic.image); }
  TswRead read(int entry, int frame) {
    MemMgr_Free(pic.image);
    return read_tsw_frame(source, offsets[entry - 1], frame, buffers, &pic);
  }
  Bytes image() const {
    auto* p = reinterpret_cast<const std::uint8_t*>(pic.image);
    return p ? Bytes(p, p + pic.size) : Bytes{};
  }
  Bytes bytes;
  TswSource source;
  std::uint32_t offsets[tsw_entry_count] = {};
  TswReadBuffers buffers;
  TswPic pic;
};

std::map<int, kit::TswPicture> two_pictures() {
  return {{1, kit::sample_tsw_picture(3, 20, 10, 1)}, {2999, kit::sample_tsw_picture(2, 7, 5, 2)}};
}

TEST(TswArchive, FramesReadBackAsTheKitWroteThemWithTheDirectorysSize) {
  auto pictures = two_pictures();
  Reader r(kit::tsw_archive(pictures));
  for (auto& [entry, picture] : pictures) {
    for (std::size_t f = 0; f < picture.frames.size(); ++f) {
      SCOPED_TRACE(testing::Message() << "entry " << entry << " frame " << f);
      ASSERT_EQ(r.read(entry, int(f)), TswRead::Ok);
      EXPECT_EQ(r.image(), picture.frames[f].picture);
      EXPECT_EQ(r.pic.width, picture.frames[f].width);
      EXPECT_EQ(r.pic.height, picture.frames[f].height);
      EXPECT_EQ(r.pic.size, picture.frames[f].picture.size());
      EXPECT_EQ(r.pic.palette, nullptr);
    }
  }
}

TEST(TswArchive, FramesPastTheDirectoryAndEmptyEntriesAreMissing) {
  Reader r(kit::tsw_archive(two_pictures()));
  // The 12000-byte header read of entry 1 also holds its packed frames: they are no directory.
  EXPECT_EQ(r.read(1, 3), TswRead::Missing);
  EXPECT_EQ(r.read(1, 332), TswRead::Missing);
  EXPECT_EQ(r.read(1, -1), TswRead::Missing);
  EXPECT_EQ(r.read(2999, 2), TswRead::Missing);
  EXPECT_EQ(r.read(500, 0), TswRead::Missing);  // no picture: offset 0 is the file header
}

TEST(TswArchive, APictureWithManyFramesServesThoseWhoseEntryFitsTheHeaderRead) {
  // 340 frames: entries 0-332 lie in the first 12000 bytes of the block, the rest do not.
  kit::TswPicture many;
  for (int f = 0; f < 340; ++f) many.frames.push_back(kit::sample_tsw_frame(2, 2, f));
  Reader r(kit::tsw_archive({{5, many}}));
  EXPECT_EQ(r.read(5, 0), TswRead::Ok);
  EXPECT_EQ(r.read(5, 332), TswRead::Ok);
  EXPECT_EQ(r.image(), many.frames[332].picture);
  EXPECT_EQ(r.read(5, 333), TswRead::Missing);
}

TEST(TswArchive, APalettedPictureKeepsItsIndicesAndPointsAtItsPalette) {
  kit::TswPicture pal = kit::sample_paletted_picture(9, 4);
  Reader r(kit::tsw_archive({{3, pal}}));
  ASSERT_EQ(r.read(3, 0), TswRead::Ok);
  EXPECT_EQ(r.image(), pal.frames[0].picture);
  ASSERT_NE(r.pic.palette, nullptr);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(r.pic.palette[i], pal.palette[i]);
}

TEST(TswArchive, AShortIndexLeavesTheEntriesItDoesNotHoldEmpty) {
  Bytes archive = kit::tsw_archive(two_pictures());
  Bytes cut(archive.begin(), archive.begin() + 28 + 44 * 10 + 30);  // records 0-9 whole, 10 cut
  TswSource source;
  source.use_memory(cut.data(), cut.size());
  std::uint32_t offsets[tsw_entry_count];
  std::fill(std::begin(offsets), std::end(offsets), 0xDEADBEEF);
  read_tsw_index(source, offsets);
  EXPECT_EQ(offsets[0], kit::tsw_block_offset(archive, 1));
  EXPECT_EQ(offsets[10], 0u);
  EXPECT_EQ(offsets[2998], 0u);
}

// Damage to one frame's directory entry or data; each must be refused without a read or a
// write outside the archive's bytes (the sanitizer build checks that).
TEST(TswArchive, DamagedFramesAreRefused) {
  auto pictures = two_pictures();
  const Bytes good = kit::tsw_archive(pictures);
  const std::uint32_t entry = kit::tsw_frame_entry_offset(good, 1, 1);
  const std::uint32_t block = kit::tsw_block_offset(good, 1);
  ByteReader er(good.data() + entry, 36);
  const std::uint32_t data_offset = er.u32(), packed = er.u32(), unpacked = er.u32();
  struct Case {
    const char* what;
    std::uint32_t at, value;
  } cases[] = {
      {"unpacked size one short", entry + 8, unpacked - 1},
      {"unpacked size one long", entry + 8, unpacked + 1},
      {"unpacked size huge", entry + 8, 0xFFFFFFF0},
      {"packed size 0", entry + 4, 0},
      {"packed size past the file", entry + 4, std::uint32_t(good.size())},
      {"packed size huge", entry + 4, 0xFFFFFFFF},
      {"data offset past the file", entry, std::uint32_t(good.size())},
      {"data offset wrapping", entry, 0xFFFFFFFF - block + 4},
      {"packed data overwritten", block + data_offset + 2, 0xFFFFFFFF},
      {"picture magic broken", block + data_offset + packed - 4, 0x01020304},
  };
  for (const Case& c : cases) {
    Bytes bad = good;
    put_u32le(bad.data() + c.at, c.value);
    Reader r(bad);
    EXPECT_NE(r.read(1, 1), TswRead::Ok) << c.what;
    EXPECT_EQ(r.read(1, 0), TswRead::Ok) << c.what << ": the frame before it is whole";
  }
  (void)pictures;
}

TEST(TswArchive, PicturesThatUnpackButAreNotSoundRunLengthImagesAreDamaged) {
  kit::TswFrame frame = kit::sample_tsw_frame(6, 3);
  struct Case {
    const char* what;
    std::size_t at;
    std::uint16_t value;
  } cases[] = {
      {"magic", 0, 0x1234},
      {"depth", 6, 15},
      {"width wider than the runs", 2, 7},
      {"height below the rows", 4, 2},
      {"row length", 8, 0x8003},
  };
  for (const Case& c : cases) {
    kit::TswPicture pic;
    pic.frames.push_back(frame);
    put_u16le(pic.frames[0].picture.data() + c.at, c.value);
    Reader r(kit::tsw_archive({{1, pic}}));
    EXPECT_EQ(r.read(1, 0), TswRead::Damaged) << c.what;
  }
  // An 8-bit picture needs the palette of a paletted block.
  kit::TswPicture eight = kit::sample_paletted_picture(5, 2);
  eight.paletted = false;
  Reader r(kit::tsw_archive({{1, eight}}));
  EXPECT_EQ(r.read(1, 0), TswRead::Damaged);
}

TEST(TswArchive, AFirstFrameEntryPointingIntoTheDirectoryIsDamaged) {
  Bytes bad = kit::tsw_archive(two_pictures());
  put_u32le(bad.data() + kit::tsw_frame_entry_offset(bad, 1, 0), 20);
  Reader r(bad);
  EXPECT_EQ(r.read(1, 0), TswRead::Damaged);
  EXPECT_EQ(r.read(1, 1), TswRead::Damaged);
}

}  // namespace
