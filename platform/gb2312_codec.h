#pragma once
// GB2312 text at the edge of the glyph fonts: they render characters by their GB2312 codes, and
// the font rasteriser wants Unicode.
#include <string>
#include <string_view>

namespace platform {

// GB2312 (EUC-CN: ASCII bytes and two-byte characters) to UTF-8; bytes that form no GB2312
// character are dropped.
std::string gb2312_to_utf8(std::string_view gb2312);
// UTF-8 to GB2312; characters GB2312 does not have, and malformed UTF-8, are dropped.
std::string utf8_to_gb2312(std::string_view utf8);

}  // namespace platform
