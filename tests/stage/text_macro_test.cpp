// Message text macros: which macros name a variable, how the number is formatted, and
// that damaged numbers (out of range, too long, the smallest int) stay safe.
#include "stage/text_macro.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

TEST(TextMacroTest, ExpandsVariablesAsFormatted) {
  std::vector<std::int32_t> common(1001, 0);
  std::vector<std::int32_t> stage(1000, 0);
  common[5] = 7;
  common[1] = -12;
  common[1000] = 99;
  common[7] = 3;
  common[8] = INT_MIN;
  common[9] = 0;
  stage[2] = 4;
  stage[999] = 5;
  struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"#C5_3.", "  7"},           // padded with spaces, the dot goes with the macro
      {"#C5_3Z", "007"},           // leading zeros kept
      {"#S2_P", "+4"},             // plus sign
      {"#C1_P", "-12"},            // a negative value never gets the plus
      {"#C1_4Z", "-0012"},
      {"#C9", "0"},
      {"#C9_3", "  0"},            // the last digit stays
      {"#c5_29", "        7"},     // only the last digit of the width counts
      {"HP #C7.", "HP 3"},
      {"#C7a", "3a"},              // a letter ends the macro and stays
      {"#C7#C5", "37"},            // one macro right after another
      {"#C1000", "99"},            // the last common variable
      {"#S999", "5"},              // the last stage variable
      {"#SC5", "7"},               // the common letter wins
      {"#C8", "-2147483648"},      // the smallest int keeps its magnitude
      // Left as written: no variable, number 0, past the end, no letter.
      {"#C0", "#C0"},
      {"#C1001", "#C1001"},
      {"#S1000", "#S1000"},        // one past the stage variables
      {"#X5", "#X5"},
      {"#5", "#5"},
      {"#C", "#C"},
      {"#C0.", "#C0."},
      {"#", "#"},
      {"#C99999999999999999999", "#C99999999999999999999"},  // a digit run too long for any int
      {"#C000000000000000000005", "7"},                      // leading zeros are only zeros
      {"あ#C5", "あ7"},           // a double-byte character before the macro
      {"\x81#C5", "\x81#C5"},     // a lead byte takes the '#' as its trail byte
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    ExpandTextMacroWith(text, common, stage);
    EXPECT_EQ(text, c.expected) << c.text;
  }
}

TEST(TextMacroTest, EmptyListsNameNothing) {
  std::string text = "#C1 #S1";
  ExpandTextMacroWith(text, {}, {});
  EXPECT_EQ(text, "#C1 #S1");
}

}  // namespace
