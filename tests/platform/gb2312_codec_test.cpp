#include "platform/gb2312_codec.h"

#include <gtest/gtest.h>

namespace {

TEST(Gb2312Codec, TwoByteCharactersAndAsciiRoundTrip) {
  // "一" is D2 BB, "国" B9 FA; the unpaired glyph ".." is plain ASCII.
  EXPECT_EQ(platform::gb2312_to_utf8("\xD2\xBB"
                                     "a\xB9\xFA"),
            "一a国");
  EXPECT_EQ(platform::utf8_to_gb2312("一a国"),
            "\xD2\xBB"
            "a\xB9\xFA");
  EXPECT_EQ(platform::gb2312_to_utf8(".."), "..");
}

TEST(Gb2312Codec, WhatCannotBeConvertedIsDropped) {
  // An unassigned pair (AA A1), a stray high byte, and a lone lead byte at the end.
  EXPECT_EQ(platform::gb2312_to_utf8("a\xAA\xA1"
                                     "b\x80"
                                     "c\xD2"),
            "abc");
  // "們" (traditional only), an emoji and broken UTF-8.
  EXPECT_EQ(platform::utf8_to_gb2312("a們b\xF0\x9F\x98\x80"
                                     "c\xE9"),
            "abc");
}

}  // namespace
