// The checker's rules "xml" and "schema-missing": what keeps a file from being read as the component reads it.
#include <filesystem>

#include "authoring/CheckContext.h"
#include "authoring/SchemaLocation.h"
#include "platform/utf.h"

namespace k42::check {
namespace {

using k42gui::Severity;

std::string NotReadMessage(const ScannedFile& scan) {
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

void AddProblem(Context& context, const std::string& path, const ScannedFile& scan, const ScanProblem& problem) {
  // Problems inside a schema name the schema; those of the file itself carry the path as given.
  const std::string absolute = utf::ToUtf8(scan.systemId);
  std::string file = problem.systemId;
  if (file.empty() || file == absolute || file == "file://" + absolute || file == path) file = path;
  context.Add("xml", Severity::kError, file, problem.position, problem.message);
}

// The schema the root names must exist: without it every element would be reported as undeclared, which
// hides the one mistake behind hundreds of lines.
bool SchemaFound(Context& context, const std::string& path, const ScannedElement& root) {
  const SchemaReference schema = SchemaOf(root);
  if (schema.location.empty()) {
    const std::string message =
        schema.space.empty()
            ? "the root element names no schema (xsi:noNamespaceSchemaLocation), so the component cannot validate "
              "the file"
            : "the root element names no schema for its namespace " + Quoted(schema.space) +
                  " (xsi:schemaLocation), so the component cannot validate the file";
    context.Add("schema-missing", Severity::kError, path,
                schema.attribute != nullptr ? schema.attribute->position : root.position, message);
    return false;
  }
  std::string named = Narrow(schema.location);
  std::string file = named;
  if (file.rfind("file://", 0) == 0) file = file.substr(7);
  const bool remote = file.find("://") != std::string::npos;
  const std::filesystem::path resolved = std::filesystem::path(file).is_absolute()
                                             ? std::filesystem::path(file)
                                             : std::filesystem::absolute(path).parent_path() / file;
  if (remote || !std::filesystem::is_regular_file(resolved)) {
    context.Add("schema-missing", Severity::kError, path, schema.attribute->position,
                remote ? "schema " + named + " is not local; the component reads no schema from the network"
                       : "schema " + named + " not found (looked for " + resolved.lexically_normal().string() +
                             "); copy the schemas along with the device or name them where they are installed");
    return false;
  }
  return true;
}

}  // namespace

bool ReadDeviceXml(Context& context, const std::string& path, const ScannedFile& scan, DeviceFile kind,
                   bool& wellFormed) {
  wellFormed = false;
  if (!scan.opened) {
    context.Add("xml", Severity::kError, path, {}, NotReadMessage(scan));
    return false;
  }
  bool fatal = false;
  for (const ScanProblem& problem : scan.problems) fatal = fatal || problem.fatal;
  for (const ScanProblem& problem : scan.problems) {
    // After a fatal problem the parser's other words about the file follow from it: only the fatal one counts.
    if (!fatal || problem.fatal) AddProblem(context, path, scan, problem);
    if (problem.fatal) break;
  }
  if (fatal || scan.elements.empty()) return false;
  wellFormed = true;
  if (!SchemaFound(context, path, scan.elements.front())) return false;
  bool valid = true;
  for (const ScanProblem& problem : Validate(scan, kind)) {
    valid = false;
    AddProblem(context, path, scan, problem);
    if (problem.fatal) break;
  }
  return valid;
}

bool LoadDevice(Context& context) {
  // Both paths exactly as given: the model joins the directory and the file names without more.
  const int32_t result = context.model.Initialize(
      u"", utf::ToUtf16(context.request.guiXmlPath), utf::ToUtf16(context.request.localizedPath),
      utf::ToUtf16(context.request.language), static_cast<int32_t>(context.request.functionId), nullptr);
  if (result == kParseOk || result == kParseLocFileFailed) return true;
  context.Add("xml", Severity::kError, context.request.guiXmlPath, {},
              "the component could not load the device (result " + std::to_string(result) + ")");
  return false;
}

}  // namespace k42::check
