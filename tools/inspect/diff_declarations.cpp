// A device's trees and displays reach only what they use; the interface still answers for any
// identifier the GUI XML file declares, so asking it tells a declaration no longer used from one removed.
#include "inspect/diff_declarations.h"

#include <string>

#include "inspect/automation.h"
#include "inspect/device.h"

namespace inspect {
namespace {

std::string Text(const Json& record, const char* key) {
  const auto it = record.find(key);
  return it != record.end() && it->is_string() ? it->get<std::string>() : std::string();
}

// The parameter type a report names ("variable", "method", ...); PAR_UNKNOWN for any other name.
ParType ParTypeNamed(const std::string& name) {
  for (int64_t value = PAR_UNKNOWN; value <= PAR_HEADLINE; ++value) {
    if (ParTypeName(value) == name) return static_cast<ParType>(value);
  }
  return PAR_UNKNOWN;
}

}  // namespace

Declares DeclarationsOf(k42::AutoPtr<IGuiXmlModel> model) {
  return [model](const std::string& area, const Json& record) {
    if (!model || !record.is_object()) return false;
    const k42::AutoBstr id(Utf16(Text(record, "id")));
    if (area == "displays") {
      const k42::AutoBstr module(Utf16(Text(record, "module")));
      k42::AutoBstr label, validId;
      DisplayType type = DISPLAY_UNKNOWN;
      return model->GetDisplayInfo(module, id, &label, &type, &validId) == S_OK;
    }
    const ParType parType = ParTypeNamed(Text(record, "kind"));
    if (area != "parameters" || parType == PAR_UNKNOWN) return false;
    k42::AutoBstr noLabelRef, noLegend, value, label, tooltip, helpTopic, helpRef;
    long conditional = 0;
    return model->GetParameterInfo(id, noLabelRef, noLegend, parType, &value, &label, &conditional, &tooltip,
                                   &helpTopic, &helpRef) == S_OK;
  };
}

}  // namespace inspect
