// The checker's rules "missing-file" and "file-outside-device": the files the device names exist and are its own.
#include <span>

#include "authoring/CheckContext.h"

namespace k42::check {
namespace {

std::string Resolved(const std::filesystem::path& file) {
  std::error_code error;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(file, error);
  return error ? file.lexically_normal().string() : "it leads to " + resolved.string();
}

// helpFiles: the table is the localized file's, whose file references are help files; one that is a web
// address is opened by the host as it stands.
void CheckFile(Context& context, const ScannedFile& scan, const std::string& path, std::span<const Reference> table,
               bool helpFiles) {
  using k42gui::DeviceFileProblem;
  using k42gui::Severity;
  for (const ScannedElement& element : scan.elements) {
    for (const Reference& reference : table) {
      if (reference.target != Target::kFile || element.name != reference.element) continue;
      const ScannedAttribute* attribute = element.Attribute(reference.attribute);
      if (attribute == nullptr || attribute->value.empty()) continue;
      if (helpFiles && IsWebAddress(attribute->value)) continue;
      const std::filesystem::path file = context.DeviceFilePath(attribute->value);
      const k42gui::DeviceFile& verdict = context.FileVerdict(file);
      const std::string what = "file " + Quoted(attribute->value);
      const std::string looked = " (looked for " + file.lexically_normal().string() + ")";
      switch (verdict.problem) {
        case DeviceFileProblem::kNone:
          break;
        case DeviceFileProblem::kMissing:
          context.Add("missing-file", Severity::kError, path, attribute->valuePosition,
                      what + " does not exist" + looked);
          break;
        case DeviceFileProblem::kOutside:
          context.Add("file-outside-device", Severity::kError, path, attribute->valuePosition,
                      what + " is outside the device's directory (" + Resolved(file) +
                          "); the preview shows only the device's own files");
          break;
        case DeviceFileProblem::kNotRegular:
        case DeviceFileProblem::kTooLarge:
        case DeviceFileProblem::kUnreadable:
          context.Add("file-outside-device", Severity::kError, path, attribute->valuePosition,
                      what + " is not read: " + verdict.message + looked);
          break;
      }
    }
  }
}

}  // namespace

void CheckFiles(Context& context) {
  if (context.guiWellFormed) CheckFile(context, context.gui, context.request.guiXmlPath, GuiXmlReferences(), false);
  if (!context.request.localizedPath.empty() && !context.loc.opened && context.loc.failure == OpenFailure::kMissing) {
    context.Add("missing-file", k42gui::Severity::kError, context.request.localizedPath, {},
                "the localized file does not exist");
  }
  if (context.locWellFormed)
    CheckFile(context, context.loc, context.request.localizedPath, LocalizedFileReferences(), true);
}

}  // namespace k42::check
