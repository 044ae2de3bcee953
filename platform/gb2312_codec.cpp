#include "platform/gb2312_codec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace platform {
namespace {

// Converts through iconv, skipping each input sequence the source charset rejects: `skip`
// says how many bytes that sequence has.
template <typename Skip>
std::string convert(const char* to, const char* from, std::string_view in, Skip skip) {
  std::string out;
  iconv_t cd = iconv_open(to, from);
  if (cd == iconv_t(-1)) return out;
  char* src = const_cast<char*>(in.data());
  std::size_t left = in.size();
  char buf[256];
  while (left > 0) {
    char* dst = buf;
    std::size_t room = sizeof buf;
    const std::size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(buf, static_cast<std::size_t>(dst - buf));
    if (r != std::size_t(-1) || errno == E2BIG) continue;
    const std::size_t n =
        std::min(left, std::max<std::size_t>(1, skip(std::string_view(src, left))));
    src += n;
    left -= n;
  }
  iconv_close(cd);
  return out;
}

// A rejected GB2312 pair (two bytes of 0xA1 and more) is skipped whole, a stray byte alone.
std::size_t gb2312_bad_length(std::string_view rest) {
  const auto b0 = static_cast<unsigned char>(rest[0]);
  return rest.size() >= 2 && b0 >= 0xA1 && static_cast<unsigned char>(rest[1]) >= 0xA1 ? 2 : 1;
}

// A whole UTF-8 character is skipped whole; a broken one loses its first byte.
std::size_t utf8_bad_length(std::string_view rest) {
  const auto b0 = static_cast<unsigned char>(rest[0]);
  const std::size_t n = b0 >= 0xF0 && b0 <= 0xF4   ? 4
                        : b0 >= 0xE0 && b0 <= 0xEF ? 3
                        : b0 >= 0xC2 && b0 < 0xE0  ? 2
                                                   : 1;
  for (std::size_t i = 1; i < n; ++i)
    if (i >= rest.size() || (static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80) return 1;
  return n;
}

}  // namespace

std::string gb2312_to_utf8(std::string_view gb2312) {
  return convert("UTF-8", "GB2312", gb2312, gb2312_bad_length);
}

std::string utf8_to_gb2312(std::string_view utf8) {
  return convert("GB2312", "UTF-8", utf8, utf8_bad_length);
}

}  // namespace platform
