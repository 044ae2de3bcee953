// The save image: staging record, writer and parser.
#include "ui/saves/save_image.h"

#include <cstring>

#include "core/byte_reader.h"
#include "data/byte_writer.h"
#include "gfx2d/rle_validator.h"

namespace {

template <class Record, std::size_t N>
void put_record(ByteWriter& w, const Record& r) {
  std::array<std::uint8_t, N> bytes;
  record_image::write_image(r, std::span<std::uint8_t, N>(bytes));
  w.raw(bytes);
}

template <class Record, std::size_t N>
Record get_record(const std::uint8_t* p) {
  Record r;
  record_image::read_image(std::span<const std::uint8_t, N>(p, N), r);
  return r;
}

template <std::size_t N>
bool get_bytes(ByteReader& r, std::array<std::uint8_t, N>& out) {
  const std::uint8_t* p = r.bytes(N);
  if (p) std::memcpy(out.data(), p, N);
  return p != nullptr;
}

// Where the next record of a list ends the list: the end mark's word at the cursor. Fails for a
// list that reaches the end of the image without its mark.
enum class ListStep { Record, End, Unended };
ListStep list_step(ByteReader& r, std::uint16_t end) {
  if (r.remaining() < 2) return ListStep::Unended;
  if (r.u16_at(r.pos()) != end) return ListStep::Record;
  r.skip(2);
  return ListStep::End;
}

void write_blocks_1_to_6(ByteWriter& w, const SaveImage& s, std::uint32_t* offsets) {
  offsets[1] = std::uint32_t(w.size());
  w.u32(std::uint32_t(s.thumbnail.size())).raw(s.thumbnail);
  offsets[2] = std::uint32_t(w.size());
  w.u32(std::uint32_t(s.bag.size()));
  for (const SaveBagEntry& e : s.bag) w.u16(e.object).u16(e.count).u16(e.new_count).u16(e.word_6).u16(e.word_8);
  offsets[3] = std::uint32_t(w.size());
  for (const MapsRoleRow& row : s.role_rows) put_record<MapsRoleRow, maps_role_row_size>(w, row);
  w.u16(save_end_mark);
  offsets[4] = std::uint32_t(w.size());
  for (const RoleDataImage& role : s.roles) w.raw(role);
  for (const auto& list : s.arts) {
    for (std::uint16_t id : list) w.u16(id);
    w.u16(save_end_mark);
  }
  offsets[5] = std::uint32_t(w.size());
  for (std::int32_t cell : s.build_grid) w.u32(std::uint32_t(cell));
  for (const HouseImage& house : s.houses) w.raw(house);
  w.u16(save_end_mark);
  for (const ItemDataImage& escort : s.escort) w.raw(escort);
  offsets[6] = std::uint32_t(w.size());
  w.raw(s.study).raw(s.party_magic).u32(std::uint32_t(s.studies.size()));
  for (const MagicStudyImage& study : s.studies) w.raw(study);
}

void write_blocks_7_to_9(ByteWriter& w, const SaveImage& s, std::uint32_t* offsets) {
  offsets[7] = std::uint32_t(w.size());
  for (const FameImage& t : s.treasures) w.raw(t);
  w.u16(save_end_mark);
  offsets[8] = std::uint32_t(w.size());
  for (const RoleVarRow& row : s.role_vars) put_record<RoleVarRow, role_var_row_size>(w, row);
  w.u16(save_role_var_end);
  offsets[9] = std::uint32_t(w.size());
  for (const MusicRow& row : s.music_rows) put_record<MusicRow, music_row_size>(w, row);
  w.u16(save_end_mark);
}

SaveParse read_blocks_1_to_3(ByteReader& r, SaveImage& s) {
  const std::uint32_t n = r.u32();
  const std::uint8_t* picture = r.bytes(n);
  if (!r.ok()) return SaveParse::CutShort;
  s.thumbnail.assign(picture, picture + n);
  if (n && !thumbnail_is_valid(s.thumbnail)) return SaveParse::BadThumbnail;

  const std::uint32_t count = r.u32();
  if (!r.ok() || count > r.remaining() / save_bag_entry_size) return SaveParse::CutShort;
  s.bag.resize(count);
  for (SaveBagEntry& e : s.bag) e = {r.u16(), r.u16(), r.u16(), r.u16(), r.u16()};

  for (;;) {
    ListStep step = list_step(r, save_end_mark);
    if (step == ListStep::End) break;
    if (step == ListStep::Unended) return SaveParse::Unended;
    const std::uint8_t* p = r.bytes(maps_role_row_size);
    if (!p) return SaveParse::CutShort;
    s.role_rows.push_back(get_record<MapsRoleRow, maps_role_row_size>(p));
  }
  return SaveParse::Ok;
}

SaveParse read_ids(ByteReader& r, std::vector<std::uint16_t>& ids) {
  for (;;) {
    ListStep step = list_step(r, save_end_mark);
    if (step == ListStep::End) return SaveParse::Ok;
    if (step == ListStep::Unended) return SaveParse::Unended;
    ids.push_back(r.u16());
  }
}

SaveParse read_blocks_4_to_6(ByteReader& r, SaveImage& s) {
  for (RoleDataImage& role : s.roles)
    if (!get_bytes(r, role)) return SaveParse::CutShort;
  for (auto& list : s.arts)
    if (SaveParse p = read_ids(r, list); p != SaveParse::Ok) return p;

  for (std::int32_t& cell : s.build_grid) cell = std::int32_t(r.u32());
  if (!r.ok()) return SaveParse::CutShort;
  for (;;) {
    ListStep step = list_step(r, save_end_mark);
    if (step == ListStep::End) break;
    if (step == ListStep::Unended) return SaveParse::Unended;
    if (s.houses.size() == std::size_t(save_house_cap)) return SaveParse::TooMany;
    HouseImage house;
    if (!get_bytes(r, house)) return SaveParse::CutShort;
    s.houses.push_back(house);
  }
  for (ItemDataImage& escort : s.escort)
    if (!get_bytes(r, escort)) return SaveParse::CutShort;

  if (!get_bytes(r, s.study)) return SaveParse::CutShort;
  const std::uint8_t* magic = r.bytes(party_magic_image_size);
  if (!magic) return SaveParse::CutShort;
  s.party_magic.assign(magic, magic + party_magic_image_size);
  const std::uint32_t count = r.u32();
  if (!r.ok() || count > r.remaining() / magic_study_image_size) return SaveParse::CutShort;
  s.studies.resize(count);
  for (MagicStudyImage& study : s.studies) get_bytes(r, study);
  return SaveParse::Ok;
}

SaveParse read_blocks_7_to_9(ByteReader& r, SaveImage& s) {
  for (;;) {
    ListStep step = list_step(r, save_end_mark);
    if (step == ListStep::End) break;
    if (step == ListStep::Unended) return SaveParse::Unended;
    FameImage t;
    if (!get_bytes(r, t)) return SaveParse::CutShort;
    s.treasures.push_back(t);
  }
  for (;;) {
    ListStep step = list_step(r, save_role_var_end);
    if (step == ListStep::End) break;
    if (step == ListStep::Unended) return SaveParse::Unended;
    // The rows go back into a block of fixed size: a longer list is not a save of ours.
    if (s.role_vars.size() == std::size_t(role_var_row_count)) return SaveParse::TooMany;
    const std::uint8_t* p = r.bytes(role_var_row_size);
    if (!p) return SaveParse::CutShort;
    s.role_vars.push_back(get_record<RoleVarRow, role_var_row_size>(p));
  }
  for (;;) {
    ListStep step = list_step(r, save_end_mark);
    if (step == ListStep::End) break;
    if (step == ListStep::Unended) return SaveParse::Unended;
    const std::uint8_t* p = r.bytes(music_row_size);
    if (!p) return SaveParse::CutShort;
    s.music_rows.push_back(get_record<MusicRow, music_row_size>(p));
  }
  return SaveParse::Ok;
}

SaveParse read_trailer(ByteReader& r, SaveImage& s) {
  s.has_trailer = r.remaining() >= 2 && r.u16_at(r.pos()) == save_trailer_mark;
  if (!s.has_trailer) return SaveParse::Ok;
  r.skip(2);
  for (std::uint32_t& word : s.talk_words) word = r.u32();
  return r.ok() ? SaveParse::Ok : SaveParse::BadTrailer;
}

}  // namespace

std::vector<std::uint8_t> write_save_image(const SaveImage& s) {
  ByteWriter w(save_header_size);
  SaveHeader header = s.header;
  std::uint32_t* offsets = header.block_offsets;
  std::fill(offsets, offsets + save_block_count, 0u);
  write_blocks_1_to_6(w, s, offsets);
  offsets[7] = offsets[8] = offsets[9] = std::uint32_t(w.size());
  if (save_version_of(header.version) >= save_first_full_version) write_blocks_7_to_9(w, s, offsets);
  offsets[10] = std::uint32_t(w.size());
  if (s.has_trailer) {
    w.u16(save_trailer_mark);
    for (std::uint32_t word : s.talk_words) w.u32(word);
  }
  save_header_to_image(header, std::span<std::uint8_t, save_header_size>(w.bytes().data(), save_header_size));
  return std::move(w.bytes());
}

bool parse_save_header(std::span<const std::uint8_t> bytes, SaveHeader& out) {
  if (bytes.size() < save_header_size) return false;
  save_header_from_image(bytes.first<save_header_size>(), out);
  return true;
}

bool thumbnail_is_valid(std::span<const std::uint8_t> picture) {
  RleInfo info;
  return validate_rle_image(picture.data(), picture.size(), &info) == RleCheck::Ok && info.depth == 16 &&
         info.width >= thumbnail_width && info.height >= thumbnail_height;
}

SaveParse parse_save_image(std::span<const std::uint8_t> bytes, SaveImage& out) {
  out = SaveImage{};
  if (!parse_save_header(bytes, out.header)) return SaveParse::CutShort;
  if (!std::memchr(out.header.map_name, 0, sizeof out.header.map_name)) return SaveParse::BadMapName;
  ByteReader r(bytes);
  r.seek(save_header_size);
  if (SaveParse p = read_blocks_1_to_3(r, out); p != SaveParse::Ok) return p;
  if (SaveParse p = read_blocks_4_to_6(r, out); p != SaveParse::Ok) return p;
  if (save_version_of(out.header.version) >= save_first_full_version)
    if (SaveParse p = read_blocks_7_to_9(r, out); p != SaveParse::Ok) return p;
  return read_trailer(r, out);
}

const char* save_parse_text(SaveParse result) {
  switch (result) {
    case SaveParse::Ok: return "ok";
    case SaveParse::CutShort: return "a block passes the end of the image";
    case SaveParse::BadMapName: return "the map name has no end";
    case SaveParse::BadThumbnail: return "the thumbnail is not a 160x120 16-bit picture";
    case SaveParse::Unended: return "a list has no end mark";
    case SaveParse::TooMany: return "a list holds more records than the game keeps";
    case SaveParse::BadTrailer: return "the trailer is cut short";
  }
  return "?";
}
