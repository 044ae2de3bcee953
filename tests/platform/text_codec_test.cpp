#include "platform/text_codec.h"

#include <gtest/gtest.h>

namespace {

TEST(TextCodec, Big5AndUtf8RoundTrip) {
  // "錯誤" and "使用視窗模式嗎?(y/n),"
  const std::string big5 = "\xBF\xF9\xBB\x7E";
  EXPECT_EQ(platform::big5_to_utf8(big5), "錯誤");
  EXPECT_EQ(platform::utf8_to_big5("錯誤"), big5);
  const std::string question = "\xA8\xCF\xA5\xCE\xB5\xF8\xB5\xA1\xBC\xD2\xA6\xA1\xB6\xDC?(y/n),";
  EXPECT_EQ(platform::big5_to_utf8(question), "使用視窗模式嗎?(y/n),");
  EXPECT_EQ(platform::utf8_to_big5("使用視窗模式嗎?(y/n),"), question);
  EXPECT_EQ(platform::big5_to_utf8(""), "");
}

TEST(TextCodec, UnconvertibleTextIsReplacedOrDropped) {
  // A lone lead byte at the end, and a byte that is no Big5 at all.
  EXPECT_EQ(platform::big5_to_utf8("ab\xBF"), "ab?");
  EXPECT_EQ(platform::big5_to_utf8("a\xFF"
                                   "b"),
            "a?b");
  // Characters Big5 lacks and broken UTF-8 are dropped.
  EXPECT_EQ(platform::utf8_to_big5("a\xF0\x9F\x98\x80"
                                   "b"),
            "ab");
  EXPECT_EQ(platform::utf8_to_big5("a\xE9"
                                   "b\xC3"),
            "ab");
}

}  // namespace
