// Positions in a document's UTF-8 text as the protocol counts them (0-based lines, UTF-16 code units), and
// file URIs as editors send them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lsp {

struct TextPosition {
  unsigned line = 0;
  unsigned character = 0;  // UTF-16 code units from the line's start
};

// The byte offset of position; a character past the line's end is its end, a line past the text's end the end.
size_t OffsetAt(std::string_view text, TextPosition position);
// The position of a byte offset (clamped to the text).
TextPosition PositionAt(std::string_view text, size_t offset);
// The offset of the start of a 0-based line (the text's end for a line past it).
size_t LineStart(std::string_view text, unsigned line);

// The same conversions for many places in one text: the line starts are found once.
class LineIndex {
 public:
  explicit LineIndex(std::string_view text);
  size_t Offset(TextPosition position) const;
  TextPosition Position(size_t offset) const;

 private:
  std::string_view m_text;
  std::vector<size_t> m_starts;
};

// "file:///dir/a%20b.xml" -> "/dir/a b.xml"; empty for anything but a file URI.
std::string UriToPath(std::string_view uri);
std::string PathToUri(const std::string& path);

}  // namespace lsp
