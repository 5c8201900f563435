// The checker's rule "unresolved-ref": every reference names something the device declares. With the device
// loaded the model's own look-ups answer; without it, the declarations of the file (of any function).
#include <algorithm>
#include <optional>

#include "authoring/CheckContext.h"
#include "authoring/NearMiss.h"

namespace k42::check {
namespace {

using k42gui::Severity;

int32_t ParTypeOf(Target target) {
  switch (target) {
    case Target::kVariable:
      return PAR_VARIABLE;
    case Target::kMethod:
      return PAR_METHODE;
    case Target::kImage:
      return PAR_IMAGE;
    case Target::kModule:
      return PAR_MODULE;
    default:
      return PAR_UNKNOWN;
  }
}

// The word for target; a header parameter is named by the list its ORIGIN keyword chose.
std::string TargetName(Target target, int32_t parType) {
  if (target == Target::kHeaderParameter)
    return parType == PAR_META ? "metavariable" : parType == PAR_METHODE ? "method" : "variable";
  return std::string(TargetWord(target));
}

// The kinds a reference to target may find; for a header parameter, the one list its ORIGIN keyword chose.
bool MayFind(Target target, int32_t parType, Kind kind) {
  if (target == Target::kHeaderParameter)
    return kind == (parType == PAR_META      ? Kind::kMetaVariable
                    : parType == PAR_METHODE ? Kind::kMethod
                                             : Kind::kVariable);
  return TargetFinds(target, kind);
}

bool ConditionHolds(const ScannedElement& element, const Reference& reference) {
  if (reference.condition.empty()) return true;
  const ScannedAttribute* condition = element.Attribute(reference.condition);
  return condition != nullptr && condition->value == reference.conditionKeyword;
}

class ReferenceCheck {
 public:
  explicit ReferenceCheck(Context& context) : m_context(context), m_model(context.model) {}

  void Run() {
    const ScannedFile& gui = m_context.gui;
    for (size_t i = 0; i < gui.elements.size(); ++i) {
      const ScannedElement& element = gui.elements[i];
      if (element.name == kHeaderAreaElement) {
        if (const ScannedAttribute* use = element.Attribute(kHeaderUseAttribute)) m_uses.push_back(use->value);
      } else if (element.name == kLanguageElement) {
        if (const ScannedAttribute* code = element.Attribute(kLanguageCodeAttribute))
          m_languages.push_back(code->value);
      }
    }
    for (size_t i = 0; i < gui.elements.size(); ++i) {
      const ScannedElement& element = gui.elements[i];
      for (const Reference& reference : GuiXmlReferences()) {
        if (reference.target == Target::kFile || element.name != reference.element) continue;
        const ScannedAttribute* attribute = element.Attribute(reference.attribute);
        if (attribute == nullptr || attribute->value.empty() || !ConditionHolds(element, reference)) continue;
        Check(static_cast<int>(i), reference.target, *attribute);
      }
    }
  }

 private:
  // The declared identifiers a reference to target may mean, in document order (scope: the module of a
  // menu or display reference).
  std::vector<std::u16string> Candidates(Target target, int32_t parType, const std::u16string& scope) const {
    if (target == Target::kHeaderUse) return m_uses;
    if (target == Target::kLanguage) return m_languages;
    const bool scoped = target == Target::kDisplay || target == Target::kMenu;
    std::vector<std::u16string> ids;
    for (const Declared& declared : m_context.declared) {
      if (!MayFind(target, parType, declared.kind)) continue;
      if (scoped && declared.scope != scope) continue;
      ids.push_back(declared.id->value);
    }
    return ids;
  }

  // Whether the loaded model finds id as target; nullopt where the model has nothing to say.
  std::optional<bool> FoundByModel(int index, Target target, int32_t parType, const ScannedAttribute& attribute,
                                   std::string& where, std::u16string& scope) {
    const std::u16string& id = attribute.value;
    switch (target) {
      case Target::kVariable:
      case Target::kMethod:
      case Target::kImage:
      case Target::kHeaderParameter:
        return m_model.FindParameter(id, parType) != nullptr;
      case Target::kModule:
        if (m_model.FindModule(id) != nullptr) return true;
        if (m_context.IsDeclared(Kind::kModule, id)) {
          if (!m_model.FunctionFound()) return true;  // unknown-function says why no module is there
          m_context.Add("unresolved-ref", Severity::kError, m_context.request.guiXmlPath, attribute.valuePosition,
                        "module " + Quoted(id) + " is declared but not among the modules of function " +
                            std::to_string(m_context.request.functionId) + " (" + Narrow(attribute.name) + ")");
          return true;
        }
        return false;
      case Target::kModuleDeclaration:
        return m_context.IsDeclared(Kind::kModule, id);
      case Target::kElement:
        return m_model.ElementDictionary().FindChild(id) != nullptr;
      case Target::kDisplay:
      case Target::kMenu: {
        const std::u16string module = m_context.EnclosingModule(index);
        const CDDModule* loaded = m_model.FindModule(module);
        if (loaded == nullptr) return true;  // a module the selected function leaves out is not loaded
        where = " in module " + Quoted(module);
        scope = module;
        return target == Target::kDisplay ? m_model.FindDisplayOfModules(module, id) != nullptr
                                          : loaded->FindMenuIndex(id) >= 0;
      }
      case Target::kAnyMenu: {
        bool found = false;
        for (const auto& module : m_model.Modules()) found = found || (module && module->FindMenuIndex(id) >= 0);
        // A menu of a module the selected function leaves out cannot be looked up, but it is there.
        return found || m_context.IsDeclared(Kind::kMenu, id);
      }
      case Target::kMenubarItem:
        return dynamic_cast<const CDDMenubarItem*>(m_model.ElementDictionary().FindChild(id)) != nullptr;
      case Target::kHeaderUse: {
        bool found = false;
        for (const auto& record : m_model.HeaderRecords()) found = found || (record && record->m_use == id);
        return found;
      }
      case Target::kLanguage: {
        bool found = false;
        for (const auto& language : m_model.Languages()) found = found || (language && language->GetCode() == id);
        return found;
      }
      case Target::kFile:
        break;
    }
    return std::nullopt;
  }

  void Check(int index, Target target, const ScannedAttribute& attribute) {
    const std::u16string& id = attribute.value;
    int32_t parType = ParTypeOf(target);
    if (target == Target::kHeaderParameter) {
      parType = PAR_VARIABLE;
      if (const ScannedAttribute* origin = m_context.gui.elements[index].Attribute(u"ORIGIN")) {
        KeywordToValue(KeywordTable::kOrigin, origin->value, parType);
      }
    }
    std::string where;
    std::u16string scope;  // the module whose menus or displays are looked in
    bool found = false;
    if (m_context.loaded) {
      const std::optional<bool> answer = FoundByModel(index, target, parType, attribute, where, scope);
      if (!answer) return;
      found = *answer;
    } else {
      if (target == Target::kDisplay || target == Target::kMenu) {
        scope = m_context.EnclosingModule(index);
        where = " in module " + Quoted(scope);
      }
      const std::vector<std::u16string> ids = Candidates(target, parType, scope);
      found = std::find(ids.begin(), ids.end(), id) != ids.end();
    }
    if (found) return;
    const std::u16string meant = NearMiss(id, Candidates(target, parType, scope));
    m_context.Add("unresolved-ref", Severity::kError, m_context.request.guiXmlPath, attribute.valuePosition,
                  TargetName(target, parType) + " " + Quoted(id) + " is not declared" + where + " (" +
                      Narrow(attribute.name) + ")" +
                      (meant.empty() ? std::string() : "; did you mean " + Quoted(meant) + "?"));
  }

  Context& m_context;
  const CDDModel& m_model;
  std::vector<std::u16string> m_uses;       // of the header areas
  std::vector<std::u16string> m_languages;  // declared in LANGUAGE_SUPPORT
};

}  // namespace

void CheckReferences(Context& context) { ReferenceCheck(context).Run(); }

}  // namespace k42::check
