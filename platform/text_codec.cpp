#include "platform/text_codec.h"

#include <iconv.h>

#include <cerrno>

namespace platform {
namespace {

// One conversion through iconv; on_bad is called at every byte sequence the source charset
// rejects (EILSEQ) or that ends cut short (EINVAL), and says how many input bytes to skip
// and what to put out in their place.
template <typename OnBad>
std::string convert(const char* to, const char* from, std::string_view in, OnBad on_bad) {
  std::string out;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  char* src = const_cast<char*>(in.data());
  std::size_t src_left = in.size();
  char buf[256];
  while (src_left > 0) {
    char* dst = buf;
    std::size_t dst_left = sizeof buf;
    std::size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
    out.append(buf, std::size_t(dst - buf));
    if (r != std::size_t(-1)) continue;
    if (errno == E2BIG) continue;
    std::size_t skip = on_bad(std::string_view(src, src_left), out);
    if (skip == 0 || skip > src_left) skip = src_left;
    src += skip;
    src_left -= skip;
  }
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  iconv_close(cd);
  return out;
}

bool is_big5_lead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool is_big5_trail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0xA1 && c <= 0xFE); }

// The length of the UTF-8 sequence that starts with c (1 for a stray byte).
std::size_t utf8_length(unsigned char c) {
  if (c >= 0xF0 && c <= 0xF4) return 4;
  if (c >= 0xE0) return c <= 0xEF ? 3 : 1;
  if (c >= 0xC2) return 2;
  return 1;
}

}  // namespace

std::string big5_to_utf8(std::string_view big5) {
  return convert("UTF-8", "CP950", big5, [](std::string_view rest, std::string& out) {
    out += '?';
    // A lead byte with a trail byte is one character that the table lacks: skip both.
    auto c0 = static_cast<unsigned char>(rest[0]);
    if (rest.size() >= 2 && is_big5_lead(c0) && is_big5_trail(static_cast<unsigned char>(rest[1])))
      return std::size_t(2);
    return std::size_t(1);
  });
}

std::string utf8_to_big5(std::string_view utf8) {
  return convert("CP950", "UTF-8", utf8, [](std::string_view rest, std::string&) {
    std::size_t n = utf8_length(static_cast<unsigned char>(rest[0]));
    // Skip the whole character only when it is whole; a broken one loses its first byte.
    for (std::size_t i = 1; i < n; ++i)
      if (i >= rest.size() || (static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80) return std::size_t(1);
    return n;
  });
}

}  // namespace platform
