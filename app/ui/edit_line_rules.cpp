#include "app/ui/edit_line_rules.h"

#include <algorithm>
#include <cstdint>

#include "platform/cp932.h"
#include "platform/cp932_caret.h"

namespace {

bool IsDoubleByteAt(std::string_view text, std::size_t at, std::size_t end) {
  return at + 1 < end && IsCp932LeadByte(static_cast<std::uint8_t>(text[at])) &&
         IsCp932TrailByte(static_cast<std::uint8_t>(text[at + 1]));
}

// Where text[from, end) is cut so that its length is at most `width`: the longest start
// of at most `width` bytes (twice that in character mode) whose length is at most
// `width`. Never inside a double-byte character: a cut there would leave half a character
// on each side of the break. The length only grows with each character, so one walk from
// the front finds it.
std::size_t CutToWidth(std::string_view text, std::size_t from, std::size_t end, int width, bool charMode) {
  const std::size_t limit = std::min(end, from + static_cast<std::size_t>(width) * (charMode ? 2 : 1));
  std::size_t cut = from;
  std::size_t length = 0;
  while (cut < limit) {
    const bool pair = IsDoubleByteAt(text, cut, text.size());
    const std::size_t next = cut + (pair ? 2 : 1);
    const std::size_t grown = length + ((!charMode) ? next - cut : (pair || text[cut] != '\n') ? 1 : 0);
    if (next > limit || grown > static_cast<std::size_t>(width)) break;
    cut = next;
    length = grown;
  }
  return cut;
}

int ClampOffset(int offset, std::size_t size) {
  if (offset < 0) return 0;
  return static_cast<std::size_t>(offset) > size ? static_cast<int>(size) : offset;
}

}  // namespace

void cEditBind::Set(int id, std::string* str, int n, int limited) {
  nId = id;
  lpStr = str;
  nMaxLength = n + 1;
  nLineWidth = limited ? n : 0;
  nLineCount = 1;
  bCharMode = limited;
}

std::size_t EditTextLength(std::string_view text, std::size_t begin, std::size_t end, bool charMode) {
  end = std::min(end, text.size());
  if (begin >= end) return 0;
  if (!charMode) return end - begin;
  std::size_t count = 0;
  for (std::size_t at = begin; at < end;) {
    if (IsDoubleByteAt(text, at, end)) {
      ++count;
      at += 2;
    } else {
      if (text[at] != '\n') ++count;
      ++at;
    }
  }
  return count;
}

int EditLineCount(std::string_view text) {
  if (text.empty()) return 0;
  return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

void cEditLineRules::SetLimits(int maxLength, int lineWidth, int lineCount, int charMode) {
  m_nMaxLength = maxLength > 0 ? maxLength : kEditDefaultMaxLength;
  m_nLineWidth = lineWidth > 0 ? lineWidth : kEditDefaultLineWidth;
  m_nLineCount = lineCount > 0 ? lineCount : kEditDefaultLineCount;
  m_bCharMode = charMode ? 1 : 0;
}

int cEditLineRules::ReadBufferSize() const {
  const long size = m_bCharMode ? 2L * m_nMaxLength - 1 : m_nMaxLength;
  return static_cast<int>(std::clamp(size, 1L, static_cast<long>(kEditReadBufferBytes)));
}

std::string cEditLineRules::ReadCut(std::string_view controlText) const {
  const std::size_t nul = controlText.find('\0');
  if (nul != std::string_view::npos) controlText = controlText.substr(0, nul);
  const std::size_t room = static_cast<std::size_t>(ReadBufferSize() - 1);
  return std::string(controlText.substr(0, std::min(room, controlText.size())));
}

cEditCheck cEditLineRules::Bind(std::string_view bound) {
  m_strPrev.assign(bound);
  m_bBinding = 1;
  cEditCheck result = Check(bound, 0, 0, false);
  m_bBinding = 0;
  return result;
}

cEditCheck cEditLineRules::Check(std::string_view controlText, int selStart, int selEnd, bool backspaceDown) {
  const bool charMode = m_bCharMode != 0;
  const int width = m_nLineWidth;
  const int lines = m_nLineCount;
  cEditCheck out;
  std::string& text = out.strText;
  text = ReadCut(controlText);
  int s = ClampOffset(selStart, text.size());
  int e = ClampOffset(selEnd, text.size());
  m_nSelStart = s;
  m_nSelEnd = e;

  bool undoneBackspace = false;
  // A Backspace that removed a line break joins two lines. It is undone when the line it
  // would join onto (with its own leading break, unless it is the first line) is
  // already full, so that the caret just goes to the end of that line.
  if (backspaceDown && s == e && m_strPrev.size() == text.size() + 2 &&
      EditLineCount(text) < EditLineCount(m_strPrev)) {
    std::size_t from = 0;
    const std::size_t cr = std::string_view(m_strPrev).substr(0, static_cast<std::size_t>(s)).rfind('\r');
    if (cr != std::string_view::npos) from = cr;
    if (EditTextLength(m_strPrev, from, static_cast<std::size_t>(s), charMode) >= static_cast<std::size_t>(width)) {
      text = m_strPrev;
      undoneBackspace = true;
    }
  }

  if (!undoneBackspace) {
    // Wrap the lines from the top: an over-wide line's tail moves to the start of the
    // next line, where it may make that line over-wide in turn.
    std::size_t start = 0;
    for (int line = 0; line < lines; ++line) {
      const std::size_t cr = text.find('\r', start);
      const std::size_t end = cr == std::string::npos ? text.size() : cr;
      if (EditTextLength(text, start, end, charMode) > static_cast<std::size_t>(width)) {
        const std::size_t cut = CutToWidth(text, start, end, width, charMode);
        text.insert(cut, "\r\n");
        if (static_cast<std::size_t>(s) >= cut) s += 2;
        if (static_cast<std::size_t>(e) >= cut) e += 2;
        // The break that ended the line now follows the moved tail: take it out, so
        // that the tail joins the next line. A caret behind it moves back with the text.
        const std::size_t join = text.find("\r\n", cut + 2);
        if (join != std::string::npos) {
          text.erase(join, 2);
          for (int* at : {&s, &e}) {
            if (static_cast<std::size_t>(*at) >= join + 2)
              *at -= 2;
            else if (static_cast<std::size_t>(*at) > join)
              *at = static_cast<int>(join);
          }
        }
      }
      const std::size_t next = text.find('\r', start);
      if (next == std::string::npos) break;
      start = std::min(next + 2, text.size());
    }

    if (EditLineCount(text) > lines) {
      if (m_bBinding) {
        // The bound text itself is too long for the control: its start, cut to a width.
        text = m_strPrev.substr(0, CutToWidth(m_strPrev, 0, m_strPrev.size(), width, charMode));
      } else {
        text = m_strPrev;
        s = m_nSelStart;
        e = m_nSelEnd;
      }
    }
    // A read cut in the middle of a double-byte character leaves its lead byte at the
    // end: it counted as a character above (so that an insertion that pushes a character
    // out is refused), but it is no character to show.
    if (!text.empty() && Cp932CharStart(text, text.size() - 1) == text.size() - 1 &&
        IsCp932LeadByte(static_cast<std::uint8_t>(text.back())))
      text.pop_back();
    s = ClampOffset(s, text.size());
    e = ClampOffset(e, text.size());
    s = static_cast<int>(Cp932CharStart(text, static_cast<std::size_t>(s)));
    e = static_cast<int>(Cp932CharStart(text, static_cast<std::size_t>(e)));
    if (static_cast<std::size_t>(s) < text.size() && text[static_cast<std::size_t>(s)] == '\n') ++s;
    if (static_cast<std::size_t>(e) < text.size() && text[static_cast<std::size_t>(e)] == '\n') ++e;
  }

  m_strPrev = text;
  out.nSelStart = s;
  out.nSelEnd = e;
  out.bSetSelection = !m_bBinding;
  return out;
}
