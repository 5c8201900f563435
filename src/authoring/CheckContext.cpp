// The state the checker's rules share: enabled rules, the device's directory, findings and file verdicts.
#include "authoring/CheckContext.h"

#include <algorithm>

#include "platform/utf.h"

namespace k42::check {

std::string Narrow(std::u16string_view text) { return utf::ToUtf8(text); }

std::string Quoted(std::u16string_view text) {
  // Appended rather than "'" + ... + "'", which g++ 12 at -O2 takes for an overlapping copy (-Wrestrict).
  std::string quoted(1, '\'');
  quoted += Narrow(text);
  quoted += '\'';
  return quoted;
}

std::string Joined(const std::vector<std::u16string_view>& words) {
  std::string list;
  for (std::u16string_view word : words) list += (list.empty() ? "" : ", ") + Narrow(word);
  return list;
}

Context::Context(const k42gui::CheckRequest& checked) : request(checked) {
  for (const k42gui::Rule& rule : k42gui::CheckRules()) {
    if (request.rules.empty() ||
        std::find(request.rules.begin(), request.rules.end(), rule.name) != request.rules.end()) {
      enabled.insert(rule.name);
    }
  }
  directory = std::filesystem::path(request.guiXmlPath).parent_path();
}

void Context::Add(const char* rule, k42gui::Severity severity, const std::string& file, Position at,
                  std::string message) {
  k42gui::Finding finding{file, at.line, at.column, severity, std::move(message), rule};
  const std::string_view name = rule;
  if (!loaded && (name == "xml" || name == "schema-missing")) loadProblems.push_back(finding);
  if (Enabled(rule)) findings.push_back(std::move(finding));
}

std::u16string Context::EnclosingModule(int index) const {
  const int module = gui.Enclosing(index, kModuleElement);
  if (module < 0) return {};
  const ScannedAttribute* id = gui.elements[module].Attribute(kModuleIdAttribute);
  return id != nullptr ? id->value : std::u16string();
}

bool Context::IsDeclared(Kind kind, const std::u16string& id) const {
  const auto ids = declaredIds.find(kind);
  return ids != declaredIds.end() && ids->second.count(id) != 0;
}

Position Context::RootPosition(const ScannedFile& scan) {
  return scan.elements.empty() ? Position{} : scan.elements.front().position;
}

std::vector<std::pair<std::u16string, Position>> Context::LocLanguages() const {
  std::vector<std::pair<std::u16string, Position>> languages;
  for (const ScannedElement& element : loc.elements) {
    if (element.name != kLocLanguage) continue;
    const ScannedAttribute* id = element.Attribute(kLocLanguageId);
    if (id != nullptr) languages.emplace_back(id->value, element.position);
  }
  return languages;
}

std::string Context::AllowedDirectory() const { return directory.empty() ? std::string(".") : directory.string(); }

const k42gui::DeviceFile& Context::FileVerdict(const std::filesystem::path& file) {
  auto known = m_fileVerdicts.find(file.string());
  if (known == m_fileVerdicts.end())
    known = m_fileVerdicts.emplace(file.string(), k42gui::ProbeDeviceFile(file.string(), {AllowedDirectory()})).first;
  return known->second;
}

k42gui::DeviceFile Context::ReadFile(const std::filesystem::path& file) const {
  return k42gui::ReadDeviceFile(file.string(), {AllowedDirectory()});
}

std::filesystem::path Context::DeviceFilePath(std::u16string_view named) const {
  const std::filesystem::path path(Narrow(named));
  return path.is_absolute() ? path : directory / path;
}

}  // namespace k42::check
