// The device checker's driver: reads both files with positions, loads the device with the component's own
// model, and runs each family of rules over what the files say and, where it loaded, what the model made of it.
#include <k42gui/DeviceCheck.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "authoring/CheckContext.h"
#include "model/XercesInit.h"

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
      {"missing-builtin-text",
       "a built-in text the localized file gives in one language is given in every language the device offers"},
      {"index-past-strip", "tree icon and toolbar bitmap indexes lie within their image strips"},
      {"header-image", "every image slot of the header has a picture the host can show"},
      {"unlabelled-command", "every menu-bar entry can get a label, and every toolbar button has a picture"},
      {"help-anchor", "every help topic is an anchor of its language's HTML device help, where help topics address it"},
  };
  return rules;
}

}  // namespace k42gui

namespace k42::check {
namespace {

// The rules that need the device loaded by the model, and why each cannot run without it.
constexpr const char* kModelRules[] = {"shadowed-id", "unknown-function", "unknown-language"};

void NotRun(Context& context, std::vector<k42gui::SkippedRule>& skipped, const char* rule, const std::string& why) {
  if (context.Enabled(rule)) skipped.push_back({rule, why});
}

k42gui::CheckResult Run(Context& context) {
  const k42gui::CheckRequest& request = context.request;
  context.gui = ScanElements(request.guiXmlPath);
  bool readable = ReadDeviceXml(context, request.guiXmlPath, context.gui, DeviceFile::kGuiXml, context.guiWellFormed);
  std::error_code error;
  if (!request.localizedPath.empty() && std::filesystem::exists(request.localizedPath, error)) {
    context.loc = ScanElements(request.localizedPath);
    readable =
        ReadDeviceXml(context, request.localizedPath, context.loc, DeviceFile::kLocalized, context.locWellFormed) &&
        readable;
  }
  if (readable) context.loaded = LoadDevice(context);

  k42gui::CheckResult result;
  result.loaded = context.loaded;
  // The rules over the files alone run on every file that is well-formed; what follows a fatal error is
  // never reported, because the elements after it are not known.
  if (context.guiWellFormed) {
    for (size_t i = 0; i < context.gui.elements.size(); ++i) {
      const ScannedElement& element = context.gui.elements[i];
      for (const Declaration& declaration : GuiXmlDeclarations()) {
        if (element.name != declaration.element) continue;
        const ScannedAttribute* id = element.Attribute(declaration.idAttribute);
        if (id == nullptr) continue;
        const std::u16string scope =
            IsModuleLocal(declaration.kind) ? context.EnclosingModule(static_cast<int>(i)) : std::u16string();
        context.declared.push_back({declaration.kind, scope, id->value, id, static_cast<int>(i)});
        context.declaredIds[declaration.kind].insert(id->value);
      }
    }
  }
  CheckKeywords(context);
  CheckFiles(context);
  CheckHelpAnchors(context);
  std::string missing;
  auto unusable = [](const std::string& path, const ScannedFile& scan) {
    return path + (scan.opened ? " is not well-formed" : " cannot be read");
  };
  if (!context.guiWellFormed) {
    missing = unusable(request.guiXmlPath, context.gui);
  } else {
    CheckReferences(context);
    CheckPictures(context);
    CheckCommands(context);
    if (context.loc.opened && !context.locWellFormed) {
      missing = unusable(request.localizedPath, context.loc);
    } else {
      CheckTexts(context);
    }
  }
  if (context.loc.opened && !context.locWellFormed)
    NotRun(context, result.skipped, "help-anchor", unusable(request.localizedPath, context.loc));
  if (!missing.empty()) {
    for (const char* rule : {"unresolved-ref", "index-past-strip", "header-image", "unlabelled-command"}) {
      if (!context.guiWellFormed) NotRun(context, result.skipped, rule, missing);
    }
    for (const char* rule : {"missing-text", "unused-text", "missing-builtin-text"}) {
      NotRun(context, result.skipped, rule, missing);
    }
  }
  if (context.loaded) {
    CheckDeclarations(context);
    if (context.loc.opened) CheckChoiceTexts(context);
  } else {
    const std::string why = missing.empty() ? "the device does not load" : missing;
    for (const char* rule : kModelRules) NotRun(context, result.skipped, rule, why);
    // These two ran over every other text: only the texts of choices (enumeration items) are left out.
    if (missing.empty() && context.loc.opened) {
      for (const char* rule : {"missing-text", "unused-text"})
        NotRun(context, result.skipped, rule, "on choice texts, which need the device loaded");
    }
    // Why it did not load, for a summary that must say so also when that rule was left out.
    if (!context.loadProblems.empty()) result.notLoadedBecause = context.loadProblems.front();
  }
  std::stable_sort(context.findings.begin(), context.findings.end(),
                   [](const k42gui::Finding& a, const k42gui::Finding& b) {
                     return std::tie(a.file, a.line, a.column) < std::tie(b.file, b.line, b.column);
                   });
  result.findings = std::move(context.findings);
  return result;
}

}  // namespace
}  // namespace k42::check

namespace k42gui {

CheckResult CheckDevice(const CheckRequest& request) {
  const k42::XercesUse xerces;
  k42::check::Context context(request);
  return k42::check::Run(context);
}

}  // namespace k42gui
