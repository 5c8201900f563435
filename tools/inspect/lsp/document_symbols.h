// The outline an editor shows beside a device file: what the GUI XML file declares (menus and displays
// inside their module), and the localized file's language blocks, scopes and the identifiers they give texts.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "inspect/lsp/device_view.h"

namespace lsp {

struct DocumentSymbol {
  std::string name;           // the identifier (or a block's language, a scope's name)
  std::string detail;         // the kind, in the checker's words ("variable", "display", "language", "scope", ...)
  int kind = 0;               // the protocol's SymbolKind
  size_t begin = 0, end = 0;  // the element, from its "<" to where the next element that is not inside starts
  size_t nameBegin = 0, nameEnd = 0;  // the value that names it
  std::vector<DocumentSymbol> children;
};

std::vector<DocumentSymbol> DocumentSymbols(const DeviceView& device, Side side);

}  // namespace lsp
