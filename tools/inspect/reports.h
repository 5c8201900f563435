// The three report formats of the inspector.
#pragma once

#include <ostream>
#include <string>

#include "inspect/device.h"

namespace inspect {

void WriteText(const Device& device, std::ostream& out);
// One JSON document; the same device always gives the same text.
void WriteJson(const Device& device, std::ostream& out);
// A self-contained HTML page previewing the navigation trees and displays.
void WriteHtml(const Device& device, std::ostream& out);

}  // namespace inspect
