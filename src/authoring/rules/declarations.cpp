// The checker's rules over the loaded device's declarations: "shadowed-id", "unknown-function" and
// "unknown-language".
#include <algorithm>
#include <map>
#include <tuple>

#include "authoring/CheckContext.h"
#include "platform/text.h"
#include "platform/utf.h"

namespace k42::check {
namespace {

using k42gui::Severity;

// The kind of a record the model keeps, for declarations that meet in one dictionary.
Kind KindOf(const CDDBase* record) {
  if (dynamic_cast<const CDDMetaVariable*>(record) != nullptr) return Kind::kMetaVariable;
  if (dynamic_cast<const CDDVariable*>(record) != nullptr) return Kind::kVariable;
  if (dynamic_cast<const CDDMethod*>(record) != nullptr) return Kind::kMethod;
  if (dynamic_cast<const CDDImage*>(record) != nullptr) return Kind::kImage;
  if (dynamic_cast<const CDDModule*>(record) != nullptr) return Kind::kModule;
  if (dynamic_cast<const CDDMenubarItem*>(record) != nullptr) return Kind::kMenubarItem;
  if (dynamic_cast<const CDDMenuItem*>(record) != nullptr) return Kind::kMenu;
  if (dynamic_cast<const CDDPardis*>(record) != nullptr) return Kind::kDisplay;
  return Kind::kLabel;
}

void CheckShadowed(Context& context) {
  // As the model keys them: a function by the number its ID starts with, a header place by the use of its
  // area; a place the model did not read (its area has no USE) is no declaration.
  std::vector<Declared> declared;
  for (Declared d : context.declared) {
    if (d.kind == Kind::kFunction) {
      d.key = FromNarrow(std::to_string(LeadingInteger(d.id->value)));
    } else if (d.kind == Kind::kHeaderPlace) {
      const int area = context.gui.Enclosing(d.element, kHeaderAreaElement);
      const ScannedAttribute* use = area >= 0 ? context.gui.elements[area].Attribute(kHeaderUseAttribute) : nullptr;
      d.scope = use != nullptr ? use->value : std::u16string();
      const auto& records = context.model.HeaderRecords();
      const bool read = use != nullptr && std::any_of(records.begin(), records.end(), [&](const auto& record) {
                          return record && record->m_use == d.scope && record->m_mapping == d.key;
                        });
      if (!read) continue;
    }
    declared.push_back(std::move(d));
  }
  std::map<std::tuple<Kind, std::u16string, std::u16string>, const ScannedAttribute*> first;
  std::map<std::pair<Kind, std::u16string>, const ScannedAttribute*> firstOfKind;
  for (const Declared& d : declared) {
    firstOfKind.emplace(std::make_pair(d.kind, d.key), d.id);
    // Two declarations of one module are read into the same module: nothing is lost.
    const auto [earlier, isFirst] = first.emplace(std::make_tuple(d.kind, d.scope, d.key), d.id);
    if (!isFirst && d.kind != Kind::kModule) {
      context.Add("shadowed-id", Severity::kWarning, context.request.guiXmlPath, d.id->valuePosition,
                  Narrow(KindName(d.kind)) + " " + Quoted(d.id->value) +
                      " is declared again; the first declaration, at line " +
                      std::to_string(earlier->second->position.line) + ", is the one used");
    }
  }
  // Declarations of different kinds meet in one dictionary, where the one entered first answers.
  for (const Declared& d : declared) {
    if (first.at(std::make_tuple(d.kind, d.scope, d.key)) != d.id) continue;
    const CDDBase* winner = nullptr;
    if (IsModuleLocal(d.kind)) {
      const CDDModule* module = context.model.FindModule(d.scope);
      winner = module != nullptr ? module->FindChild(d.id->value) : nullptr;
    } else if (InElementDictionary(d.kind)) {
      winner = context.model.ElementDictionary().FindChild(d.id->value);
    }
    if (winner == nullptr) continue;
    const Kind winnerKind = KindOf(winner);
    if (winnerKind == d.kind) continue;
    std::string at;
    const auto other = firstOfKind.find(std::make_pair(winnerKind, d.id->value));
    if (other != firstOfKind.end()) at = " (line " + std::to_string(other->second->position.line) + ")";
    context.Add("shadowed-id", Severity::kWarning, context.request.guiXmlPath, d.id->valuePosition,
                Narrow(KindName(d.kind)) + " " + Quoted(d.id->value) + " is hidden by the " +
                    Narrow(KindName(winnerKind)) + " of the same identifier" + at +
                    ", which the look-ups and the localized texts reach first");
  }
}

void CheckFunction(Context& context) {
  if (context.model.FunctionFound()) return;
  // The identifiers the file writes, for the message; which of them the load selects is the model's answer.
  Position at = Context::RootPosition(context.gui);
  std::string list;
  for (const ScannedElement& element : context.gui.elements) {
    if (element.name != kFunctionElement) continue;
    const ScannedAttribute* id = element.Attribute(kFunctionIdAttribute);
    if (id != nullptr) list += (list.empty() ? "" : ", ") + Narrow(id->value);
  }
  for (const ScannedElement& element : context.gui.elements) {
    if (element.name == kFunctionElement) {
      at = element.position;
      break;
    }
  }
  context.Add("unknown-function", Severity::kError, context.request.guiXmlPath, at,
              "function " + std::to_string(context.request.functionId) + " is not declared by a FUNCTION_ID" +
                  (list.empty() ? std::string(", so no module is shown") : " (declared: " + list + ")"));
}

void CheckLanguages(Context& context) {
  const std::u16string requested = utf::ToUtf16(context.request.language);
  std::vector<std::u16string_view> declared;
  for (const auto& language : context.model.Languages()) {
    if (language) declared.push_back(language->GetCode());
  }
  Position at = Context::RootPosition(context.gui);
  for (const ScannedElement& element : context.gui.elements) {
    if (element.name == kLanguagesElement) at = element.position;
  }
  if (std::find(declared.begin(), declared.end(), requested) == declared.end()) {
    context.Add("unknown-language", Severity::kError, context.request.guiXmlPath, at,
                "language " + Quoted(requested) + " is not declared in LANGUAGE_SUPPORT (declared: " +
                    (declared.empty() ? std::string("none") : Joined(declared)) + ")");
  }
  if (!context.loc.opened) return;
  const auto texts = context.LocLanguages();
  auto hasTexts = [&](std::u16string_view code) {
    return std::any_of(texts.begin(), texts.end(), [&](const auto& entry) { return entry.first == code; });
  };
  if (!hasTexts(requested)) {
    context.Add("unknown-language", Severity::kError, context.request.localizedPath, Context::RootPosition(context.loc),
                "the localized file has no texts for language " + Quoted(requested) +
                    "; the component shows those of the default block instead");
  }
  for (const ScannedElement& element : context.gui.elements) {
    if (element.name != kLanguageElement) continue;
    const ScannedAttribute* code = element.Attribute(kLanguageCodeAttribute);
    if (code == nullptr || hasTexts(code->value)) continue;
    context.Add("unknown-language", Severity::kWarning, context.request.guiXmlPath, code->valuePosition,
                "declared language " + Quoted(code->value) + " has no texts in the localized file");
  }
}

}  // namespace

void CheckDeclarations(Context& context) {
  CheckShadowed(context);
  CheckFunction(context);
  CheckLanguages(context);
}

}  // namespace k42::check
