// Walks a loaded IGuiXmlModel the way a display control does and records
// every answer.
#pragma once

#include <string>
#include <vector>

#include <k42gui/IGuiXmlModel.h>

#include "inspect/device.h"

namespace inspect {

// Header places named by the display control's style guide. The interface
// looks header records up by place name and cannot list them, so the
// inspector asks for these plus the places given on the command line.
const std::vector<std::string>& StandardHeaderPlaces();

// Fills device (whose file and language fields the caller has set) from model. With allLanguages it also
// switches the model to every other language it supports, reads the device's texts there into
// device.translations, and switches back to the language it started with.
void ReadDevice(IGuiXmlModel& model, const std::vector<std::string>& extraHeaderPlaces, bool allLanguages,
                Device& device);

}  // namespace inspect
