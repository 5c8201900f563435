// The device checker: reads both files with positions, loads the device with the component's own model,
// and runs each rule over what the files say and what the model made of it.
#include <k42gui/DeviceCheck.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <span>
#include <sstream>
#include <tuple>

#include <xercesc/util/PlatformUtils.hpp>

#include <k42gui/DeviceFiles.h>
#include <k42gui/IGuiXmlModel.h>

#include "authoring/NearMiss.h"
#include "authoring/SourceScan.h"
#include "loading/DDModel.h"
#include "model/Vocabulary.h"
#include "platform/text.h"
#include "platform/utf.h"

namespace k42gui {

const std::vector<Rule>& CheckRules() {
  static const std::vector<Rule> rules = {
      {"xml", "both files are well-formed and valid against their schemas"},
      {"schema-missing", "the schema that a file names can be found"},
      {"unresolved-ref", "every reference names something the device declares"},
      {"unknown-keyword", "keyword attributes hold a keyword the component knows"},
      {"shadowed-id", "no declaration is hidden by an earlier one of the same identifier"},
      {"unknown-function", "the function identifier asked for is declared"},
      {"unknown-language", "the language asked for, and every declared one, has texts in the localized file"},
      {"missing-file", "the images, icons, bitmaps, logos and help files the device names exist"},
      {"file-outside-device",
       "the files the device names are regular files inside its directory, small enough to be read"},
      {"missing-text", "everything shown has a text in every language of the localized file"},
      {"unused-text", "every text of the localized file belongs to something the device declares"},
  };
  return rules;
}

}  // namespace k42gui

namespace k42 {
namespace {

using k42gui::Finding;
using k42gui::Severity;

std::string Narrow(std::u16string_view text) { return utf::ToUtf8(text); }

std::string Quoted(std::u16string_view text) { return "'" + Narrow(text) + "'"; }

std::string Joined(const std::vector<std::u16string_view>& words) {
  std::string list;
  for (std::u16string_view word : words) list += (list.empty() ? "" : ", ") + Narrow(word);
  return list;
}

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

std::string TargetName(Target target, int32_t parType) {
  switch (target) {
    case Target::kHeaderParameter:
      return parType == PAR_META ? "metavariable" : parType == PAR_METHODE ? "method" : "variable";
    case Target::kVariable:
      return "variable";
    case Target::kMethod:
      return "method";
    case Target::kImage:
      return "image";
    case Target::kModule:
    case Target::kModuleDeclaration:
      return "module";
    case Target::kElement:
      return "label";
    case Target::kDisplay:
      return "display";
    case Target::kMenu:
    case Target::kAnyMenu:
      return "menu";
    case Target::kMenubarItem:
      return "menu-bar popup";
    case Target::kHeaderUse:
      return "header area";
    case Target::kLanguage:
      return "language";
    case Target::kFile:
      return "file";
  }
  return "element";
}

// Keeps Xerces initialized while a check runs (the library counts its initializations).
struct XercesSession {
  XercesSession() { xercesc::XMLPlatformUtils::Initialize(); }
  ~XercesSession() { xercesc::XMLPlatformUtils::Terminate(); }
  XercesSession(const XercesSession&) = delete;
  XercesSession& operator=(const XercesSession&) = delete;
};

class Checker {
 public:
  explicit Checker(const k42gui::CheckRequest& request) : m_request(request) {
    for (const k42gui::Rule& rule : k42gui::CheckRules()) {
      if (request.rules.empty() ||
          std::find(request.rules.begin(), request.rules.end(), rule.name) != request.rules.end()) {
        m_enabled.insert(rule.name);
      }
    }
    const std::filesystem::path gui(request.guiXmlPath);
    m_directory = gui.parent_path();
  }

  k42gui::CheckResult Run() {
    k42gui::CheckResult result;
    m_gui = ScanElements(m_request.guiXmlPath);
    bool readable = Usable(m_request.guiXmlPath, m_gui, DeviceFile::kGuiXml);
    const bool hasLoc = !m_request.localizedPath.empty();
    if (hasLoc) {
      if (!std::filesystem::exists(m_request.localizedPath)) {
        Add("missing-file", Severity::kError, m_request.localizedPath, {}, "the localized file does not exist");
      } else {
        m_loc = ScanElements(m_request.localizedPath);
        readable = Usable(m_request.localizedPath, m_loc, DeviceFile::kLocalized) && readable;
      }
    }
    if (readable) result.loaded = Load();
    if (result.loaded) {
      m_declared = Declarations();
      for (const Declared& d : m_declared) {
        if (d.kind == Kind::kModule || d.kind == Kind::kMenu) m_declaredIds[d.kind].insert(d.id->value);
      }
      CheckKeywords(m_gui, m_request.guiXmlPath, GuiXmlKeywordAttributes());
      CheckKeywords(m_loc, m_request.localizedPath, LocalizedFileKeywordAttributes());
      CheckReferences();
      CheckFiles(m_gui, m_request.guiXmlPath, GuiXmlReferences());
      CheckFiles(m_loc, m_request.localizedPath, LocalizedFileReferences());
      CheckShadowed();
      CheckFunction();
      CheckLanguages();
      if (m_loc.opened) {
        CheckTexts();
        CheckChoiceTexts();
      }
    }
    std::stable_sort(m_findings.begin(), m_findings.end(), [](const Finding& a, const Finding& b) {
      return std::tie(a.file, a.line, a.column) < std::tie(b.file, b.line, b.column);
    });
    result.findings = std::move(m_findings);
    return result;
  }

 private:
  void Add(const char* rule, Severity severity, const std::string& file, Position at, std::string message) {
    if (m_enabled.count(rule) == 0) return;
    m_findings.push_back({file, at.line, at.column, severity, std::move(message), rule});
  }

  // ---- Reading ---------------------------------------------------------------------------------------

  // Reports what keeps a file from loading; true when the component can read it.
  bool Usable(const std::string& path, const ScannedFile& scan, DeviceFile kind) {
    if (!scan.opened) {
      Add("xml", Severity::kError, path, {}, NotReadMessage(scan));
      return false;
    }
    bool fatal = false;
    for (const ScanProblem& problem : scan.problems) {
      fatal = fatal || problem.fatal;
      AddProblem(path, scan, problem);
    }
    if (fatal || scan.elements.empty()) return false;
    if (!SchemaFound(path, scan.elements.front())) return false;
    bool valid = true;
    for (const ScanProblem& problem : Validate(scan, kind)) {
      valid = false;
      AddProblem(path, scan, problem);
    }
    return valid;
  }

  static std::string NotReadMessage(const ScannedFile& scan) {
    switch (scan.failure) {
      case OpenFailure::kMissing:
        return "the file does not exist";
      case OpenFailure::kNotRegular:
        return "the file is " + scan.reason + ", which the component does not read";
      case OpenFailure::kTooLarge:
        return "the file is larger than " + std::to_string(kMaxScannedFile >> 20) + " MiB, more than the checker reads";
      case OpenFailure::kNone:
      case OpenFailure::kUnreadable:
        break;
    }
    return "the file cannot be read";
  }

  void AddProblem(const std::string& path, const ScannedFile& scan, const ScanProblem& problem) {
    // Problems inside a schema name the schema; those of the file itself carry the path as given.
    const std::string absolute = utf::ToUtf8(scan.systemId);
    std::string file = problem.systemId;
    if (file.empty() || file == absolute || file == "file://" + absolute || file == path) file = path;
    Add("xml", Severity::kError, file, problem.position, problem.message);
  }

  // The schema the root names must exist: without it every element would be reported as undeclared,
  // which hides the one mistake behind hundreds of lines.
  bool SchemaFound(const std::string& path, const ScannedElement& root) {
    const ScannedAttribute* location = nullptr;
    std::string named;
    for (const ScannedAttribute& attribute : root.attributes) {
      const std::u16string_view name = attribute.name;
      const size_t colon = name.find(u':');
      const std::u16string_view local = colon == std::u16string_view::npos ? name : name.substr(colon + 1);
      if (local == u"schemaLocation") {
        // Pairs of namespace and location: every second word is a location.
        std::istringstream words(Narrow(attribute.value));
        std::string word;
        for (int i = 0; words >> word; ++i) {
          if (i % 2 == 1) named = word;
        }
        location = &attribute;
      } else if (local == u"noNamespaceSchemaLocation") {
        named = Narrow(attribute.value);
        location = &attribute;
      }
    }
    if (location == nullptr) {
      Add("schema-missing", Severity::kError, path, root.position,
          "the root element names no schema (xsi:schemaLocation), so the component cannot validate the file");
      return false;
    }
    std::string file = named;
    if (file.rfind("file://", 0) == 0) file = file.substr(7);
    const bool remote = file.find("://") != std::string::npos;
    const std::filesystem::path resolved = std::filesystem::path(file).is_absolute()
                                               ? std::filesystem::path(file)
                                               : std::filesystem::absolute(path).parent_path() / file;
    if (remote || !std::filesystem::is_regular_file(resolved)) {
      Add("schema-missing", Severity::kError, path, location->position,
          remote ? "schema " + named + " is not local; the component reads no schema from the network"
                 : "schema " + named + " not found (looked for " + resolved.lexically_normal().string() +
                       "); copy the schemas along with the device or name them where they are installed");
      return false;
    }
    return true;
  }

  bool Load() {
    // Both paths exactly as given: the model joins the directory and the file names without more.
    const int32_t result =
        m_model.Initialize(u"", utf::ToUtf16(m_request.guiXmlPath), utf::ToUtf16(m_request.localizedPath),
                           utf::ToUtf16(m_request.language), static_cast<int32_t>(m_request.functionId), nullptr);
    if (result == kParseOk || result == kParseLocFileFailed) return true;
    Add("xml", Severity::kError, m_request.guiXmlPath, {},
        "the component could not load the device (result " + std::to_string(result) + ")");
    return false;
  }

  // ---- Keywords --------------------------------------------------------------------------------------

  void CheckKeywords(const ScannedFile& scan, const std::string& path, std::span<const KeywordAttribute> table) {
    for (const ScannedElement& element : scan.elements) {
      for (const KeywordAttribute& keyword : table) {
        if (element.name != keyword.element) continue;
        const ScannedAttribute* attribute = keyword.attribute.empty() ? nullptr : element.Attribute(keyword.attribute);
        if (!keyword.attribute.empty() && attribute == nullptr) continue;
        const std::u16string& text = attribute != nullptr ? attribute->value : element.text;
        int32_t value = 0;
        if (KeywordToValue(keyword.table, text, value)) continue;
        const std::string what = keyword.attribute.empty() ? Narrow(element.name) : Narrow(keyword.attribute);
        Add("unknown-keyword", Severity::kError, path,
            attribute != nullptr ? attribute->valuePosition : element.position,
            Quoted(text) + " is not a " + what + " keyword (known: " + Joined(KeywordsOf(keyword.table)) + ")");
      }
    }
  }

  // ---- References ------------------------------------------------------------------------------------

  static bool ConditionHolds(const ScannedElement& element, const Reference& reference) {
    if (reference.condition.empty()) return true;
    const ScannedAttribute* condition = element.Attribute(reference.condition);
    return condition != nullptr && condition->value == reference.conditionKeyword;
  }

  // The identifier of the MODULE_DEC around element index, empty outside one.
  std::u16string EnclosingModule(int index) const {
    const int module = m_gui.Enclosing(index, kModuleElement);
    if (module < 0) return {};
    const ScannedAttribute* id = m_gui.elements[module].Attribute(kModuleIdAttribute);
    return id != nullptr ? id->value : std::u16string();
  }

  bool IsDeclared(Kind kind, const std::u16string& id) const {
    const auto ids = m_declaredIds.find(kind);
    return ids != m_declaredIds.end() && ids->second.count(id) != 0;
  }

  void CheckReferences() {
    for (size_t i = 0; i < m_gui.elements.size(); ++i) {
      const ScannedElement& element = m_gui.elements[i];
      for (const Reference& reference : GuiXmlReferences()) {
        if (reference.target == Target::kFile || element.name != reference.element) continue;
        const ScannedAttribute* attribute = element.Attribute(reference.attribute);
        if (attribute == nullptr || attribute->value.empty() || !ConditionHolds(element, reference)) continue;
        CheckReference(static_cast<int>(i), reference.target, *attribute);
      }
    }
  }

  void CheckReference(int index, Target target, const ScannedAttribute& attribute) {
    const std::u16string& id = attribute.value;
    int32_t parType = ParTypeOf(target);
    std::string where;
    std::u16string scope;  // the module whose menus or displays are looked in
    bool found = false;
    switch (target) {
      case Target::kVariable:
      case Target::kMethod:
      case Target::kImage:
        found = m_model.FindParameter(id, parType) != nullptr;
        break;
      case Target::kModule:
        found = m_model.FindModule(id) != nullptr;
        if (!found && IsDeclared(Kind::kModule, id)) {
          if (!FunctionDeclared()) return;  // unknown-function says why no module is there
          Add("unresolved-ref", Severity::kError, m_request.guiXmlPath, attribute.valuePosition,
              "module " + Quoted(id) + " is declared but not among the modules of function " +
                  std::to_string(m_request.functionId) + " (" + Narrow(attribute.name) + ")");
          return;
        }
        break;
      case Target::kModuleDeclaration:
        found = IsDeclared(Kind::kModule, id);
        break;
      case Target::kHeaderParameter: {
        parType = PAR_VARIABLE;
        if (const ScannedAttribute* origin = m_gui.elements[index].Attribute(u"ORIGIN")) {
          KeywordToValue(KeywordTable::kOrigin, origin->value, parType);
        }
        found = m_model.FindParameter(id, parType) != nullptr;
        break;
      }
      case Target::kElement:
        found = m_model.ElementDictionary().FindChild(id) != nullptr;
        break;
      case Target::kDisplay:
      case Target::kMenu: {
        const std::u16string module = EnclosingModule(index);
        const CDDModule* loaded = m_model.FindModule(module);
        if (loaded == nullptr) return;  // a module the selected function leaves out is not loaded
        found = target == Target::kDisplay ? m_model.FindDisplayOfModules(module, id) != nullptr
                                           : loaded->FindMenuIndex(id) >= 0;
        where = " in module " + Quoted(module);
        scope = module;
        break;
      }
      case Target::kAnyMenu:
        for (const auto& module : m_model.Modules()) found = found || (module && module->FindMenuIndex(id) >= 0);
        // A menu of a module the selected function leaves out cannot be looked up, but it is there.
        found = found || IsDeclared(Kind::kMenu, id);
        break;
      case Target::kMenubarItem:
        found = dynamic_cast<const CDDMenubarItem*>(m_model.ElementDictionary().FindChild(id)) != nullptr;
        break;
      case Target::kHeaderUse:
        for (const auto& record : m_model.HeaderRecords()) found = found || (record && record->m_use == id);
        break;
      case Target::kLanguage:
        for (const auto& language : m_model.Languages()) found = found || (language && language->GetCode() == id);
        break;
      case Target::kFile:
        return;
    }
    if (found) return;
    const std::u16string meant = NearMiss(id, Candidates(target, scope));
    Add("unresolved-ref", Severity::kError, m_request.guiXmlPath, attribute.valuePosition,
        TargetName(target, parType) + " " + Quoted(id) + " is not declared" + where + " (" + Narrow(attribute.name) +
            ")" + (meant.empty() ? std::string() : "; did you mean " + Quoted(meant) + "?"));
  }

  // The declared identifiers a reference to target may mean, in document order (scope: the module of a
  // menu or display reference).
  std::vector<std::u16string> Candidates(Target target, const std::u16string& scope) const {
    auto kinds = [target]() -> std::vector<Kind> {
      switch (target) {
        case Target::kVariable:
          return {Kind::kVariable};
        case Target::kMethod:
          return {Kind::kMethod};
        case Target::kImage:
          return {Kind::kImage};
        case Target::kModule:
        case Target::kModuleDeclaration:
          return {Kind::kModule};
        case Target::kHeaderParameter:
          return {Kind::kVariable, Kind::kMetaVariable, Kind::kMethod, Kind::kImage};
        case Target::kElement:
          return {Kind::kLabel,  Kind::kVariable, Kind::kMethod,  Kind::kImage,
                  Kind::kModule, Kind::kMenu,     Kind::kDisplay, Kind::kMenubarItem};
        case Target::kDisplay:
          return {Kind::kDisplay};
        case Target::kMenu:
        case Target::kAnyMenu:
          return {Kind::kMenu};
        case Target::kMenubarItem:
          return {Kind::kMenubarItem};
        case Target::kHeaderUse:
        case Target::kLanguage:
        case Target::kFile:
          break;
      }
      return {};
    }();
    const bool scoped = target == Target::kDisplay || target == Target::kMenu;
    std::vector<std::u16string> ids;
    for (const Declared& declared : m_declared) {
      if (std::find(kinds.begin(), kinds.end(), declared.kind) == kinds.end()) continue;
      if (scoped && declared.scope != scope) continue;
      ids.push_back(declared.id->value);
    }
    return ids;
  }

  // ---- Files -----------------------------------------------------------------------------------------

  void CheckFiles(const ScannedFile& scan, const std::string& path, std::span<const Reference> table) {
    for (const ScannedElement& element : scan.elements) {
      for (const Reference& reference : table) {
        if (reference.target != Target::kFile || element.name != reference.element) continue;
        const ScannedAttribute* attribute = element.Attribute(reference.attribute);
        if (attribute == nullptr || attribute->value.empty()) continue;
        const std::filesystem::path named(Narrow(attribute->value));
        // The component puts the device directory in front of every file reference.
        const std::filesystem::path file = named.is_absolute() ? named : m_directory / named;
        const k42gui::DeviceFileProblem problem = FileProblem(file.string());
        const std::string what = "file " + Quoted(attribute->value);
        const std::string looked = " (looked for " + file.lexically_normal().string() + ")";
        switch (problem) {
          case k42gui::DeviceFileProblem::kNone:
            break;
          case k42gui::DeviceFileProblem::kMissing:
            Add("missing-file", Severity::kError, path, attribute->valuePosition, what + " does not exist" + looked);
            break;
          case k42gui::DeviceFileProblem::kOutside:
            Add("file-outside-device", Severity::kError, path, attribute->valuePosition,
                what + " is outside the device's directory (" + FileResolved(file) +
                    "); the preview shows only the device's own files");
            break;
          case k42gui::DeviceFileProblem::kNotRegular:
          case k42gui::DeviceFileProblem::kTooLarge:
          case k42gui::DeviceFileProblem::kUnreadable:
            Add("file-outside-device", Severity::kError, path, attribute->valuePosition,
                what + " is not read: " + m_fileVerdicts[file.string()].message + looked);
            break;
        }
      }
    }
  }

  // How the tools judge a file the device names, once per file.
  k42gui::DeviceFileProblem FileProblem(const std::string& file) {
    auto known = m_fileVerdicts.find(file);
    if (known == m_fileVerdicts.end()) {
      const std::string directory = m_directory.empty() ? std::string(".") : m_directory.string();
      known = m_fileVerdicts.emplace(file, k42gui::ProbeDeviceFile(file, {directory})).first;
    }
    return known->second.problem;
  }

  static std::string FileResolved(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(file, error);
    return error ? file.lexically_normal().string() : "it leads to " + resolved.string();
  }

  // ---- Shadowed identifiers --------------------------------------------------------------------------

  struct Declared {
    Kind kind;
    std::u16string scope;  // the module of a menu or display, the use of a header place
    std::u16string key;    // the identifier as the look-ups compare it
    const ScannedAttribute* id;
  };

  std::vector<Declared> Declarations() const {
    std::vector<Declared> declared;
    for (size_t i = 0; i < m_gui.elements.size(); ++i) {
      const ScannedElement& element = m_gui.elements[i];
      for (const Declaration& declaration : GuiXmlDeclarations()) {
        if (element.name != declaration.element) continue;
        const ScannedAttribute* id = element.Attribute(declaration.idAttribute);
        if (id == nullptr) continue;
        std::u16string scope;
        std::u16string key = id->value;
        if (IsModuleLocal(declaration.kind)) {
          scope = EnclosingModule(static_cast<int>(i));
        } else if (declaration.kind == Kind::kHeaderPlace) {
          const int area = m_gui.Enclosing(static_cast<int>(i), kHeaderAreaElement);
          const ScannedAttribute* use = area >= 0 ? m_gui.elements[area].Attribute(kHeaderUseAttribute) : nullptr;
          if (use == nullptr) continue;  // a header area without a use is never read
          scope = use->value;
        } else if (declaration.kind == Kind::kFunction) {
          key = FromNarrow(std::to_string(LeadingInteger(id->value)));
        }
        declared.push_back({declaration.kind, std::move(scope), std::move(key), id});
      }
    }
    return declared;
  }

  void CheckShadowed() {
    const std::vector<Declared>& declared = m_declared;
    std::map<std::tuple<Kind, std::u16string, std::u16string>, const ScannedAttribute*> first;
    std::map<std::pair<Kind, std::u16string>, const ScannedAttribute*> firstOfKind;
    for (const Declared& d : declared) {
      firstOfKind.emplace(std::make_pair(d.kind, d.key), d.id);
      // Two declarations of one module are read into the same module: nothing is lost.
      const auto [earlier, isFirst] = first.emplace(std::make_tuple(d.kind, d.scope, d.key), d.id);
      if (!isFirst && d.kind != Kind::kModule) {
        Add("shadowed-id", Severity::kWarning, m_request.guiXmlPath, d.id->valuePosition,
            std::string(Narrow(KindName(d.kind))) + " " + Quoted(d.id->value) +
                " is declared again; the first declaration, at line " + std::to_string(earlier->second->position.line) +
                ", is the one used");
      }
    }
    // Declarations of different kinds meet in one dictionary, where the one entered first answers.
    for (const Declared& d : declared) {
      if (first.at(std::make_tuple(d.kind, d.scope, d.key)) != d.id) continue;
      const CDDBase* winner = nullptr;
      if (!IsModuleLocal(d.kind) && !InElementDictionary(d.kind)) {
        continue;
      } else if (IsModuleLocal(d.kind)) {
        const CDDModule* module = m_model.FindModule(d.scope);
        winner = module != nullptr ? module->FindChild(d.id->value) : nullptr;
      } else {
        winner = m_model.ElementDictionary().FindChild(d.id->value);
      }
      if (winner == nullptr) continue;
      const Kind winnerKind = KindOf(winner);
      if (winnerKind == d.kind) continue;
      std::string at;
      const auto other = firstOfKind.find(std::make_pair(winnerKind, d.id->value));
      if (other != firstOfKind.end()) at = " (line " + std::to_string(other->second->position.line) + ")";
      Add("shadowed-id", Severity::kWarning, m_request.guiXmlPath, d.id->valuePosition,
          std::string(Narrow(KindName(d.kind))) + " " + Quoted(d.id->value) + " is hidden by the " +
              Narrow(KindName(winnerKind)) + " of the same identifier" + at +
              ", which the look-ups and the localized texts reach first");
    }
  }

  // ---- Function and languages ------------------------------------------------------------------------

  Position RootPosition(const ScannedFile& scan) const {
    return scan.elements.empty() ? Position{} : scan.elements.front().position;
  }

  // Whether a FUNCTION_ID selects the requested function, as the component looks for it: in document
  // order, stopping at a function without identifier.
  bool FunctionDeclared(std::vector<std::u16string>* declared = nullptr) const {
    for (const ScannedElement& element : m_gui.elements) {
      if (element.name != kFunctionElement) continue;
      const ScannedAttribute* id = element.Attribute(kFunctionIdAttribute);
      if (id == nullptr) break;
      if (LeadingInteger(id->value) == m_request.functionId) return true;
      if (declared != nullptr) declared->push_back(id->value);
    }
    return false;
  }

  void CheckFunction() {
    std::vector<std::u16string> declared;
    if (FunctionDeclared(&declared)) return;
    Position at = RootPosition(m_gui);
    for (const ScannedElement& element : m_gui.elements) {
      if (element.name == kFunctionElement) {
        at = element.position;
        break;
      }
    }
    std::string list;
    for (const std::u16string& id : declared) list += (list.empty() ? "" : ", ") + Narrow(id);
    Add("unknown-function", Severity::kError, m_request.guiXmlPath, at,
        "function " + std::to_string(m_request.functionId) + " is not declared by a FUNCTION_ID" +
            (list.empty() ? std::string(", so no module is shown") : " (declared: " + list + ")"));
  }

  std::vector<std::pair<std::u16string, Position>> LocLanguages() const {
    std::vector<std::pair<std::u16string, Position>> languages;
    for (const ScannedElement& element : m_loc.elements) {
      if (element.name != kLocLanguage) continue;
      const ScannedAttribute* id = element.Attribute(kLocLanguageId);
      if (id != nullptr) languages.emplace_back(id->value, element.position);
    }
    return languages;
  }

  void CheckLanguages() {
    const std::u16string requested = utf::ToUtf16(m_request.language);
    std::vector<std::u16string_view> declared;
    for (const auto& language : m_model.Languages()) {
      if (language) declared.push_back(language->GetCode());
    }
    Position at = RootPosition(m_gui);
    for (const ScannedElement& element : m_gui.elements) {
      if (element.name == kLanguagesElement) at = element.position;
    }
    if (std::find(declared.begin(), declared.end(), requested) == declared.end()) {
      Add("unknown-language", Severity::kError, m_request.guiXmlPath, at,
          "language " + Quoted(requested) + " is not declared in LANGUAGE_SUPPORT (declared: " +
              (declared.empty() ? std::string("none") : Joined(declared)) + ")");
    }
    if (!m_loc.opened) return;
    const auto texts = LocLanguages();
    auto hasTexts = [&](std::u16string_view code) {
      return std::any_of(texts.begin(), texts.end(), [&](const auto& entry) { return entry.first == code; });
    };
    if (!hasTexts(requested)) {
      Add("unknown-language", Severity::kError, m_request.localizedPath, RootPosition(m_loc),
          "the localized file has no texts for language " + Quoted(requested) +
              "; the component shows those of the default block instead");
    }
    for (const ScannedElement& element : m_gui.elements) {
      if (element.name != kLanguageElement) continue;
      const ScannedAttribute* code = element.Attribute(kLanguageCodeAttribute);
      if (code == nullptr || hasTexts(code->value)) continue;
      Add("unknown-language", Severity::kWarning, m_request.guiXmlPath, code->valuePosition,
          "declared language " + Quoted(code->value) + " has no texts in the localized file");
    }
  }

  // ---- Texts -----------------------------------------------------------------------------------------

  void CheckTexts() {
    // The identifiers that have a text, per language block of the localized file.
    std::map<std::u16string, std::set<std::u16string>> texts;
    std::vector<std::u16string> languages;
    std::set<std::u16string> declaredModules;
    std::set<std::u16string> declaredAnywhere;
    std::set<std::pair<std::u16string, std::u16string>> declaredInModule;
    for (const Declared& d : m_declared) {
      if (IsModuleLocal(d.kind) || InElementDictionary(d.kind)) declaredAnywhere.insert(d.id->value);
      if (d.kind == Kind::kModule) declaredModules.insert(d.id->value);
      if (IsModuleLocal(d.kind)) declaredInModule.emplace(d.scope, d.id->value);
    }
    for (size_t i = 0; i < m_loc.elements.size(); ++i) {
      const ScannedElement& element = m_loc.elements[i];
      if (element.name != kLocText || element.parent < 0) continue;
      const int scopeIndex = m_loc.Enclosing(static_cast<int>(i), kLocScope);
      const int languageIndex = m_loc.Enclosing(static_cast<int>(i), kLocLanguage);
      const ScannedAttribute* name = element.Attribute(kLocTextName);
      if (scopeIndex < 0 || languageIndex < 0 || name == nullptr) continue;
      const ScannedAttribute* scope = m_loc.elements[scopeIndex].Attribute(kLocScopeId);
      const ScannedAttribute* language = m_loc.elements[languageIndex].Attribute(kLocLanguageId);
      if (scope == nullptr || language == nullptr || scope->value == kLocBuiltinScope) continue;
      texts[language->value].insert(name->value);
      // A global text lands on any element of that identifier, a module's text only on its menus and
      // displays; both are judged against every module, also those the selected function leaves out.
      const bool used = scope->value == kLocGlobalScope ? declaredAnywhere.count(name->value) != 0
                                                        : declaredInModule.count({scope->value, name->value}) != 0;
      if (!used && (scope->value == kLocGlobalScope || declaredModules.count(scope->value) != 0)) {
        Add("unused-text", Severity::kWarning, m_request.localizedPath, name->valuePosition,
            "text for " + Quoted(name->value) + " in scope " + Quoted(scope->value) + " belongs to nothing declared");
      }
    }
    for (const auto& [code, position] : LocLanguages()) {
      if (std::find(languages.begin(), languages.end(), code) == languages.end()) languages.push_back(code);
    }
    for (const auto& [id, at] : ShownIdentifiers()) {
      if (declaredAnywhere.count(id) == 0) continue;  // unresolved-ref says what is wrong there
      for (const std::u16string& language : languages) {
        if (texts[language].count(id) != 0) continue;
        Add("missing-text", Severity::kWarning, m_request.guiXmlPath, at,
            Quoted(id) + " has no text in language " + Quoted(language) + " of the localized file");
      }
    }
  }

  // The choices of the variables: each needs a text in every language, and each choice text of the
  // localized file must land on a choice. Where a text lands is the model's own look-up (by value, or by
  // value and DD string), so a text with a DD string no item has is found unused.
  void CheckChoiceTexts() {
    std::map<std::u16string, std::set<const CDDBase*>> labelled;  // per language
    for (size_t i = 0; i < m_loc.elements.size(); ++i) {
      const ScannedElement& element = m_loc.elements[i];
      if (element.name != kLocEnum || element.parent < 0) continue;
      const ScannedElement& owner = m_loc.elements[element.parent];
      const int languageIndex = m_loc.Enclosing(static_cast<int>(i), kLocLanguage);
      const int scopeIndex = m_loc.Enclosing(static_cast<int>(i), kLocScope);
      const ScannedAttribute* name = owner.Attribute(kLocTextName);
      const ScannedAttribute* value = element.Attribute(kLocEnumId);
      if (owner.name != kLocText || name == nullptr || value == nullptr || languageIndex < 0 || scopeIndex < 0)
        continue;
      const ScannedAttribute* scope = m_loc.elements[scopeIndex].Attribute(kLocScopeId);
      const ScannedAttribute* language = m_loc.elements[languageIndex].Attribute(kLocLanguageId);
      if (scope == nullptr || scope->value != kLocGlobalScope || language == nullptr) continue;
      const auto* variable = dynamic_cast<const CDDVariable*>(m_model.ElementDictionary().FindChild(name->value));
      if (variable == nullptr) continue;  // unused-text or unresolved texts are reported for the identifier
      const ScannedAttribute* ddString = element.Attribute(kLocEnumDdString);
      const CDDBase* item = ddString == nullptr || ddString->value.empty()
                                ? variable->FindChild(value->value)
                                : variable->FindChildByDdString(value->value, ddString->value);
      if (item != nullptr) {
        labelled[language->value].insert(item);
      } else {
        Add("unused-text", Severity::kWarning, m_request.localizedPath, value->valuePosition,
            "choice " + Quoted(value->value) + " of " + Quoted(name->value) + " is not a choice of that variable");
      }
    }
    // The items of a variable are its ENUM_ITEMs with a value, in order, in the first declaration only.
    const auto languages = LocLanguages();
    std::set<std::u16string> seen;
    for (size_t i = 0; i < m_gui.elements.size(); ++i) {
      const ScannedElement& element = m_gui.elements[i];
      const auto declaration =
          std::find_if(GuiXmlDeclarations().begin(), GuiXmlDeclarations().end(),
                       [&](const Declaration& d) { return d.kind == Kind::kVariable && d.element == element.name; });
      if (declaration == GuiXmlDeclarations().end()) continue;
      const ScannedAttribute* id = element.Attribute(declaration->idAttribute);
      if (id == nullptr || !seen.insert(id->value).second) continue;
      const auto* variable = dynamic_cast<const CDDVariable*>(m_model.FindParameter(id->value, PAR_VARIABLE));
      if (variable == nullptr) continue;
      const auto& items = variable->EnumItems().Items();
      size_t index = 0;
      for (size_t child = i + 1; child < m_gui.elements.size() && index < items.size(); ++child) {
        const ScannedElement& choice = m_gui.elements[child];
        if (choice.parent != static_cast<int>(i) || choice.name != kEnumItemElement) continue;
        const ScannedAttribute* value = choice.Attribute(kEnumItemValue);
        if (value == nullptr) continue;
        const CDDBase* item = items[index++].get();
        for (const auto& [code, position] : languages) {
          if (labelled[code].count(item) != 0) continue;
          const ScannedAttribute* ddString = choice.Attribute(kEnumItemDdString);
          Add("missing-text", Severity::kWarning, m_request.guiXmlPath, value->valuePosition,
              "choice " + Quoted(value->value) + (ddString != nullptr ? " (" + Narrow(ddString->value) + ")" : "") +
                  " of " + Quoted(id->value) + " has no text in language " + Quoted(code) + " of the localized file");
        }
      }
    }
  }

  // What the host shows with a text of its own, each at its first mention: declarations that exist to be
  // shown (labels, modules, menus, displays, menu-bar entries) and whatever the trees, displays and
  // header show.
  std::vector<std::pair<std::u16string, Position>> ShownIdentifiers() const {
    std::vector<std::pair<std::u16string, Position>> shown;
    std::set<std::u16string> seen;
    auto add = [&](const ScannedAttribute& attribute) {
      if (!attribute.value.empty() && seen.insert(attribute.value).second)
        shown.emplace_back(attribute.value, attribute.valuePosition);
    };
    for (const ScannedElement& element : m_gui.elements) {
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

  static bool Shown(Kind kind) {
    return kind == Kind::kLabel || kind == Kind::kModule || kind == Kind::kMenu || kind == Kind::kDisplay ||
           kind == Kind::kMenubarItem;
  }

  const k42gui::CheckRequest& m_request;
  std::set<std::string> m_enabled;
  std::filesystem::path m_directory;
  std::map<std::string, k42gui::DeviceFile> m_fileVerdicts;  // by the path the component would open
  ScannedFile m_gui;
  ScannedFile m_loc;
  CDDModel m_model;
  std::vector<Declared> m_declared;                        // every declaration, in document order
  std::map<Kind, std::set<std::u16string>> m_declaredIds;  // of the modules and menus, any function's
  std::vector<Finding> m_findings;
};

}  // namespace
}  // namespace k42

namespace k42gui {

CheckResult CheckDevice(const CheckRequest& request) {
  k42::XercesSession session;
  k42::Checker checker(request);
  return checker.Run();
}

}  // namespace k42gui
