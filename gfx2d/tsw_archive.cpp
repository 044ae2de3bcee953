#include "gfx2d/tsw_archive.h"

#include <algorithm>
#include <cstring>

#include "core/byte_reader.h"
#include "core/mem_mgr.h"
#include "gfx2d/picture_check.h"
#include "platform/lzo.h"

const char* const tsw_archive_names[tsw_archive_count] = {
    "all_char.tsw", "all_item.tsw", "all_magic.tsw", "all_sys.tsw", "all_map1.tsw", "all_map2.tsw"};

bool TswSource::open_file(const std::string& game_path) {
  close();
  if (!file_.open(game_path, platform::File::Mode::Read)) return false;
  long long size = file_.size();
  if (size < 0) {
    file_.close();
    return false;
  }
  size_ = std::uint64_t(size);
  return true;
}

void TswSource::use_memory(const std::uint8_t* bytes, std::size_t size) {
  close();
  static const std::uint8_t empty = 0;
  memory_ = bytes ? bytes : &empty;
  size_ = bytes ? size : 0;
}

void TswSource::close() {
  file_.close();
  memory_ = nullptr;
  size_ = 0;
}

long long TswSource::read_at(std::uint64_t offset, void* buffer, std::size_t len) {
  if (offset >= size_) return 0;
  std::size_t n = std::size_t(std::min<std::uint64_t>(len, size_ - offset));
  if (memory_) {
    std::memcpy(buffer, memory_ + offset, n);
    return (long long)n;
  }
  if (!file_.is_open() || file_.seek((long long)offset, 0) != (long long)offset) return -1;
  std::size_t done = 0;
  while (done < n) {
    long long got = file_.read(static_cast<std::uint8_t*>(buffer) + done, n - done);
    if (got < 0) return -1;
    if (got == 0) break;
    done += std::size_t(got);
  }
  return (long long)done;
}

void read_tsw_index(TswSource& source, std::uint32_t offsets[tsw_entry_count]) {
  std::vector<std::uint8_t> index(std::size_t(tsw_entry_count) * tsw_index_record_size, 0);
  long long got = source.read_at(tsw_index_offset, index.data(), index.size());
  std::size_t held = got > 0 ? std::size_t(got) : 0;
  for (int j = 0; j < tsw_entry_count; ++j)
    offsets[j] = ByteReader(index.data(), held).u32_at(std::size_t(j) * tsw_index_record_size + tsw_index_offset_field);
}

void TswReadBuffers::release() {
  std::vector<std::uint8_t>().swap(header);
  std::vector<std::uint8_t>().swap(packed);
}

namespace {

// The picture block's header: magic, format, palette and the directory entry of one frame.
TswRead read_tsw_header(TswSource& source, std::uint32_t block_offset, int frame, TswReadBuffers& buffers,
                        bool* paletted, TswFrameEntry* entry) {
  buffers.header.resize(tsw_header_read_size);
  long long got = source.read_at(block_offset, buffers.header.data(), tsw_header_read_size);
  if (got <= 0) return TswRead::Missing;
  ByteReader r(buffers.header.data(), std::size_t(got));
  r.skip(4);
  std::uint16_t magic = std::uint16_t(r.u32());
  std::uint16_t format = std::uint16_t(r.u32());
  if (!r.ok() || magic != tsw_picture_magic) return TswRead::Missing;
  *paletted = format == tsw_format_paletted;
  if (*paletted) {
    for (auto& colour : buffers.palette) colour = r.u16();
    if (!r.ok()) return TswRead::Damaged;
  }
  // Nothing stores the frame count: the directory ends where the first frame's data begins,
  // and in any case within the bytes the header read holds.
  std::size_t directory = r.pos();
  std::uint32_t first_data = r.u32_at(directory);
  if (r.remaining() < tsw_frame_entry_size || first_data < directory + tsw_frame_entry_size) return TswRead::Damaged;
  std::size_t directory_end = std::min<std::size_t>(r.size(), first_data);
  if (frame < 0 || directory + (std::size_t(frame) + 1) * tsw_frame_entry_size > directory_end)
    return TswRead::Missing;
  r.seek(directory + std::size_t(frame) * tsw_frame_entry_size);
  entry->offset = r.u32();
  entry->packed_size = r.u32();
  entry->unpacked_size = r.u32();
  r.skip(4 + 16);  // a flag without effect, bytes not read
  entry->width = r.u16();
  entry->height = r.u16();
  return r.ok() ? TswRead::Ok : TswRead::Damaged;
}

// The frame's packed data, unpacked and checked.
TswRead read_tsw_frame_data(TswSource& source, std::uint32_t block_offset, const TswFrameEntry& entry,
                            TswReadBuffers& buffers, bool paletted, TswPic* picture) {
  std::uint64_t start = std::uint64_t(block_offset) + entry.offset;
  if (entry.packed_size == 0 || entry.unpacked_size == 0 || entry.packed_size > tsw_max_frame_bytes ||
      entry.unpacked_size > tsw_max_frame_bytes || start + entry.packed_size > source.size())
    return TswRead::Damaged;
  if (buffers.packed.size() < entry.packed_size) buffers.packed.resize(entry.packed_size);
  if (source.read_at(start, buffers.packed.data(), entry.packed_size) != (long long)entry.packed_size)
    return TswRead::Damaged;
  auto* image = static_cast<std::uint8_t*>(mem_calloc(entry.unpacked_size));
  if (!image) return TswRead::NoMemory;
  std::size_t len = entry.unpacked_size;
  int rc = platform::lzo_decompress(buffers.packed.data(), entry.packed_size, image, &len);
  PictureDepth allowed = paletted ? PictureDepth::Rgb16OrPaletted8 : PictureDepth::Rgb16;
  if (rc != platform::lzo_ok || len != entry.unpacked_size || !picture_is_sound(image, len, allowed)) {
    MemMgr_Free(image);
    return TswRead::Damaged;
  }
  bool eight_bit = (ByteReader(image, len).u16_at(6) & 0x7FFF) == 8;
  picture->image = reinterpret_cast<RleImage*>(image);
  picture->palette = eight_bit ? buffers.palette.data() : nullptr;
  picture->width = entry.width;
  picture->height = entry.height;
  picture->size = entry.unpacked_size;
  return TswRead::Ok;
}

}  // namespace

TswRead read_tsw_frame(TswSource& source, std::uint32_t block_offset, int frame, TswReadBuffers& buffers,
                       TswPic* picture) {
  *picture = TswPic{};
  bool paletted = false;
  TswFrameEntry entry;
  TswRead result = read_tsw_header(source, block_offset, frame, buffers, &paletted, &entry);
  if (result != TswRead::Ok) return result;
  return read_tsw_frame_data(source, block_offset, entry, buffers, paletted, picture);
}
