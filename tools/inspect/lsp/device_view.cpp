// Reading meaning off a place in a device file: references, declarations and keywords of the vocabulary, the
// localized file's scopes and names, and the texts each language gives a declaration.
#include "inspect/lsp/device_view.h"

#include <set>

namespace lsp {
namespace {

using k42gui::DeviceVocabulary;
using k42gui::LocalizedFileLayout;

bool Is(const OutlineElement& element, const std::string& name) { return LocalName(element.name) == name; }

// The attribute of element whose value contains offset.
const OutlineAttribute* AttributeAt(const OutlineElement& element, size_t offset) {
  for (const OutlineAttribute& attribute : element.attributes) {
    if (attribute.valueBegin != 0 && attribute.valueBegin <= offset && offset <= attribute.valueEnd) return &attribute;
  }
  return nullptr;
}

const k42gui::VocabularyDeclaration* DeclarationFor(const std::string& element, const std::string& attribute) {
  for (const auto& declaration : k42gui::GuiXmlVocabulary().declarations) {
    if (declaration.element == element && declaration.attribute == attribute) return &declaration;
  }
  return nullptr;
}

// The module element of the GUI XML file whose identifier is id, or -1.
int ModuleNamed(const DeviceView& device, const std::string& id) {
  const auto& layout = LocalizedFileLayout();
  for (size_t i = 0; i < device.gui.elements.size(); ++i) {
    const OutlineElement& element = device.gui.elements[i];
    const OutlineAttribute* moduleId = element.Attribute(layout.moduleId);
    if (Is(element, layout.moduleElement) && moduleId != nullptr && moduleId->value == id) return static_cast<int>(i);
  }
  return -1;
}

std::string AttributeValue(const OutlineElement& element, const std::string& name) {
  const OutlineAttribute* attribute = element.Attribute(name);
  return attribute == nullptr ? std::string() : attribute->value;
}

// Meaning from the vocabulary of either file: a reference, a declaration or a keyword attribute.
std::optional<Symbol> FromVocabulary(const DeviceView& device, Side side, const DeviceVocabulary& vocabulary, int index,
                                     const OutlineElement& element, const OutlineAttribute& attribute) {
  const std::string name(LocalName(element.name));
  Symbol symbol;
  symbol.identifier = attribute.value;
  symbol.valueBegin = attribute.valueBegin;
  symbol.valueEnd = attribute.valueEnd;
  for (const auto& reference : vocabulary.references) {
    if (reference.element != name || reference.attribute != attribute.name) continue;
    if (!reference.condition.empty() && AttributeValue(element, reference.condition) != reference.conditionKeyword)
      continue;
    symbol.what = reference.target;
    symbol.declaredBy = reference.declaredBy;
    symbol.isFile = reference.isFile;
    symbol.sameModule = reference.sameModule;
    if (side == Side::kGuiXml) symbol.module = device.gui.Enclosing(index, LocalizedFileLayout().moduleElement);
    return symbol;
  }
  for (const auto& declaration : vocabulary.declarations) {
    if (declaration.element != name || declaration.attribute != attribute.name) continue;
    symbol.what = declaration.kind;
    symbol.declaredBy = {{declaration.element, declaration.attribute}};
    symbol.isDeclaration = true;
    symbol.sameModule = declaration.moduleLocal;
    symbol.module = device.gui.Enclosing(index, LocalizedFileLayout().moduleElement);
    return symbol;
  }
  for (const auto& keywords : vocabulary.keywordAttributes) {
    if (keywords.element != name || keywords.attribute != attribute.name) continue;
    symbol.what = "keyword";
    symbol.keywords = keywords.keywords;
    return symbol;
  }
  return std::nullopt;
}

// Meaning of the localized file's own addressing: a scope's identifier and a text's name.
std::optional<Symbol> FromLayout(const DeviceView& device, int index, const OutlineElement& element,
                                 const OutlineAttribute& attribute) {
  const auto& layout = LocalizedFileLayout();
  Symbol symbol;
  symbol.identifier = attribute.value;
  symbol.valueBegin = attribute.valueBegin;
  symbol.valueEnd = attribute.valueEnd;
  if (Is(element, layout.scope) && attribute.name == layout.scopeId) {
    symbol.what = "module";
    symbol.declaredBy = {{layout.moduleElement, layout.moduleId}};
    symbol.keywords = {layout.globalScope, layout.builtinScope};
    return symbol;
  }
  if (!Is(element, layout.text) || attribute.name != layout.textName) return std::nullopt;
  const int scope = device.loc.Enclosing(index, layout.scope);
  if (scope < 0 || device.loc.Enclosing(index, layout.language) < 0) return std::nullopt;
  const std::string scopeId = AttributeValue(device.loc.elements[static_cast<size_t>(scope)], layout.scopeId);
  if (scopeId == layout.builtinScope) {
    symbol.what = "built-in text";  // the component's own: nothing in the device declares it
    return symbol;
  }
  const bool global = scopeId == layout.globalScope;
  symbol.what = global ? "element" : "menu or display";
  for (const auto& declaration : k42gui::GuiXmlVocabulary().declarations) {
    if (declaration.hasTexts && declaration.moduleLocal != global)
      symbol.declaredBy.push_back({declaration.element, declaration.attribute});
  }
  symbol.sameModule = !global;
  symbol.module = global ? -1 : ModuleNamed(device, scopeId);
  return symbol;
}

}  // namespace

std::optional<Symbol> SymbolAt(const DeviceView& device, Side side, size_t offset) {
  const Outline& outline = device.OutlineOf(side);
  const DeviceVocabulary& vocabulary =
      side == Side::kGuiXml ? k42gui::GuiXmlVocabulary() : k42gui::LocalizedFileVocabulary();
  const int tag = outline.TagAt(offset);
  if (tag >= 0) {
    const OutlineElement& element = outline.elements[static_cast<size_t>(tag)];
    const OutlineAttribute* attribute = AttributeAt(element, offset);
    if (attribute == nullptr) return std::nullopt;
    if (auto symbol = FromVocabulary(device, side, vocabulary, tag, element, *attribute)) return symbol;
    if (side == Side::kLocalized) return FromLayout(device, tag, element, *attribute);
    return std::nullopt;
  }
  // Keywords written as an element's text (a data type).
  const int text = outline.TextAt(offset);
  if (text < 0) return std::nullopt;
  const OutlineElement& element = outline.elements[static_cast<size_t>(text)];
  for (const auto& keywords : vocabulary.keywordAttributes) {
    if (keywords.attribute.empty() && Is(element, keywords.element)) {
      Symbol symbol;
      symbol.what = "keyword";
      symbol.keywords = keywords.keywords;
      symbol.valueBegin = element.textBegin;
      symbol.valueEnd = element.textEnd;
      symbol.identifier = device.Text(side).substr(element.textBegin, element.textEnd - element.textBegin);
      return symbol;
    }
  }
  return std::nullopt;
}

std::vector<Declared> DeclarationsOf(const DeviceView& device, const Symbol& symbol, const std::string& identifier) {
  std::vector<Declared> found;
  if (symbol.sameModule && symbol.module < 0) return found;
  const std::string& moduleElement = LocalizedFileLayout().moduleElement;
  for (size_t i = 0; i < device.gui.elements.size(); ++i) {
    const OutlineElement& element = device.gui.elements[i];
    for (const auto& declarer : symbol.declaredBy) {
      if (!Is(element, declarer.element)) continue;
      const OutlineAttribute* attribute = element.Attribute(declarer.attribute);
      if (attribute == nullptr || (!identifier.empty() && attribute->value != identifier)) continue;
      if (symbol.sameModule && device.gui.Enclosing(static_cast<int>(i), moduleElement) != symbol.module) continue;
      const auto* declaration = DeclarationFor(declarer.element, declarer.attribute);
      found.push_back({static_cast<int>(i), attribute->value, declaration != nullptr ? declaration->kind : symbol.what,
                       attribute->valueBegin, attribute->valueEnd});
      break;
    }
  }
  return found;
}

std::vector<LanguageTexts> TextsOf(const DeviceView& device, const Declared& declared) {
  const auto& layout = LocalizedFileLayout();
  const OutlineElement& element = device.gui.elements[static_cast<size_t>(declared.element)];
  std::string scope = layout.globalScope;
  for (const auto& declaration : k42gui::GuiXmlVocabulary().declarations) {
    if (!Is(element, declaration.element) || element.Attribute(declaration.attribute) == nullptr) continue;
    if (declaration.moduleLocal) {
      const int module = device.gui.Enclosing(declared.element, layout.moduleElement);
      scope = module < 0 ? std::string()
                         : AttributeValue(device.gui.elements[static_cast<size_t>(module)], layout.moduleId);
    }
    break;
  }
  std::vector<LanguageTexts> languages;
  std::set<std::string> seen;
  for (const OutlineElement& block : device.loc.elements) {
    if (!Is(block, layout.language)) continue;
    const std::string id = AttributeValue(block, layout.languageId);
    if (!seen.insert(id).second) continue;
    languages.emplace_back();
    languages.back().language = id;
  }
  // Every text of the declaration, in document order: a later one replaces an earlier one of its language.
  for (size_t i = 0; i < device.loc.elements.size(); ++i) {
    const OutlineElement& text = device.loc.elements[i];
    if (!Is(text, layout.text) || AttributeValue(text, layout.textName) != declared.identifier) continue;
    const int scopeIndex = device.loc.Enclosing(static_cast<int>(i), layout.scope);
    const int languageIndex = device.loc.Enclosing(static_cast<int>(i), layout.language);
    if (scopeIndex < 0 || languageIndex < 0) continue;
    if (AttributeValue(device.loc.elements[static_cast<size_t>(scopeIndex)], layout.scopeId) != scope) continue;
    const std::string language =
        AttributeValue(device.loc.elements[static_cast<size_t>(languageIndex)], layout.languageId);
    LanguageTexts* texts = nullptr;
    for (LanguageTexts& candidate : languages) {
      if (candidate.language == language) texts = &candidate;
    }
    if (texts == nullptr) continue;
    texts->found = true;
    for (size_t j = i + 1; j < device.loc.elements.size(); ++j) {
      const OutlineElement& child = device.loc.elements[j];
      if (child.parent < static_cast<int>(i)) break;  // past the text's element
      if (child.parent != static_cast<int>(i)) continue;
      const std::string key = AttributeValue(child, layout.variantKey);
      if (Is(child, layout.label) && key.empty()) texts->label = child.text;
      if (Is(child, layout.label) && !key.empty()) {
        bool replaced = false;
        for (auto& variant : texts->variants) {
          if (variant.first == key) variant.second = child.text, replaced = true;
        }
        if (!replaced) texts->variants.emplace_back(key, child.text);
      }
      if (Is(child, layout.tooltip) && key.empty()) texts->tooltip = child.text;
      if (Is(child, layout.helpTopic)) texts->helpTopic = child.text;
    }
  }
  return languages;
}

}  // namespace lsp
