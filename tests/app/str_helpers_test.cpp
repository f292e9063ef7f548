#include "app/str_helpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(StrPrintfTest, ReplacesAndAppends) {
  std::string text = "old";
  StrPrintf(text, "%s %d", "err", -1);
  EXPECT_EQ(text, "err -1");
  EXPECT_EQ(&StrCatPrintf(text, " (%02d)", 7), &text);
  EXPECT_EQ(text, "err -1 (07)");
}

TEST(StrPrintfTest, MayFormatItsOwnText) {
  std::string text = "abc";
  StrPrintf(text, "[%s]", text.c_str());
  EXPECT_EQ(text, "[abc]");
}

struct LongFormatCase {
  const char* name;
  std::string prefix;
  std::string piece;
  int repeat;
  std::size_t expectedLength;
  friend void PrintTo(const LongFormatCase& c, std::ostream* os) { *os << c.name; }
};

class StrPrintfLongText : public ::testing::TestWithParam<LongFormatCase> {};

TEST_P(StrPrintfLongText, CutsToWholeCharacters) {
  const LongFormatCase& c = GetParam();
  std::string source = c.prefix;
  for (int i = 0; i < c.repeat; ++i) source += c.piece;
  std::string text;
  StrPrintf(text, "%s", source.c_str());
  EXPECT_EQ(text, source.substr(0, c.expectedLength));
  std::string appended = "x";
  StrCatPrintf(appended, "%s", source.c_str());
  EXPECT_EQ(appended, "x" + source.substr(0, c.expectedLength));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrPrintfLongText,
    ::testing::Values(LongFormatCase{"fits", "", "y", 5119, 5119},
                      LongFormatCase{"singleBytes", "", "y", 9000, 5119},
                      LongFormatCase{"cutInsideChar", "", "\x93\xFA", 3000, 5118},
                      // The last byte kept, 0xFA, is a trail byte that lies in the lead range.
                      LongFormatCase{"cutAfterTrailInLeadRange", "a", "\x93\xFA", 3000, 5119}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StrResyncTest, CutsAtTheFirstNul) {
  std::string text("abc\0def", 7);
  EXPECT_EQ(StrResync(text), 3);
  EXPECT_EQ(text, "abc");
  std::string plain = "plain";
  EXPECT_EQ(StrResync(plain), 5);
  EXPECT_EQ(plain, "plain");
}

struct SubstrCase {
  int start;
  int count;
  const char* expected;
  friend void PrintTo(const SubstrCase& c, std::ostream* os) { *os << c.start << "," << c.count; }
};

class StrSubstrSafeCase : public ::testing::TestWithParam<SubstrCase> {};

TEST_P(StrSubstrSafeCase, ClipsThePieceToTheText) {
  const SubstrCase& c = GetParam();
  EXPECT_EQ(StrSubstrSafe("abcdef", c.start, c.count), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Pieces, StrSubstrSafeCase,
                         ::testing::Values(SubstrCase{1, 3, "bcd"}, SubstrCase{-2, 4, "ab"},
                                           SubstrCase{10, 2, ""}, SubstrCase{6, 1, ""},
                                           SubstrCase{2, 100, "cdef"}, SubstrCase{2, 0, ""},
                                           SubstrCase{-5, 2, ""}, SubstrCase{0, 2147483647, "abcdef"},
                                           SubstrCase{-2147483647 - 1, 2147483647, ""}));

struct DbcsCase {
  const char* text;
  int isDbcs;
  friend void PrintTo(const DbcsCase& c, std::ostream* os) { *os << ::testing::PrintToString(std::string(c.text)); }
};

class IsDBCSCharCase : public ::testing::TestWithParam<DbcsCase> {};

TEST_P(IsDBCSCharCase, NeedsALeadAndATrailByte) {
  EXPECT_EQ(IsDBCSChar(GetParam().text), GetParam().isDbcs);
}

INSTANTIATE_TEST_SUITE_P(Bytes, IsDBCSCharCase,
                         ::testing::Values(DbcsCase{"\x93\xFA", 1}, DbcsCase{"\x83\x5C", 1},
                                           DbcsCase{"\xE0\x40", 1}, DbcsCase{"\xFC\xFC", 1},
                                           DbcsCase{"\x81\x7F", 0}, DbcsCase{"\x81\x3F", 0},
                                           DbcsCase{"\xA0\x40", 0}, DbcsCase{"\xFD\x40", 0},
                                           DbcsCase{"\x93", 0}, DbcsCase{"ab", 0}));

struct CharNumCase {
  const char* text;
  int count;
  friend void PrintTo(const CharNumCase& c, std::ostream* os) { *os << ::testing::PrintToString(std::string(c.text)); }
};

class GetStrCharNumCase : public ::testing::TestWithParam<CharNumCase> {};

TEST_P(GetStrCharNumCase, CountsDoubleByteCharactersOnceAndNewlinesNot) {
  EXPECT_EQ(GetStrCharNum(GetParam().text), GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(Texts, GetStrCharNumCase,
                         ::testing::Values(CharNumCase{"日本\na", 3}, CharNumCase{"", 0},
                                           CharNumCase{"abc", 3}, CharNumCase{"\n\n", 0},
                                           CharNumCase{"a\x93", 2}, CharNumCase{"\x93 ", 2},
                                           CharNumCase{"ｱｲ", 2}));

}  // namespace
