// The outline of either device file, from its forgiving read and the vocabulary of what it declares.
#include "inspect/lsp/document_symbols.h"

#include <k42gui/DeviceVocabulary.h>

namespace lsp {
namespace {

// The protocol's SymbolKind for what a declaration declares.
int SymbolKindOf(const std::string& kind) {
  constexpr int kModule = 2, kNamespace = 3, kClass = 5, kMethod = 6, kFunction = 12, kVariable = 13, kString = 15,
                kConstant = 14, kField = 8, kFile = 1, kEvent = 24;
  if (kind == "module") return kModule;
  if (kind == "menu") return kNamespace;
  if (kind == "display") return kClass;
  if (kind == "method") return kMethod;
  if (kind == "function") return kFunction;
  if (kind == "variable") return kVariable;
  if (kind == "metavariable") return kConstant;
  if (kind == "label") return kString;
  if (kind == "image") return kFile;
  if (kind == "header place") return kField;
  return kEvent;  // a menu-bar entry
}

// Where each element ends for the outline: where the next element that is not inside it starts (its end tag
// and the blanks after it included), else the end of the text.
std::vector<size_t> Extents(const Outline& outline, size_t textSize) {
  std::vector<size_t> ends(outline.elements.size(), textSize);
  std::vector<int> open;  // the elements whose end is not known yet, innermost last
  for (size_t i = 0; i < outline.elements.size(); ++i) {
    const int parent = outline.elements[i].parent;
    while (!open.empty() && open.back() != parent) {
      ends[static_cast<size_t>(open.back())] = outline.elements[i].begin;
      open.pop_back();
    }
    open.push_back(static_cast<int>(i));
  }
  return ends;
}

// One symbol per element the vocabulary says declares an identifier, nested in the nearest declaring
// element around it (menus and displays in their module).
std::vector<DocumentSymbol> GuiXmlSymbols(const DeviceView& device) {
  const Outline& outline = device.gui;
  const std::vector<size_t> ends = Extents(outline, device.guiText.size());
  std::vector<DocumentSymbol> roots;
  // For each element, where its symbol lies: a path of child indexes from roots; empty when it has none.
  std::vector<std::vector<size_t>> placed(outline.elements.size());
  for (size_t i = 0; i < outline.elements.size(); ++i) {
    const OutlineElement& element = outline.elements[i];
    const std::string_view name = LocalName(element.name);
    for (const auto& declaration : k42gui::GuiXmlVocabulary().declarations) {
      if (name != declaration.element) continue;
      const OutlineAttribute* id = element.Attribute(declaration.attribute);
      if (id == nullptr) continue;
      DocumentSymbol symbol{id->value.empty() ? "(no identifier)" : id->value,
                            declaration.kind,
                            SymbolKindOf(declaration.kind),
                            element.begin,
                            ends[i],
                            id->valueBegin,
                            id->valueEnd,
                            {}};
      int around = element.parent;
      while (around >= 0 && placed[static_cast<size_t>(around)].empty())
        around = outline.elements[static_cast<size_t>(around)].parent;
      std::vector<DocumentSymbol>* siblings = &roots;
      std::vector<size_t> path;
      if (around >= 0) {
        path = placed[static_cast<size_t>(around)];
        for (const size_t step : path) siblings = &(*siblings)[step].children;
      }
      path.push_back(siblings->size());
      siblings->push_back(std::move(symbol));
      placed[i] = std::move(path);
      break;
    }
  }
  return roots;
}

// Language blocks, their scopes, and the identifiers each scope gives texts.
std::vector<DocumentSymbol> LocalizedSymbols(const DeviceView& device) {
  const auto& layout = k42gui::LocalizedFileLayout();
  const Outline& outline = device.loc;
  const std::vector<size_t> ends = Extents(outline, device.locText.size());
  constexpr int kPackage = 4, kNamespace = 3, kString = 15;
  std::vector<DocumentSymbol> blocks;
  for (size_t i = 0; i < outline.elements.size(); ++i) {
    const OutlineElement& element = outline.elements[i];
    const std::string_view name = LocalName(element.name);
    const bool block = name == layout.language, scope = name == layout.scope, text = name == layout.text;
    if (!block && !scope && !text) continue;
    const OutlineAttribute* id = element.Attribute(block   ? layout.languageId
                                                   : scope ? layout.scopeId
                                                           : layout.textName);
    DocumentSymbol symbol{id == nullptr || id->value.empty() ? "(no identifier)" : id->value,
                          block   ? "language"
                          : scope ? "scope"
                                  : "texts",
                          block   ? kPackage
                          : scope ? kNamespace
                                  : kString,
                          element.begin,
                          ends[i],
                          id != nullptr ? id->valueBegin : element.begin,
                          id != nullptr ? id->valueEnd : element.begin,
                          {}};
    // Each element under the last one of the level above that contains it: scopes in blocks, texts in scopes.
    std::vector<DocumentSymbol>* level = &blocks;
    for (int depth = block ? 0 : scope ? 1 : 2; depth > 0; --depth) {
      if (level->empty() || level->back().end <= element.begin) {
        level = nullptr;
        break;
      }
      level = &level->back().children;
    }
    if (level != nullptr) level->push_back(std::move(symbol));
  }
  return blocks;
}

}  // namespace

std::vector<DocumentSymbol> DocumentSymbols(const DeviceView& device, Side side) {
  return side == Side::kGuiXml ? GuiXmlSymbols(device) : LocalizedSymbols(device);
}

}  // namespace lsp
