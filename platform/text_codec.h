#pragma once
// Text conversion at the edges of the game: the game keeps Big5 (code page 950) text; the
// host's windows and message boxes want UTF-8.
#include <string>
#include <string_view>

namespace platform {

// Big5 to UTF-8; a byte sequence that is not Big5 becomes '?'.
std::string big5_to_utf8(std::string_view big5);
// UTF-8 to Big5; characters that Big5 does not have (and malformed UTF-8) are dropped.
std::string utf8_to_big5(std::string_view utf8);

}  // namespace platform
