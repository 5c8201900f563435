// A first look at one XML file for the inspector: its schema and the first reason it is not well-formed.
#include <k42gui/DeviceCheck.h>

#include "authoring/SchemaLocation.h"
#include "authoring/SourceScan.h"
#include "model/XercesInit.h"
#include "platform/utf.h"

namespace k42gui {

FileLook LookAtFile(const std::string& path) {
  const k42::XercesUse xerces;
  const k42::ScannedFile scan = k42::ScanElements(path);
  FileLook look;
  look.read = scan.opened;
  if (!scan.opened) return look;
  if (!scan.elements.empty()) {
    look.rootName = k42::utf::ToUtf8(scan.elements.front().name);
    look.schemaLocation = k42::utf::ToUtf8(k42::SchemaOf(scan.elements.front()).location);
  }
  look.wellFormed = true;
  for (const k42::ScanProblem& problem : scan.problems) {
    if (!problem.fatal) continue;
    look.wellFormed = false;
    look.fatal = {path, problem.position.line, problem.position.column, Severity::kError, problem.message, "xml"};
    break;
  }
  return look;
}

}  // namespace k42gui
