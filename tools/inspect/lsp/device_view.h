// One device as an editor has it: the GUI XML file and its localized file, each the open buffer's text or
// the saved file, with their outlines; and what stands at a place in either file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <k42gui/DeviceVocabulary.h>

#include "inspect/lsp/xml_outline.h"

namespace lsp {

enum class Side { kGuiXml, kLocalized };

struct DeviceView {
  std::string guiPath, locPath;
  std::string guiText, locText;
  Outline gui, loc;

  const std::string& Text(Side side) const { return side == Side::kGuiXml ? guiText : locText; }
  const Outline& OutlineOf(Side side) const { return side == Side::kGuiXml ? gui : loc; }
};

// What the text at a place means.
struct Symbol {
  std::string identifier;  // the value (or element text) as written, references replaced
  std::string what;        // in the author's words: "variable", "display", "keyword", "file", ...
  std::vector<k42gui::VocabularyDeclarer> declaredBy;  // where the identifier may be declared
  int module = -1;          // with sameModule: the GUI XML's module element whose declarations count
  bool sameModule = false;  // only declarations inside module count (none when module is -1)
  bool isFile = false;
  bool isDeclaration = false;         // the place declares the identifier itself
  std::vector<std::string> keywords;  // the words the place may hold (keywords, scope names)
  size_t valueBegin = 0;              // byte range of the value in its file
  size_t valueEnd = 0;
};

std::optional<Symbol> SymbolAt(const DeviceView& device, Side side, size_t offset);

// A declaration in the GUI XML file: the element and the byte range of its identifier.
struct Declared {
  int element = -1;
  std::string identifier;
  std::string kind;
  size_t valueBegin = 0;
  size_t valueEnd = 0;
};

// The declarations a symbol may name, first ones first; with an empty identifier every one of them.
std::vector<Declared> DeclarationsOf(const DeviceView& device, const Symbol& symbol, const std::string& identifier);

// The texts the localized file gives one declaration, per language in the file's order.
struct LanguageTexts {
  std::string language;
  bool found = false;
  std::string label, tooltip, helpTopic;
  std::vector<std::pair<std::string, std::string>> variants;  // DDSTRING key and label
};
std::vector<LanguageTexts> TextsOf(const DeviceView& device, const Declared& declared);

}  // namespace lsp
