// The checker's rules over the localized file's texts: "missing-text", "unused-text" and
// "missing-builtin-text"; the choices of variables are matched by the loaded model's own look-up.
#include <algorithm>
#include <map>
#include <set>

#include "authoring/CheckContext.h"

namespace k42::check {
namespace {

using k42gui::Severity;

bool Shown(Kind kind) {
  return kind == Kind::kLabel || kind == Kind::kModule || kind == Kind::kMenu || kind == Kind::kDisplay ||
         kind == Kind::kMenubarItem;
}

// What the host shows with a text of its own, each at its first mention: declarations that exist to be
// shown (labels, modules, menus, displays, menu-bar entries) and whatever the trees, displays and header show.
std::vector<std::pair<std::u16string, Position>> ShownIdentifiers(const ScannedFile& gui) {
  std::vector<std::pair<std::u16string, Position>> shown;
  std::set<std::u16string> seen;
  auto add = [&](const ScannedAttribute& attribute) {
    if (!attribute.value.empty() && seen.insert(attribute.value).second)
      shown.emplace_back(attribute.value, attribute.valuePosition);
  };
  for (const ScannedElement& element : gui.elements) {
    for (const Declaration& declaration : GuiXmlDeclarations()) {
      if (element.name != declaration.element || !Shown(declaration.kind)) continue;
      if (const ScannedAttribute* id = element.Attribute(declaration.idAttribute)) add(*id);
    }
    for (const Reference& reference : GuiXmlReferences()) {
      if (!reference.labelled || element.name != reference.element) continue;
      if (const ScannedAttribute* id = element.Attribute(reference.attribute)) add(*id);
    }
  }
  return shown;
}

// One text of the localized file: its identifier, scope and language block.
struct LocText {
  const ScannedAttribute* name;
  const ScannedAttribute* scope;
  const ScannedAttribute* language;
  int index;  // of the "ID" element
};

std::vector<LocText> LocTexts(const ScannedFile& loc) {
  std::vector<LocText> texts;
  for (size_t i = 0; i < loc.elements.size(); ++i) {
    const ScannedElement& element = loc.elements[i];
    if (element.name != kLocText || element.parent < 0) continue;
    const int scopeIndex = loc.Enclosing(static_cast<int>(i), kLocScope);
    const int languageIndex = loc.Enclosing(static_cast<int>(i), kLocLanguage);
    const ScannedAttribute* name = element.Attribute(kLocTextName);
    if (scopeIndex < 0 || languageIndex < 0 || name == nullptr) continue;
    const ScannedAttribute* scope = loc.elements[scopeIndex].Attribute(kLocScopeId);
    const ScannedAttribute* language = loc.elements[languageIndex].Attribute(kLocLanguageId);
    if (scope == nullptr || language == nullptr) continue;
    texts.push_back({name, scope, language, static_cast<int>(i)});
  }
  return texts;
}

void CheckElementTexts(Context& context, const std::vector<LocText>& texts) {
  std::map<std::u16string, std::set<std::u16string>> given;  // the identifiers with a text, per language
  std::set<std::u16string> declaredModules;
  std::set<std::u16string> declaredAnywhere;
  std::set<std::pair<std::u16string, std::u16string>> declaredInModule;
  for (const Declared& d : context.declared) {
    if (IsModuleLocal(d.kind) || InElementDictionary(d.kind)) declaredAnywhere.insert(d.id->value);
    if (d.kind == Kind::kModule) declaredModules.insert(d.id->value);
    if (IsModuleLocal(d.kind)) declaredInModule.emplace(d.scope, d.id->value);
  }
  for (const LocText& text : texts) {
    const std::u16string& scope = text.scope->value;
    const std::u16string& name = text.name->value;
    if (scope == kLocBuiltinScope) continue;
    given[text.language->value].insert(name);
    // A global text lands on any element of that identifier, a module's text only on its menus and
    // displays; both are judged against every module, also those the selected function leaves out.
    const bool used =
        scope == kLocGlobalScope ? declaredAnywhere.count(name) != 0 : declaredInModule.count({scope, name}) != 0;
    if (!used && (scope == kLocGlobalScope || declaredModules.count(scope) != 0)) {
      context.Add("unused-text", Severity::kWarning, context.request.localizedPath, text.name->valuePosition,
                  "text for " + Quoted(name) + " in scope " + Quoted(scope) + " belongs to nothing declared");
    }
  }
  std::vector<std::u16string> languages;
  for (const auto& [code, position] : context.LocLanguages()) {
    if (std::find(languages.begin(), languages.end(), code) == languages.end()) languages.push_back(code);
  }
  for (const auto& [id, at] : ShownIdentifiers(context.gui)) {
    if (declaredAnywhere.count(id) == 0) continue;  // unresolved-ref says what is wrong there
    for (const std::u16string& language : languages) {
      if (given[language].count(id) != 0) continue;
      context.Add("missing-text", Severity::kWarning, context.request.guiXmlPath, at,
                  Quoted(id) + " has no text in language " + Quoted(language) + " of the localized file");
    }
  }
}

// The built-in texts keep the component's English defaults until the localized file gives one, and a text
// that a language's blocks leave out keeps whatever the language before it showed. So a built-in text the
// file gives in one language is needed in every language the device offers; those it never gives keep their
// defaults everywhere and are not reported.
void CheckBuiltinTexts(Context& context, const std::vector<LocText>& texts) {
  std::map<std::u16string, std::set<std::u16string>> languagesOf;  // per built-in identifier
  std::vector<std::u16string> identifiers;                         // in the order of their first text
  for (const LocText& text : texts) {
    if (text.scope->value != kLocBuiltinScope) continue;
    auto& languages = languagesOf[text.name->value];
    if (languages.empty()) identifiers.push_back(text.name->value);
    languages.insert(text.language->value);
  }
  if (identifiers.empty()) return;
  std::vector<std::pair<std::u16string, Position>> offered;  // declared by the device, with their text blocks
  const auto blocks = context.LocLanguages();
  for (const ScannedElement& element : context.gui.elements) {
    if (element.name != kLanguageElement) continue;
    const ScannedAttribute* code = element.Attribute(kLanguageCodeAttribute);
    if (code == nullptr) continue;
    const auto block =
        std::find_if(blocks.begin(), blocks.end(), [&](const auto& b) { return b.first == code->value; });
    if (block != blocks.end()) offered.emplace_back(code->value, block->second);  // else unknown-language reports it
  }
  for (const auto& [language, at] : offered) {
    for (const std::u16string& id : identifiers) {
      const auto& languages = languagesOf[id];
      if (languages.count(language) != 0) continue;
      context.Add("missing-builtin-text", Severity::kWarning, context.request.localizedPath, at,
                  "built-in text " + Quoted(id) + " has no text in language " + Quoted(language) + " (given for " +
                      Quoted(*languages.begin()) + "); in " + Quoted(language) +
                      " the host shows another language's text there");
    }
  }
}

}  // namespace

void CheckTexts(Context& context) {
  if (!context.loc.opened) return;
  const std::vector<LocText> texts = LocTexts(context.loc);
  CheckElementTexts(context, texts);
  CheckBuiltinTexts(context, texts);
}

// The choices of the variables: each needs a text in every language, and each choice text of the localized
// file must land on a choice. Where a text lands, and which choice an ENUM_ITEM became, is the model's own
// look-up (by value, or by value and DD string).
void CheckChoiceTexts(Context& context) {
  const ScannedFile& loc = context.loc;
  const CDDModel& model = context.model;
  auto itemOf = [](const CDDVariable& variable, const std::u16string& value, const ScannedAttribute* ddString) {
    return ddString == nullptr || ddString->value.empty() ? variable.FindChild(value)
                                                          : variable.FindChildByDdString(value, ddString->value);
  };
  std::map<std::u16string, std::set<const CDDBase*>> labelled;  // per language
  for (size_t i = 0; i < loc.elements.size(); ++i) {
    const ScannedElement& element = loc.elements[i];
    if (element.name != kLocEnum || element.parent < 0) continue;
    const ScannedElement& owner = loc.elements[element.parent];
    const int languageIndex = loc.Enclosing(static_cast<int>(i), kLocLanguage);
    const int scopeIndex = loc.Enclosing(static_cast<int>(i), kLocScope);
    const ScannedAttribute* name = owner.Attribute(kLocTextName);
    const ScannedAttribute* value = element.Attribute(kLocEnumId);
    if (owner.name != kLocText || name == nullptr || value == nullptr || languageIndex < 0 || scopeIndex < 0) continue;
    const ScannedAttribute* scope = loc.elements[scopeIndex].Attribute(kLocScopeId);
    const ScannedAttribute* language = loc.elements[languageIndex].Attribute(kLocLanguageId);
    if (scope == nullptr || scope->value != kLocGlobalScope || language == nullptr) continue;
    const auto* variable = dynamic_cast<const CDDVariable*>(model.ElementDictionary().FindChild(name->value));
    if (variable == nullptr) continue;  // unused-text or unresolved texts are reported for the identifier
    if (const CDDBase* item = itemOf(*variable, value->value, element.Attribute(kLocEnumDdString))) {
      labelled[language->value].insert(item);
    } else {
      context.Add(
          "unused-text", Severity::kWarning, context.request.localizedPath, value->valuePosition,
          "choice " + Quoted(value->value) + " of " + Quoted(name->value) + " is not a choice of that variable");
    }
  }
  const auto languages = context.LocLanguages();
  std::set<const CDDBase*> reported;
  for (const ScannedElement& element : context.gui.elements) {
    if (element.name != kEnumItemElement || element.parent < 0) continue;
    const ScannedElement& owner = context.gui.elements[element.parent];
    const auto declaration =
        std::find_if(GuiXmlDeclarations().begin(), GuiXmlDeclarations().end(),
                     [&](const Declaration& d) { return d.kind == Kind::kVariable && d.element == owner.name; });
    if (declaration == GuiXmlDeclarations().end()) continue;
    const ScannedAttribute* id = owner.Attribute(declaration->idAttribute);
    const ScannedAttribute* value = element.Attribute(kEnumItemValue);
    if (id == nullptr || value == nullptr) continue;
    const auto* variable = dynamic_cast<const CDDVariable*>(model.FindParameter(id->value, PAR_VARIABLE));
    if (variable == nullptr) continue;
    const ScannedAttribute* ddString = element.Attribute(kEnumItemDdString);
    const CDDBase* item = itemOf(*variable, value->value, ddString);
    // A choice the model did not make an item of (a later declaration of the variable) shows nothing.
    if (item == nullptr || !reported.insert(item).second) continue;
    for (const auto& [code, position] : languages) {
      if (labelled[code].count(item) != 0) continue;
      context.Add("missing-text", Severity::kWarning, context.request.guiXmlPath, value->valuePosition,
                  "choice " + Quoted(value->value) + (ddString != nullptr ? " (" + Narrow(ddString->value) + ")" : "") +
                      " of " + Quoted(id->value) + " has no text in language " + Quoted(code) +
                      " of the localized file");
    }
  }
}

}  // namespace k42::check
