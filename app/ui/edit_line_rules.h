#pragma once
// The line and length rules of the dialogs' edit controls, apart from any control: how
// much text a control may hold, how wide a line may be and how many lines there may be.
// Texts are CP932 bytes with "\r\n" line breaks; positions are byte offsets.
//
// Widths count bytes, or characters in character mode: a double-byte character counts
// one, "\n" none (so the "\r" of a break counts one). A text has no lines when empty,
// otherwise one more than its "\n" bytes.
#include <cstddef>
#include <string>
#include <string_view>

// How an edit control of a dialog binds one of the program's strings.
struct cEditBind {
  int nId = 0;                     // control id (16 bits used)
  std::string* lpStr = nullptr;    // the bound string
  int nMaxLength = 0;              // text buffer in characters, terminator included; 0: 4096
  int nLineWidth = 0;              // characters (or bytes) per line; 0: 1024
  int nLineCount = 0;              // lines; 0: 32
  int bCharMode = 0;               // widths count characters (1) or bytes (0)

  // One line of `n` characters when `limited` (widths in characters), else one line of
  // the default width in bytes; the text holds n characters.
  void Set(int id, std::string* str, int n, int limited);
};

constexpr int kEditDefaultMaxLength = 4096;
constexpr int kEditDefaultLineWidth = 1024;
constexpr int kEditDefaultLineCount = 32;
// The buffer a control's text is read into: longer texts are cut when read.
constexpr int kEditReadBufferBytes = 5120;

// The outcome of one check: the text the control is to show and its selection.
struct cEditCheck {
  std::string strText;
  int nSelStart = 0;
  int nSelEnd = 0;
  bool bSetSelection = true;  // false while binding: the selection is left to the control
};

// The state an edit control keeps between checks.
class cEditLineRules {
 public:
  // Limits of 0 or below take the defaults.
  void SetLimits(int maxLength, int lineWidth, int lineCount, int charMode);

  // The read buffer for the control's text: 2 x maximum length - 1 bytes in character
  // mode, the maximum length otherwise, never more than kEditReadBufferBytes.
  int ReadBufferSize() const;
  // The control's text as a read with that buffer gets it: up to the first NUL, at most
  // ReadBufferSize() - 1 bytes. The cut may fall inside a double-byte character; Check
  // measures its lead byte as a character and never shows it.
  std::string ReadCut(std::string_view controlText) const;

  // The first check, when the control shows `bound` for the first time: a bound text
  // past the limits is cut to fit.
  cEditCheck Bind(std::string_view bound);

  // The check after each edit of the control: `controlText` is what it holds now, with
  // the selection `selStart`-`selEnd`; `backspaceDown` when the Backspace key is held.
  // Over-wide lines wrap (their tail moves to the start of the next line); an edit that
  // then needs more lines than allowed is refused (the previous text comes back with
  // the caret where the edit left it, held to the text); a Backspace that would join a
  // line with a full line above is undone. The caret never stands inside a double-byte
  // character nor between "\r" and "\n".
  cEditCheck Check(std::string_view controlText, int selStart, int selEnd, bool backspaceDown);

  const std::string& Previous() const { return m_strPrev; }
  int MaxLength() const { return m_nMaxLength; }
  int LineWidth() const { return m_nLineWidth; }
  int LineCount() const { return m_nLineCount; }
  int CharMode() const { return m_bCharMode; }

 private:
  int m_nMaxLength = kEditDefaultMaxLength;
  int m_bCharMode = 0;
  int m_nLineWidth = kEditDefaultLineWidth;
  int m_nLineCount = kEditDefaultLineCount;
  int m_bBinding = 0;
  std::string m_strPrev;  // the text the last check accepted
  int m_nSelStart = 0;    // the selection read at the start of the last check
  int m_nSelEnd = 0;
};

// The length of text[begin, end) by the width rules (characters or bytes).
std::size_t EditTextLength(std::string_view text, std::size_t begin, std::size_t end, bool charMode);
// The number of lines of a text.
int EditLineCount(std::string_view text);
