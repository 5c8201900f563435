// The checker's rule "help-anchor": where a language's device help is an HTML file addressed by help
// topics, each help topic of that language names a place in the file.
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "authoring/CheckContext.h"
#include "model/Keywords.h"
#include "model/Names.h"

namespace k42::check {
namespace {

using k42gui::Severity;

// The device help a language ends up with: the localized file's blocks that apply to it (the default
// ones and its own) are read in file order, and each HELPFILE replaces the reference and, when its
// keyword is known, the anchor kind.
struct HelpFile {
  const ScannedAttribute* reference = nullptr;
  int32_t anchors = kEQTOID;
};

bool IsHtml(std::string_view path) {
  const size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos) return false;
  std::string extension(path.substr(dot));
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".html" || extension == ".htm";
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// The values of every "id" and "name" attribute of the HTML text, as written (the browser's look-up
// compares them exactly). Comments and the insides of declarations and end tags are skipped.
std::set<std::string> HtmlAnchors(const std::string& html) {
  std::set<std::string> anchors;
  const size_t n = html.size();
  size_t i = 0;
  while ((i = html.find('<', i)) != std::string::npos) {
    if (html.compare(i, 4, "<!--") == 0) {
      const size_t end = html.find("-->", i + 4);
      if (end == std::string::npos) break;
      i = end + 3;
      continue;
    }
    ++i;
    if (i >= n || !std::isalpha(static_cast<unsigned char>(html[i]))) continue;
    while (i < n && !IsSpace(html[i]) && html[i] != '>' && html[i] != '/') ++i;  // the tag's name
    while (i < n && html[i] != '>') {
      while (i < n && (IsSpace(html[i]) || html[i] == '/')) ++i;
      std::string name;
      while (i < n && !IsSpace(html[i]) && html[i] != '=' && html[i] != '>' && html[i] != '/')
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(html[i++])));
      while (i < n && IsSpace(html[i])) ++i;
      if (i >= n || html[i] != '=') continue;
      ++i;
      while (i < n && IsSpace(html[i])) ++i;
      std::string value;
      if (i < n && (html[i] == '"' || html[i] == '\'')) {
        const size_t end = html.find(html[i], i + 1);
        if (end == std::string::npos) return anchors;
        value = html.substr(i + 1, end - i - 1);
        i = end + 1;
      } else {
        while (i < n && !IsSpace(html[i]) && html[i] != '>') value += html[i++];
      }
      if (name == "id" || name == "name") anchors.insert(std::move(value));
    }
  }
  return anchors;
}

}  // namespace

void CheckHelpAnchors(Context& context) {
  if (!context.locWellFormed || !context.Enabled("help-anchor")) return;
  const ScannedFile& loc = context.loc;
  // Every language that has a block, with the help it ends up with.
  std::map<std::u16string, HelpFile> help;
  for (const ScannedElement& element : loc.elements) {
    if (element.name != locnames::kLang) continue;
    if (const ScannedAttribute* id = element.Attribute(locnames::kId)) help.try_emplace(id->value);
  }
  for (int i = 0; i < static_cast<int>(loc.elements.size()); ++i) {
    const ScannedElement& element = loc.elements[i];
    const int block = loc.Enclosing(i, locnames::kLang);
    if (element.name != locnames::kHelpFile || block < 0) continue;
    const ScannedAttribute* id = loc.elements[block].Attribute(locnames::kId);
    const ScannedAttribute* isDefault = loc.elements[block].Attribute(locnames::kDefault);
    const ScannedAttribute* anchors = element.Attribute(locnames::kAnchors);
    for (auto& [language, file] : help) {
      if ((isDefault == nullptr || isDefault->value != u"1") && (id == nullptr || id->value != language)) continue;
      file.reference = element.Attribute(locnames::kFref);
      if (anchors != nullptr) KeywordToValue(KeywordTable::kHelpAnchors, anchors->value, file.anchors);
    }
  }

  // The anchors of each HTML help file addressed by help topics, read once.
  std::map<std::u16string, std::set<std::string>> anchorsOf;
  for (const auto& [language, file] : help) {
    if (file.anchors != kEQTOHELPTOPIC || file.reference == nullptr || IsWebAddress(file.reference->value) ||
        !IsHtml(Narrow(file.reference->value)) || anchorsOf.count(file.reference->value) != 0)
      continue;
    const k42gui::DeviceFile read = context.ReadFile(context.DeviceFilePath(file.reference->value));
    // A file that cannot be read is the file rules' finding.
    if (read.problem == k42gui::DeviceFileProblem::kNone) anchorsOf[file.reference->value] = HtmlAnchors(read.bytes);
  }

  for (int i = 0; i < static_cast<int>(loc.elements.size()); ++i) {
    const ScannedElement& element = loc.elements[i];
    const int block = loc.Enclosing(i, locnames::kLang);
    if (element.name != locnames::kHelpTopic || block < 0 || element.text.empty()) continue;
    const ScannedAttribute* id = loc.elements[block].Attribute(locnames::kId);
    if (id == nullptr) continue;
    const HelpFile& file = help[id->value];
    if (file.reference == nullptr || file.anchors != kEQTOHELPTOPIC) continue;
    const auto anchors = anchorsOf.find(file.reference->value);
    if (anchors == anchorsOf.end() || anchors->second.count(Narrow(element.text)) != 0) continue;
    const int text = loc.Enclosing(i, locnames::kId);
    const ScannedAttribute* owner = text >= 0 ? loc.elements[text].Attribute(locnames::kName) : nullptr;
    context.Add("help-anchor", Severity::kWarning, context.request.localizedPath, element.position,
                "help topic " + Quoted(element.text) + (owner != nullptr ? " of " + Quoted(owner->value) : "") +
                    " is no anchor in " + Quoted(file.reference->value) + " (no element has it as id or name) for " +
                    "language " + Quoted(id->value) + ": its help opens at the start of the file");
  }
}

}  // namespace k42::check
