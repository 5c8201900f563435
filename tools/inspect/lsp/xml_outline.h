// A forgiving read of an XML text that an author is still typing: every start tag with its attributes and
// their byte ranges, the nesting, and the text directly inside each element. Nothing is validated and no
// input is refused, so an editor's half-written buffer still has an outline.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lsp {

struct OutlineAttribute {
  std::string name;
  std::string value;      // with character and entity references replaced
  size_t valueBegin = 0;  // byte range of the value as written, inside the quotes
  size_t valueEnd = 0;
};

struct OutlineElement {
  std::string name;
  size_t begin = 0;   // the "<"
  size_t tagEnd = 0;  // after the start tag's ">" (or where the unfinished tag stops)
  int parent = -1;
  std::vector<OutlineAttribute> attributes;
  std::string text;      // the character data directly inside, references replaced
  size_t textBegin = 0;  // byte range of the first run of character data after the start tag
  size_t textEnd = 0;

  const OutlineAttribute* Attribute(std::string_view attributeName) const;
};

struct Outline {
  std::vector<OutlineElement> elements;  // in document order

  // The nearest element named name that encloses index (itself included), or -1.
  int Enclosing(int index, std::string_view name) const;
  // The innermost element whose start tag contains offset, or -1.
  int TagAt(size_t offset) const;
  // The innermost element whose first run of text contains offset, or -1.
  int TextAt(size_t offset) const;
};

Outline ReadOutline(std::string_view text);

// The local part of a qualified name ("tv:GUIXML" -> "GUIXML").
std::string_view LocalName(std::string_view name);

}  // namespace lsp
