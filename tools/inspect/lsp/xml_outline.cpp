// The forgiving outline reader: one pass over the text; an unfinished tag or value ends where the next "<"
// begins, and an end tag closes the nearest open element of its name.
#include "inspect/lsp/xml_outline.h"

#include <cstdint>
#include <string>

#include "inspect/automation.h"

namespace lsp {
namespace {

// Bounds the depth the parent chains may reach, as the component bounds nesting.
constexpr size_t kMaxOpen = 4096;

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == ':' ||
         c == '-' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A character reference's code point, when it names a character (not NUL, no surrogate, at most U+10FFFF).
void AppendUtf8(std::string& out, uint32_t code) {
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return;
  std::u16string units;
  if (code < 0x10000) {
    units += static_cast<char16_t>(code);
  } else {
    units += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
    units += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
  }
  out += inspect::Utf8(units);
}

// The text with the predefined entities and character references replaced; anything else stays as written.
std::string Decoded(std::string_view raw) {
  std::string out;
  for (size_t i = 0; i < raw.size(); ++i) {
    const size_t semicolon = raw[i] == '&' ? raw.find(';', i) : std::string_view::npos;
    if (semicolon == std::string_view::npos || semicolon - i > 12) {
      out += raw[i];
      continue;
    }
    const std::string_view name = raw.substr(i + 1, semicolon - i - 1);
    if (name == "amp")
      out += '&';
    else if (name == "lt")
      out += '<';
    else if (name == "gt")
      out += '>';
    else if (name == "quot")
      out += '"';
    else if (name == "apos")
      out += '\'';
    else if (name.size() > 1 && name[0] == '#') {
      const bool hex = name[1] == 'x';
      uint32_t code = 0;
      for (char c : name.substr(hex ? 2 : 1)) {
        const int digit = c >= '0' && c <= '9'                            ? c - '0'
                          : hex && (c | 0x20) >= 'a' && (c | 0x20) <= 'f' ? (c | 0x20) - 'a' + 10
                                                                          : -1;
        if (digit < 0 || code > 0x10FFFF) {
          code = 0;
          break;
        }
        code = code * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
      }
      AppendUtf8(out, code);
    } else {
      out.append(raw.substr(i, semicolon - i + 1));
    }
    i = semicolon;
  }
  return out;
}

class Reader {
 public:
  explicit Reader(std::string_view text) : m_text(text) {}

  Outline Read() {
    size_t at = 0;
    while (at < m_text.size()) {
      const size_t open = m_text.find('<', at);
      AddText(at, open == std::string_view::npos ? m_text.size() : open);
      if (open == std::string_view::npos) break;
      at = Markup(open);
    }
    return std::move(m_outline);
  }

 private:
  // Reads the markup at open ("<"); returns where the text after it starts.
  size_t Markup(size_t open) {
    const std::string_view rest = m_text.substr(open);
    if (rest.substr(0, 4) == "<!--") return Past(open + 4, "-->");
    if (rest.substr(0, 9) == "<![CDATA[") {
      const size_t end = m_text.find("]]>", open + 9);
      const size_t stop = end == std::string_view::npos ? m_text.size() : end;
      if (!m_open.empty())
        m_outline.elements[static_cast<size_t>(m_open.back())].text += m_text.substr(open + 9, stop - open - 9);
      return end == std::string_view::npos ? m_text.size() : end + 3;
    }
    if (rest.substr(0, 2) == "<?") return Past(open + 2, "?>");
    if (rest.substr(0, 2) == "<!") return Past(open + 2, ">");
    if (rest.substr(0, 2) == "</") return EndTag(open);
    return StartTag(open);
  }

  size_t Past(size_t from, std::string_view terminator) const {
    const size_t end = m_text.find(terminator, from);
    return end == std::string_view::npos ? m_text.size() : end + terminator.size();
  }

  size_t EndTag(size_t open) {
    size_t at = open + 2;
    while (at < m_text.size() && IsNameChar(m_text[at])) ++at;
    const std::string_view name = m_text.substr(open + 2, at - open - 2);
    for (size_t i = m_open.size(); i-- > 0;) {
      if (m_outline.elements[static_cast<size_t>(m_open[i])].name == name) {
        m_open.resize(i);
        break;
      }
    }
    const size_t close = m_text.find_first_of("<>", at);
    if (close == std::string_view::npos) return m_text.size();
    return m_text[close] == '>' ? close + 1 : close;
  }

  size_t StartTag(size_t open) {
    size_t at = open + 1;
    while (at < m_text.size() && IsNameChar(m_text[at])) ++at;
    if (at == open + 1) return open + 1;  // a lone "<": text
    OutlineElement element;
    element.name = std::string(m_text.substr(open + 1, at - open - 1));
    element.begin = open;
    element.parent = m_open.empty() ? -1 : m_open.back();
    bool selfClosing = false;
    for (;;) {
      while (at < m_text.size() && IsSpace(m_text[at])) ++at;
      if (at >= m_text.size() || m_text[at] == '<') break;  // unfinished tag
      if (m_text[at] == '>') {
        ++at;
        break;
      }
      if (m_text[at] == '/') {
        selfClosing = at + 1 < m_text.size() && m_text[at + 1] == '>';
        at += selfClosing ? 2 : 1;
        if (selfClosing) break;
        continue;
      }
      at = Attribute(at, element);
    }
    element.tagEnd = at;
    element.textBegin = element.textEnd = at;
    const int index = static_cast<int>(m_outline.elements.size());
    m_outline.elements.push_back(std::move(element));
    if (!selfClosing && m_open.size() < kMaxOpen) {
      m_open.push_back(index);
      m_fresh = index;
    }
    return at;
  }

  // Reads one attribute (or skips one stray character) at at; returns where the next one may start.
  size_t Attribute(size_t at, OutlineElement& element) {
    const size_t nameBegin = at;
    while (at < m_text.size() && IsNameChar(m_text[at])) ++at;
    if (at == nameBegin) return at + 1;
    OutlineAttribute attribute;
    attribute.name = std::string(m_text.substr(nameBegin, at - nameBegin));
    while (at < m_text.size() && IsSpace(m_text[at])) ++at;
    if (at >= m_text.size() || m_text[at] != '=') {
      element.attributes.push_back(std::move(attribute));
      return at;
    }
    ++at;
    while (at < m_text.size() && IsSpace(m_text[at])) ++at;
    if (at < m_text.size() && (m_text[at] == '"' || m_text[at] == '\'')) {
      const char quote = m_text[at];
      attribute.valueBegin = at + 1;
      // A value never holds "<": an unfinished one ends before the next tag.
      size_t end = attribute.valueBegin;
      while (end < m_text.size() && m_text[end] != quote && m_text[end] != '<') ++end;
      attribute.valueEnd = end;
      at = end < m_text.size() && m_text[end] == quote ? end + 1 : end;
    } else {
      attribute.valueBegin = attribute.valueEnd = at;
    }
    attribute.value = Decoded(m_text.substr(attribute.valueBegin, attribute.valueEnd - attribute.valueBegin));
    element.attributes.push_back(std::move(attribute));
    return at;
  }

  void AddText(size_t begin, size_t end) {
    if (m_open.empty() || begin >= end) {
      m_fresh = -1;
      return;
    }
    OutlineElement& element = m_outline.elements[static_cast<size_t>(m_open.back())];
    if (m_fresh == m_open.back()) {
      element.textBegin = begin;
      element.textEnd = end;
    }
    m_fresh = -1;
    element.text += Decoded(m_text.substr(begin, end - begin));
  }

  std::string_view m_text;
  Outline m_outline;
  std::vector<int> m_open;
  int m_fresh = -1;  // the element whose start tag was just read, whose text run comes next
};

}  // namespace

const OutlineAttribute* OutlineElement::Attribute(std::string_view attributeName) const {
  for (const OutlineAttribute& attribute : attributes) {
    if (attribute.name == attributeName) return &attribute;
  }
  return nullptr;
}

int Outline::Enclosing(int index, std::string_view name) const {
  for (size_t depth = 0; index >= 0 && depth <= kMaxOpen; ++depth) {
    const OutlineElement& element = elements[static_cast<size_t>(index)];
    if (LocalName(element.name) == name) return index;
    index = element.parent;
  }
  return -1;
}

int Outline::TagAt(size_t offset) const {
  int found = -1;
  for (size_t i = 0; i < elements.size() && elements[i].begin < offset; ++i) {
    if (offset <= elements[i].tagEnd) found = static_cast<int>(i);
  }
  return found;
}

int Outline::TextAt(size_t offset) const {
  int found = -1;
  for (size_t i = 0; i < elements.size() && elements[i].begin < offset; ++i) {
    if (elements[i].textBegin <= offset && offset <= elements[i].textEnd) found = static_cast<int>(i);
  }
  return found;
}

Outline ReadOutline(std::string_view text) { return Reader(text).Read(); }

std::string_view LocalName(std::string_view name) {
  const size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

}  // namespace lsp
