#pragma once
// Carets in CP932 text shown through a UTF-8 text field. The program's edit controls hold
// CP932 bytes with "\r\n" line breaks and byte offsets for the selection; a UTF-8 text
// field (the dialog host's) holds UTF-8 with "\n" breaks and byte offsets of its own.
// These map one onto the other so that a caret never stands inside a double-byte
// character or between the "\r" and "\n" of a break.
//
// Characters of CP932 text: a lead byte followed by a trail byte is one character of two
// bytes; every other byte is one character (an undecodable byte shows as U+FFFD).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The start of the character that holds byte `offset` (an offset at or past the end
// gives the length): an offset inside a double-byte character moves back to its lead byte.
std::size_t Cp932CharStart(std::string_view text, std::size_t offset);

// CP932 text as a UTF-8 text field shows it, with the caret positions of both.
class cCp932CaretMap {
 public:
  cCp932CaretMap() = default;
  explicit cCp932CaretMap(std::string_view cp932) { Build(cp932); }
  void Build(std::string_view cp932);

  // The text for the field: UTF-8, each "\r\n" shown as one "\n".
  const std::string& Utf8() const { return m_strUtf8; }

  // The field's caret of a CP932 byte offset: the start of its character, a caret
  // between "\r" and "\n" taken as standing before the break; past the end: the end.
  std::size_t ToUtf8(std::size_t cp932Offset) const;
  // The CP932 byte offset of a field caret: a caret inside a UTF-8 sequence counts as
  // standing at its start; a caret after a shown "\n" stands after the whole "\r\n".
  std::size_t ToCp932(std::size_t utf8Offset) const;

 private:
  std::string m_strUtf8;
  // One pair per character boundary, in order: (CP932 offset, UTF-8 offset), the end
  // included. The "\n" of a "\r\n" break has no boundary before it.
  std::vector<std::pair<std::size_t, std::size_t>> m_Bounds;
};

// The field's UTF-8 text back as CP932 with "\r\n" breaks: every "\n" becomes "\r\n" and a
// "\r" on its own is dropped, so that the control's line rules see only whole breaks.
// False (with "?" for what CP932 cannot hold) when a character has no CP932 code.
bool FieldTextToCp932(std::string_view utf8, std::string& cp932);
