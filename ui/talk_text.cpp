// Text work of message boxes and scripts.
#include "ui/talk_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/log.h"
#include "data/object_db.h"
#include "data/party.h"
#include "ui/talk_msg.h"

// 凌風, 雪兒
char party_default_names[2][16] = {"\xAD\xE2\xAD\xB7", "\xB3\xB7\xA8\xE0"};

namespace {

bool is_lead(char c) { return std::uint8_t(c) >= 0x80; }
bool at_end_code(const char* p) { return p[0] == '%' && p[1] == 'Q'; }

// The longest prefix of s (at most n bytes) that does not end inside a Big5 character.
std::size_t whole_characters(const char* s, std::size_t n) {
  std::size_t i = 0;
  while (i < n && s[i]) {
    const std::size_t step = is_lead(s[i]) ? 2 : 1;
    if (i + step > n || (step == 2 && !s[i + 1])) break;
    i += step;
  }
  return i;
}

// The code "%T" at p with its number up to "." (at most seven characters): its length, or 0
// after a report when it is no object code.
std::size_t item_code_length(const char* text, const char* p, int* number) {
  const char* digits = p + 2;
  std::size_t n = 0;
  while (n < 8 && digits[n] && digits[n] != '.') ++n;
  if (n >= 8 || digits[n] != '.') {
    // "字串[%s]:找不到[.]這個終止符號!!"
    report_error("\xa6r\xa6\xea[%s]:\xa7\xe4\xa4\xa3\xa8\xec[.]\xb3o\xad\xd3\xb2\xd7\xa4\xee\xb2\xc5\xb8\xb9!!", text);
    return 0;
  }
  const std::string code(p, n + 3);
  // "!! 警告 !!\n號碼字串太長\n%s"
  if (n > 4) report_error("!! \xc4\xb5\xa7i !!\n\xb8\xb9\xbdX\xa6r\xa6\xea\xa4\xd3\xaa\xf8\n%s", code.c_str());
  std::size_t i = (digits[0] == '+' || digits[0] == '-') ? 1 : 0;
  bool ok = i < n;
  for (std::size_t k = i; k < n; ++k) ok = ok && digits[k] >= '0' && digits[k] <= '9';
  if (!ok) {
    // "錯誤的號碼字串\n%s"
    report_error("\xbf\xf9\xbb~\xaa\xba\xb8\xb9\xbdX\xa6r\xa6\xea\n%s", code.c_str());
    return 0;
  }
  *number = std::atoi(std::string(digits, n).c_str());
  return n + 3;
}

}  // namespace

std::size_t talk_text_length(const char* text, std::size_t limit) {
  std::size_t n = 0;
  while (n < limit && text[n] && !(n + 1 < limit && at_end_code(text + n))) ++n;
  return n;
}

int replace_str(char* at, const char* pattern, const char* replacement, int room) {
  const std::size_t plen = std::strlen(pattern);
  if (plen == 0 || std::strncmp(at, pattern, plen) != 0) return 0;
  const std::size_t rlen = std::strlen(replacement), rest = std::strlen(at + plen);
  if (room < 0 || rlen + rest + 1 > std::size_t(room)) return 0;
  std::memmove(at + rlen, at + plen, rest + 1);
  std::memcpy(at, replacement, rlen);
  return 1;
}

int read_script_str(const char* src, std::size_t src_size, char* dst, std::size_t dst_size) {
  if (dst_size > 0) dst[0] = 0;
  for (std::size_t i = 0; i + 1 < src_size; ++i) {
    if (std::uint8_t(src[i]) == 0xFF && std::uint8_t(src[i + 1]) == 0xFF) break;
    if (at_end_code(src + i)) {
      if (dst_size > 0) {
        const std::size_t n = whole_characters(src, std::min(i, dst_size - 1));
        std::memcpy(dst, src, n);
        dst[n] = 0;
      }
      return int(i + 2);
    }
  }
  // "read_script_str(...) 找不到 檔案名稱"
  report_error("%s", "read_script_str(...) \xa7\xe4\xa4\xa3\xa8\xec \xc0\xc9\xae\xd7\xa6W\xba\xd9");
  return -1;
}

void put_item_names(char* text) {
  std::size_t pos = 0;
  while (pos + 1 < talk_text_size - 1 && text[pos] && !at_end_code(text + pos)) {
    if (!(text[pos] == '%' && text[pos + 1] == 'T')) {
      pos += (is_lead(text[pos]) && text[pos + 1]) ? 2 : 1;
      continue;
    }
    int number = 0;
    const std::size_t len = item_code_length(text, text + pos, &number);
    if (len == 0) {
      pos += 2;
      continue;
    }
    ItemData item{};
    if (!read_Item(std::uint16_t(number), &item)) {
      // "找不到物品 %d"
      report_error("\xa7\xe4\xa4\xa3\xa8\xec\xaa\xab\xab~ %d", number);
      pos += len;
      continue;
    }
    item.NAME[sizeof item.NAME - 1] = 0;
    const std::string code(text + pos, len);
    if (replace_str(text + pos, code.c_str(), item.NAME, int(talk_text_size - 2 - pos)))
      pos += std::strlen(item.NAME);
    else
      pos += len;
  }
}

void put_party_names(char* text) {
  for (int member = 0; member < 2; ++member) {
    char def[17] = {};
    std::memcpy(def, party_default_names[member], 16);
    char now[33] = {};
    std::memcpy(now, gmRoleData[member].name, 32);
    const std::size_t dlen = std::strlen(def);
    if (dlen == 0) continue;
    std::size_t pos = 0;
    while (pos < talk_text_size - 1 && text[pos] && !at_end_code(text + pos)) {
      if (replace_str(text + pos, def, now, int(talk_text_size - pos))) {
        pos += std::strlen(now);
        continue;
      }
      pos += (is_lead(text[pos]) && text[pos + 1]) ? 2 : 1;
    }
  }
}
