// The edit controls' line and length rules, checked without any control: each case binds
// a text, makes one edit and looks at what the control is told to show.
#include "app/ui/edit_line_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Limits {
  int nMax, nWidth, nLines, bChars;
};
constexpr Limits kNameEntry = {4, 3, 1, 1};  // one line of three characters
constexpr Limits kBox = {100, 5, 3, 1};      // three lines of five characters
constexpr Limits kBoxBytes = {100, 5, 3, 0};

cEditLineRules Rules(const Limits& l) {
  cEditLineRules rules;
  rules.SetLimits(l.nMax, l.nWidth, l.nLines, l.bChars);
  return rules;
}

TEST(EditLineRulesTest, EditsAreWrappedRefusedOrUndone) {
  struct Case {
    const char* name;
    Limits limits;
    std::string before;  // the bound text
    std::string edited;  // the control's text after the edit
    int sel;             // the caret after the edit
    bool backspace;
    std::string shown;   // what the control is to show
    int caret;
  } const cases[] = {
      {"name: fourth character refused", kNameEntry, "abc", "abcd", 4, false, "abc", 3},
      {"name: three double-byte characters", kNameEntry, "ああ", "あああ", 6, false, "あああ", 6},
      {"name: fourth double-byte refused", kNameEntry, "あいう", "あいうえ", 8, false, "あいう", 6},
      {"name: refused caret kept off half a character", kNameEntry, "あいう", "あxいう", 3, false, "あいう", 2},
      {"typing past the width moves the last character down", kBox, "abcde\r\nfg", "abcdeX\r\nfg", 6, false,
       "abcde\r\nXfg", 8},
      {"a line that then overflows wraps further", kBox, "abcde\r\nfghij", "abcdeX\r\nfghij", 6, false,
       "abcde\r\nXfghi\r\nj", 8},
      {"an edit that needs a fourth line is refused", kBox, "abcde\r\nfghij\r\nklmno",
       "abcdeX\r\nfghij\r\nklmno", 6, false, "abcde\r\nfghij\r\nklmno", 7},
      {"Backspace onto a full first line is undone", kBox, "abcde\r\nfg", "abcdefg", 5, true, "abcde\r\nfg", 5},
      {"Backspace onto a shorter first line joins", kBox, "abcd\r\nfg", "abcdfg", 4, true, "abcdf\r\ng", 4},
      {"Backspace measures a later line with its break", kBox, "ab\r\ncdef\r\ng", "ab\r\ncdefg", 8, true,
       "ab\r\ncdef\r\ng", 8},
      {"the same edit without Backspace held joins", kBox, "ab\r\ncdef\r\ng", "ab\r\ncdefg", 8, false,
       "ab\r\ncdefg", 8},
      {"pasted empty line is kept", kBox, "", "a\r\n\r\nb", 6, false, "a\r\n\r\nb", 6},
      {"caret between CR and LF moves past the LF", kBox, "a\r\nb", "a\r\nb", 2, false, "a\r\nb", 3},
      {"byte widths never split a double-byte character", kBoxBytes, "", "abcdあ", 6, false, "abcd\r\nあ", 8},
      {"a caret behind a moved break moves with the text", kBoxBytes, "abcd\r\nfgh", "abcdxy\r\nzw\r\nfgh", 10,
       false, "abcdx\r\nyzw\r\nfgh", 10},
      {"text past the maximum length is cut when read", {6, 0, 0, 0}, "", "abcdefgh", 8, false, "abcde", 5},
      {"a character cut by the read is dropped whole", {4, 0, 0, 0}, "", "abあい", 6, false, "ab", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cEditLineRules rules = Rules(c.limits);
    ASSERT_EQ(rules.Bind(c.before).strText, c.before);
    const cEditCheck out = rules.Check(c.edited, c.sel, c.sel, c.backspace);
    EXPECT_EQ(out.strText, c.shown);
    EXPECT_EQ(out.nSelStart, c.caret);
    EXPECT_EQ(out.nSelEnd, c.caret);
    EXPECT_TRUE(out.bSetSelection);
    EXPECT_EQ(rules.Previous(), c.shown);
  }
}

TEST(EditLineRulesTest, BoundTextPastTheLimitsIsCutWhenShown) {
  struct Case {
    const char* name;
    Limits limits;
    std::string bound;
    std::string shown;
  } const cases[] = {
      {"five characters for three", kNameEntry, "abcde", "abc"},
      {"five double-byte characters for three", kNameEntry, "あいうえお", "あいう"},
      {"a fourth line: the start, five characters long", kBox, "a\r\nb\r\nc\r\nd", "a\r\nb\r\nc"},
      {"fits", kBox, "abc\r\nd", "abc\r\nd"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cEditLineRules rules = Rules(c.limits);
    const cEditCheck out = rules.Bind(c.bound);
    EXPECT_EQ(out.strText, c.shown);
    EXPECT_FALSE(out.bSetSelection);
  }
}

TEST(EditLineRulesTest, LimitsAndTheReadBuffer) {
  cEditBind bind;
  std::string name;
  bind.Set(1000, &name, 3, 1);
  EXPECT_EQ(bind.nMaxLength, 4);
  EXPECT_EQ(bind.nLineWidth, 3);
  EXPECT_EQ(bind.nLineCount, 1);
  EXPECT_EQ(bind.bCharMode, 1);
  cEditLineRules rules = Rules({bind.nMaxLength, bind.nLineWidth, bind.nLineCount, bind.bCharMode});
  EXPECT_EQ(rules.ReadBufferSize(), 7);

  bind.Set(1000, &name, 3, 0);
  EXPECT_EQ(bind.nLineWidth, 0);
  rules = Rules({bind.nMaxLength, bind.nLineWidth, bind.nLineCount, bind.bCharMode});
  EXPECT_EQ(rules.LineWidth(), kEditDefaultLineWidth);
  EXPECT_EQ(rules.ReadBufferSize(), 4);

  rules = Rules({0, 0, 0, 1});
  EXPECT_EQ(rules.MaxLength(), kEditDefaultMaxLength);
  EXPECT_EQ(rules.LineCount(), kEditDefaultLineCount);
  // The default length in characters would want 8191 bytes: the read buffer holds 5120.
  EXPECT_EQ(rules.ReadBufferSize(), kEditReadBufferBytes);
  EXPECT_EQ(rules.ReadCut(std::string(9000, 'a')).size(), std::size_t{kEditReadBufferBytes - 1});
}

}  // namespace
