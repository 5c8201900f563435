// Conversions between byte offsets and protocol positions: lines end at CR, LF or CRLF, and a character
// outside the Basic Multilingual Plane counts two code units, as the protocol and the XML parser count.
#include "inspect/lsp/text_position.h"

#include <algorithm>
#include <filesystem>

namespace lsp {
namespace {

// The length in bytes of the UTF-8 sequence that starts with lead (1 for a stray byte).
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// The offset just after the line end at offset.
size_t AfterLineEnd(std::string_view text, size_t offset) {
  if (text[offset] == '\r' && offset + 1 < text.size() && text[offset + 1] == '\n') return offset + 2;
  return offset + 1;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

size_t LineStart(std::string_view text, unsigned line) {
  size_t offset = 0;
  for (unsigned i = 0; i < line; ++i) {
    while (offset < text.size() && !IsLineEnd(text[offset])) ++offset;
    if (offset >= text.size()) return text.size();
    offset = AfterLineEnd(text, offset);
  }
  return offset;
}

size_t OffsetAt(std::string_view text, TextPosition position) {
  size_t offset = LineStart(text, position.line);
  unsigned units = 0;
  while (offset < text.size() && !IsLineEnd(text[offset]) && units < position.character) {
    const size_t length = SequenceLength(static_cast<unsigned char>(text[offset]));
    units += length == 4 ? 2 : 1;
    offset = std::min(text.size(), offset + length);
  }
  return offset;
}

TextPosition PositionAt(std::string_view text, size_t offset) {
  TextPosition position;
  size_t at = 0;
  offset = std::min(offset, text.size());
  while (at < offset) {
    if (IsLineEnd(text[at])) {
      at = AfterLineEnd(text, at);
      if (at > offset) break;  // inside a CRLF: the line's end
      ++position.line;
      position.character = 0;
      continue;
    }
    const size_t length = SequenceLength(static_cast<unsigned char>(text[at]));
    position.character += length == 4 ? 2 : 1;
    at += length;
  }
  return position;
}

LineIndex::LineIndex(std::string_view text) : m_text(text) {
  m_starts.push_back(0);
  for (size_t at = 0; at < text.size();) {
    if (IsLineEnd(text[at])) {
      at = AfterLineEnd(text, at);
      m_starts.push_back(at);
    } else {
      ++at;
    }
  }
}

size_t LineIndex::Offset(TextPosition position) const {
  if (position.line >= m_starts.size()) return m_text.size();
  const size_t start = m_starts[position.line];
  return start + OffsetAt(m_text.substr(start), {0, position.character});
}

TextPosition LineIndex::Position(size_t offset) const {
  offset = std::min(offset, m_text.size());
  const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), offset);
  const auto line = static_cast<unsigned>(after - m_starts.begin() - 1);
  const size_t start = m_starts[line];
  return {line, PositionAt(m_text.substr(start, offset - start), offset - start).character};
}

std::string UriToPath(std::string_view uri) {
  static constexpr std::string_view kScheme = "file://";
  if (uri.substr(0, kScheme.size()) != kScheme) return {};
  std::string path;
  for (size_t i = kScheme.size(); i < uri.size(); ++i) {
    if (uri[i] == '%' && i + 2 < uri.size() && HexValue(uri[i + 1]) >= 0 && HexValue(uri[i + 2]) >= 0) {
      path += static_cast<char>(HexValue(uri[i + 1]) * 16 + HexValue(uri[i + 2]));
      i += 2;
    } else {
      path += uri[i];
    }
  }
#ifdef _WIN32
  // file:///C:/dir -> C:/dir
  if (path.size() > 2 && path[0] == '/' && path[2] == ':') path.erase(0, 1);
#endif
  return path;
}

std::string PathToUri(const std::string& path) {
  std::error_code error;  // no current directory: the path as given
  const std::filesystem::path full = std::filesystem::absolute(std::filesystem::path(path), error);
  std::string absolute = (error ? std::filesystem::path(path) : full).lexically_normal().generic_string();
  if (absolute.empty() || absolute[0] != '/') absolute = std::string(1, '/').append(absolute);
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (unsigned char c : absolute) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' ||
                       c == '-' || c == '_' || c == '.' || c == '~' || c == ':';
    if (plain) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    }
  }
  return uri;
}

}  // namespace lsp
