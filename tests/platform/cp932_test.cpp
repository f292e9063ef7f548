#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "tests/platform/platform_test_util.h"

namespace {

struct ConversionCase {
  const char* name;
  std::string cp932;
  std::string utf8;
  bool strict;  // the expected result flag
};

const std::vector<ConversionCase>& Cp932ToUtf8Cases() {
  static const std::vector<ConversionCase> cases = {
      {"empty", "", "", true},
      {"ascii", "Hello, World! ~\\/", "Hello, World! ~\\/", true},
      {"hiragana", "\x82\xA0\x82\xA2\x82\xA4", U8(u8"あいう"), true},
      {"half-width kana", "\xB1\xB2\xB3", U8(u8"ｱｲｳ"), true},
      {"kanji", "\x8A\xBF\x8E\x9A", U8(u8"漢字"), true},
      {"so with 5C trail", "\x83\x5C", U8(u8"ソ"), true},
      {"hyou with 5C trail", "\x95\x5C", U8(u8"表"), true},
      {"5C trails in a path", "\\\x95\x5C\x8E\xA6\\\x83\x5C\x83\x74\x83\x67\\",
       U8(u8"\\表示\\ソフト\\"), true},
      {"wave dash is FF5E", "\x81\x60", U8(u8"\uFF5E"), true},
      {"backslash sign is FF3C", "\x81\x5F", U8(u8"\uFF3C"), true},
      {"horizontal bar", "\x81\x5C", U8(u8"\u2015"), true},
      {"parallel", "\x81\x61", U8(u8"\u2225"), true},
      {"minus is FF0D", "\x81\x7C", U8(u8"\uFF0D"), true},
      {"NEC special", "\x87\x40", U8(u8"\u2460"), true},
      {"IBM extension", "\xFA\x40", U8(u8"\u2170"), true},
      {"NEC-selected IBM extension", "\xED\x40", U8(u8"\u7E8A"), true},
      {"mixed", "a\x82\xA0" "b\x83\x5C" "c", U8(u8"aあbソc"), true},
      {"byte 80", "\x80", U8(u8"\uFFFD"), false},
      {"byte A0 inside", "A\xA0" "B", U8(u8"A\uFFFDB"), false},
      {"bytes FD FE FF", "\xFD\xFE\xFF", U8(u8"\uFFFD\uFFFD\uFFFD"), false},
      {"unassigned double-byte code", "\x85\x40" "a", U8(u8"\uFFFDa"), false},
      {"lead byte before a non-trail byte", "\x81 x", U8(u8"\uFFFD x"), false},
      {"lone lead byte at the end", "A\x81", U8(u8"A\uFFFD"), false},
      {"lone lead byte after kana", "\x82\xA0\x82", U8(u8"あ\uFFFD"), false},
  };
  return cases;
}

const std::vector<ConversionCase>& Utf8ToCp932Cases() {
  static const std::vector<ConversionCase> cases = {
      {"empty", "", "", true},
      {"ascii", "Hello, World! ~\\/", "Hello, World! ~\\/", true},
      {"hiragana", "\x82\xA0\x82\xA2\x82\xA4", U8(u8"あいう"), true},
      {"half-width kana", "\xB1\xB2\xB3", U8(u8"ｱｲｳ"), true},
      {"5C trails", "\x83\x5C\x83\x74\x83\x67\x95\x5C\x8E\xA6", U8(u8"ソフト表示"), true},
      {"FF5E", "\x81\x60", U8(u8"\uFF5E"), true},
      {"JIS wave dash 301C", "\x81\x60", U8(u8"\u301C"), true},
      {"FF3C", "\x81\x5F", U8(u8"\uFF3C"), true},
      {"JIS double vertical line", "\x81\x61", U8(u8"\u2016"), true},
      {"JIS minus", "\x81\x7C", U8(u8"\u2212"), true},
      {"not in CP932", "caf?", U8(u8"café"), false},
      {"emoji", "a?b", U8(u8"a\U0001F600b"), false},
      {"lone C3 at the end", "x?", "x\xC3", false},
      {"byte FF", "?", "\xFF", false},
      {"overlong slash", "??", "\xC0\xAF", false},
      {"encoded surrogate", "???", "\xED\xA0\x80", false},
  };
  return cases;
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string hex;
  for (unsigned char b : bytes) {
    if (!hex.empty()) hex += ' ';
    hex += digits[b >> 4];
    hex += digits[b & 15];
  }
  return hex;
}

}  // namespace

TEST(Cp932, TestSourcesAreBuiltWithTheCp932ExecutionCharset) {
  EXPECT_EQ(std::string("ソ"), "\x83\x5C");
  EXPECT_EQ(std::string("表"), "\x95\x5C");
}

TEST(Cp932, LeadAndTrailByteTables) {
  EXPECT_FALSE(IsCp932LeadByte(0x80));
  EXPECT_TRUE(IsCp932LeadByte(0x81));
  EXPECT_TRUE(IsCp932LeadByte(0x9F));
  EXPECT_FALSE(IsCp932LeadByte(0xA0));
  EXPECT_FALSE(IsCp932LeadByte(0xB1));  // half-width kana stand alone
  EXPECT_TRUE(IsCp932LeadByte(0xE0));
  EXPECT_TRUE(IsCp932LeadByte(0xFC));
  EXPECT_FALSE(IsCp932LeadByte(0xFD));
  EXPECT_TRUE(IsCp932TrailByte(0x5C));
  EXPECT_TRUE(IsCp932TrailByte(0x40));
  EXPECT_FALSE(IsCp932TrailByte(0x7F));
  EXPECT_FALSE(IsCp932TrailByte(0x3F));
  EXPECT_FALSE(IsCp932TrailByte(0xFD));
}

TEST(Cp932, ToUtf8Table) {
  for (const ConversionCase& c : Cp932ToUtf8Cases()) {
    std::string utf8 = "left over";
    EXPECT_EQ(Cp932ToUtf8(c.cp932, utf8), c.strict) << c.name;
    EXPECT_EQ(Hex(utf8), Hex(c.utf8)) << c.name;
    EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.name;
  }
}

TEST(Cp932, FromUtf8Table) {
  for (const ConversionCase& c : Utf8ToCp932Cases()) {
    std::string cp932 = "left over";
    EXPECT_EQ(Utf8ToCp932(c.utf8, cp932), c.strict) << c.name;
    EXPECT_EQ(Hex(cp932), Hex(c.cp932)) << c.name;
    EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.name;
  }
}

TEST(Cp932, TruncatedUtf8SequenceIsNotStrict) {
  std::string cp932;
  EXPECT_FALSE(Utf8ToCp932("a\xE3\x81", cp932));
  ASSERT_FALSE(cp932.empty());
  EXPECT_EQ(cp932[0], 'a');
  for (unsigned char b : cp932) EXPECT_LT(b, 0x80);
}

TEST(Cp932, OutputMayBeTheInput) {
  std::string text = "\x83\x5C\x83\x74\x83\x67";
  EXPECT_TRUE(Cp932ToUtf8(text, text));
  EXPECT_EQ(text, U8(u8"ソフト"));
  EXPECT_TRUE(Utf8ToCp932(text, text));
  EXPECT_EQ(text, "\x83\x5C\x83\x74\x83\x67");
}

TEST(Cp932, LongTextCrossesTheConversionBuffer) {
  std::string cp932, utf8;
  for (int i = 0; i < 3000; ++i) {
    cp932 += "\x95\x5C" "a";
    utf8 += U8(u8"表a");
  }
  cp932 += "\x81";
  utf8 += U8(u8"\uFFFD");
  std::string out;
  EXPECT_FALSE(Cp932ToUtf8(cp932, out));
  EXPECT_EQ(out, utf8);
}

TEST(Cp932, EveryDoubleByteCharacterSurvivesTheRoundTripThroughUtf8) {
  int decoded = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsCp932LeadByte(static_cast<std::uint8_t>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (!IsCp932TrailByte(static_cast<std::uint8_t>(trail))) continue;
      const std::string cp932{static_cast<char>(lead), static_cast<char>(trail)};
      std::string utf8;
      if (!Cp932ToUtf8(cp932, utf8)) continue;
      ++decoded;
      std::string back;
      ASSERT_TRUE(Utf8ToCp932(utf8, back)) << Hex(cp932);
      ASSERT_EQ(back.size(), 2u) << Hex(cp932);
      // NEC and IBM duplicates come back as one of their codes, the same character.
      EXPECT_EQ(Cp932ToUtf8(back), utf8) << Hex(cp932);
    }
  }
  EXPECT_GT(decoded, 7000);
}

TEST(Cp932, ThreadsConvertAtTheSameTime) {
  std::vector<std::thread> threads;
  std::vector<int> failures(8, 0);
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([t, &failures] {
      for (int i = 0; i < 2000; ++i) {
        for (const ConversionCase& c : Cp932ToUtf8Cases()) {
          std::string utf8;
          if (Cp932ToUtf8(c.cp932, utf8) != c.strict || utf8 != c.utf8) ++failures[t];
        }
        if (Utf8ToCp932(U8(u8"ソフト表示")) != "\x83\x5C\x83\x74\x83\x67\x95\x5C\x8E\xA6") ++failures[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < 8; ++t) EXPECT_EQ(failures[t], 0) << "thread " << t;
}
