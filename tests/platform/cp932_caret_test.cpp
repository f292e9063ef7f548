// Carets of CP932 text mapped onto the UTF-8 text a text field shows, and back.
#include "platform/cp932_caret.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Cp932CaretTest, CharacterStartsAreFoundFromTheStart) {
  // 0x889F twice: the trail byte 0x9F is also a lead byte, so looking backwards from an
  // offset cannot tell where a character starts.
  const std::string text = "a\x88\x9F\x88\x9F\x5C";
  struct Case {
    std::size_t offset, start;
  } const cases[] = {{0, 0}, {1, 1}, {2, 1}, {3, 3}, {4, 3}, {5, 5}, {6, 6}, {99, 6}};
  for (const Case& c : cases) EXPECT_EQ(Cp932CharStart(text, c.offset), c.start) << c.offset;
  // "ソ" ends in 0x5C, the backslash: one character.
  EXPECT_EQ(Cp932CharStart("\x83\x5C", 1), 0u);
}

TEST(Cp932CaretTest, OffsetsMapBothWaysOnCharacterBoundaries) {
  // 'a', "あ" (2 bytes, 3 in UTF-8), CR LF (one "\n" in the field), 'b', a stray 0x80
  // (U+FFFD, 3 bytes in UTF-8).
  const cCp932CaretMap map(std::string("a\x82\xA0\r\nb\x80"));
  EXPECT_EQ(map.Utf8(), "a\xE3\x81\x82\nb\xEF\xBF\xBD");
  struct Case {
    std::size_t from, to;
  };
  const Case toUtf8[] = {{0, 0}, {1, 1}, {2, 1}, {3, 4}, {4, 4}, {5, 5}, {6, 6}, {7, 9}, {50, 9}};
  for (const Case& c : toUtf8) EXPECT_EQ(map.ToUtf8(c.from), c.to) << "cp932 " << c.from;
  const Case toCp932[] = {{0, 0}, {1, 1}, {2, 1}, {3, 1}, {4, 3}, {5, 5}, {6, 6}, {7, 6}, {9, 7}, {50, 7}};
  for (const Case& c : toCp932) EXPECT_EQ(map.ToCp932(c.from), c.to) << "utf8 " << c.from;
  EXPECT_EQ(cCp932CaretMap().ToUtf8(3), 0u);
}

TEST(Cp932CaretTest, FieldTextComesBackWithWholeLineBreaks) {
  struct Case {
    const char* field;
    const char* cp932;
    bool ok;
  } const cases[] = {
      {"a\nb", "a\r\nb", true},
      {"a\r\nb\r", "a\r\nb", true},
      {"\xE3\x81\x82\n", "\x82\xA0\r\n", true},
      {"\xF0\x9F\x98\x80", "?", false},  // no CP932 code
  };
  for (const Case& c : cases) {
    std::string out;
    EXPECT_EQ(FieldTextToCp932(c.field, out), c.ok) << c.field;
    EXPECT_EQ(out, c.cp932);
  }
}

}  // namespace
